-- MagicStrip.lua: a strip of black-magic floor. A ball on the strip is out of the beam's
-- reach; a ball that stops on it is thrown back to where it entered, so the strip is crossed
-- only by a ball sent across at full speed. The strip is a box without rotation: its x and z
-- scale give its extent.
local Game = require "Game"

MagicStrip = {}

MagicStrip.stallSpeed = 0.15
MagicStrip.stallSeconds = 0.6

function MagicStrip:Init()
    Game.Register(self, "strip")
    self.x, self.y, self.z = Game.Position(self)
    self.sx, self.sy, self.sz = Game.Scale(self)
end

function MagicStrip:Contains(x, z)
    return math.abs(x - self.x) < self.sx * 0.5 and math.abs(z - self.z) < self.sz * 0.5
end

function MagicStrip:Update(dt)
    for _, ball in ipairs(Game.All("ball")) do
        local x, y, z = Game.Position(ball)
        if self:Contains(x, z) then
            ball.strip = self.id
            ball.beamProof = true
            ball.stall = (ball:Speed() < MagicStrip.stallSpeed) and (ball.stall or 0) + dt or 0
            if ball.stall > MagicStrip.stallSeconds and ball.outsideX then
                local transform, body = Game.Transform(ball), Game.Body(ball)
                Transform.SetPosition(transform, ball.outsideX, ball.outsideY, ball.outsideZ)
                if body then Body.SetVelocity(body, 0, 0, 0) end
                ball.stall = 0
                Sound.Play3DSound("Checkpoint", x, y, z)
            end
        elseif ball.strip == self.id or ball.strip == nil then
            ball.strip = nil
            ball.beamProof = false
            ball.stall = 0
            -- Where the ball goes back to: a little before the edge it was last outside of.
            ball.outsideX, ball.outsideY, ball.outsideZ = x, y, z
        end
    end
end

function MagicStrip:Destroy()
    Game.Unregister(self)
end
