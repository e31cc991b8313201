-- Walker.lua: the player's walk. Keys or the left stick steer the body along the camera's
-- horizontal forward and right; the body stops when nothing is pressed.
local Walker = {}
Walker.__index = Walker

function Walker.new(speed)
    return setmetatable({speed = speed or 2.0}, Walker)
end

-- The camera's forward on the floor (unit) and its right hand.
function Walker.Heading()
    local fx, _, fz = Camera.GetOrientation()
    local length = math.sqrt(fx * fx + fz * fz)
    if length < 1e-4 then return 0, 1, -1, 0 end
    fx, fz = fx / length, fz / length
    return fx, fz, -fz, fx
end

function Walker:Update(player, input)
    local body = Object.GetBodyComponent(player)
    if not body then return end
    local fx, fz, rx, rz = Walker.Heading()
    local vx = (fx * input.walkZ + rx * input.walkX) * self.speed
    local vz = (fz * input.walkZ + rz * input.walkX) * self.speed
    local _, vy = Body.GetVelocity(body)
    Body.SetVelocity(body, vx, vy, vz)
    self.vx, self.vz = vx, vz
end

return Walker
