-- Door.lua: a sliding door. It opens (sinks into the floor) while a switch of its channel
-- is on ("door_A" follows "button_A" and "gate_A") and closes when they are all off, but never
-- onto the player, a ball or anything the beam moves: it waits until the doorway is clear.
local Game = require "Game"

Door = {}

Door.speed = 2.5   -- world units per second

function Door:Init()
    Game.Register(self, "door")
    self.channel = Game.Channel(self.id)
    self.x, self.y, self.z = Game.Position(self)
    self.sx, self.sy, self.sz = Game.Scale(self)
    self.lift = 0
    self.opening = false
end

-- Whether the player or a movable object stands in the doorway (the closed door's box grown
-- by half a unit).
function Door:DoorwayBusy()
    local function Inside(x, _, z)
        return math.abs(x - self.x) < self.sx * 0.5 + 0.5 and math.abs(z - self.z) < self.sz * 0.5 + 0.5
    end
    local player = ObjectManager.GetPlayer()
    if player then
        local transform = Object.GetTransformComponent(player)
        if transform and Inside(Transform.GetPosition(transform)) then return true end
    end
    for tag in pairs(Game.movableTags) do
        for _, instance in ipairs(Game.All(tag)) do
            if Inside(Game.Position(instance)) then return true end
        end
    end
    return false
end

function Door:Update(dt)
    local open = Game.ChannelOn(self.channel)
    if not open and self.lift > 0 and self:DoorwayBusy() then open = true end
    if open ~= self.opening then
        self.opening = open
        Sound.Play3DSound("Door", self.x, self.y, self.z)
    end
    local target = open and self.sy + 0.05 or 0
    if self.lift == target then return end
    local step = Door.speed * dt
    if self.lift < target then self.lift = math.min(target, self.lift + step) else self.lift = math.max(target, self.lift - step) end
    local transform = Game.Transform(self)
    if transform then Transform.SetPosition(transform, self.x, self.y - self.lift, self.z) end
end

function Door:Destroy()
    Game.Unregister(self)
end
