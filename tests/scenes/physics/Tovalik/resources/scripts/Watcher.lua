-- Watches the pile: at its 150th frame (two and a half seconds of simulation, time enough for
-- every body to land) looks at every body of the level for a position or velocity that is not a
-- finite number and for a centre below the floor, prints one line with the counts and ends the run.
Watcher = {}

local function Finite(value)
    return value == value and value ~= math.huge and value ~= -math.huge
end

function Watcher:Init()
    self.frames = 0
end

function Watcher:Update(dt)
    self.frames = self.frames + 1
    if self.frames ~= 150 then return end
    local count, nonfinite, below, lowest = 0, 0, 0, math.huge
    for i = 1, 200 do
        local object = ObjectManager.GetObject("body" .. i)
        if object then
            count = count + 1
            local x, y, z = Transform.GetPosition(Object.GetTransformComponent(object))
            local vx, vy, vz = Body.GetVelocity(Object.GetBodyComponent(object))
            for _, value in ipairs({x, y, z, vx, vy, vz}) do
                if not Finite(value) then nonfinite = nonfinite + 1 end
            end
            if y < lowest then lowest = y end
            if y < 0 then below = below + 1 end
        end
    end
    print(string.format("PhysicsCheck bodies=%d nonfinite=%d below=%d lowest=%.3f", count, nonfinite, below, lowest))
    SettingManager.QuitGame()
end
