-- Movable.lua: a ball, cube or domino: something the force beam pushes. It remembers where it
-- started and comes back there when it leaves the room (falls below the floor or flies off),
-- and it knocks audibly when it hits something fast.
local Game = require "Game"

Movable = {}

Movable.fallLimit = -3.0     -- below this height the object is lost
Movable.roomLimit = 40.0     -- this far from the origin it is lost
Movable.hitSpeed = 1.2       -- collisions faster than this are heard

function Movable:Init()
    self.tag = Object.GetTag(self.object)
    Game.Register(self, self.tag)
    self.startX, self.startY, self.startZ = Game.Position(self)
    self.respawnX, self.respawnY, self.respawnZ = self.startX, self.startY, self.startZ
    self.hitCooldown = 0
end

function Movable:Speed()
    local body = Game.Body(self)
    if not body then return 0 end
    local vx, vy, vz = Body.GetVelocity(body)
    return math.sqrt(vx * vx + vy * vy + vz * vz)
end

-- Puts the object back at its respawn point (its start, or the last checkpoint it passed).
function Movable:Respawn()
    local transform, body = Game.Transform(self), Game.Body(self)
    if transform then Transform.SetPosition(transform, self.respawnX, self.respawnY, self.respawnZ) end
    if body then Body.SetVelocity(body, 0, 0, 0) end
    Object.Respawn(self.object)
end

-- The rolling sound: one looping positioned sound, following the fastest rolling ball.
Movable.rollStart = 0.5   -- speed at which a ball is heard rolling
Movable.rollStop = 0.2
local roller = nil

function Movable:UpdateRoll(x, y, z)
    local speed = self:Speed()
    if roller == self then
        if speed < Movable.rollStop or self.destroyed then
            Sound.StopMusic("Roll3D")
            roller = nil
        else
            Sound.UpdateSoundPosition("Roll3D", x, y, z)
        end
    elseif speed > Movable.rollStart and (roller == nil or roller.destroyed or roller:Speed() < speed) then
        roller = self
        Sound.Play3DSound("Roll3D", x, y, z)
    end
end

function Movable:Update(dt)
    self.hitCooldown = math.max(0, self.hitCooldown - dt)
    local x, y, z = Game.Position(self)
    if y < Movable.fallLimit or math.abs(x) > Movable.roomLimit or math.abs(z) > Movable.roomLimit or x ~= x then
        self:Respawn()
    end
    if self.tag == "ball" then self:UpdateRoll(x, y, z) end
end

function Movable:OnCollision(otherId)
    if self.hitCooldown > 0 then return end
    local other = ObjectManager.GetObject(otherId)
    local tag = other and Object.GetTag(other) or ""
    if tag == "button" or tag == "zone" or tag == "player" then return end
    if self:Speed() > Movable.hitSpeed then
        local x, y, z = Game.Position(self)
        Sound.Play3DSound("Hit3D", x, y, z)
        self.hitCooldown = 0.3
    end
end

function Movable:Destroy()
    Game.Unregister(self)
    if roller == self then
        Sound.StopMusic("Roll3D")
        roller = nil
    end
end
