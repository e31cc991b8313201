-- LaserGate.lua: a beam between two posts. Each frame the beam is tested against every ball
-- (the distance from the ball's centre to the beam's segment); a ball crossing it trips the
-- gate for good, which turns the beam green and switches its channel on ("gate_A" opens
-- "door_A"). The beam object lies along its local x axis; its x scale is the beam's length.
local Game = require "Game"

LaserGate = {}

function LaserGate:Init()
    Game.Register(self, "gate")
    self.tripped = false
    local x, y, z = Game.Position(self)
    local length = Game.Scale(self)
    local transform = Game.Transform(self)
    local _, yaw = Transform.GetRotation(transform)
    local hx, hz = math.cos(yaw) * length * 0.5, -math.sin(yaw) * length * 0.5
    self.ax, self.ay, self.az = x - hx, y, z - hz
    self.bx, self.by, self.bz = x + hx, y, z + hz
    local sprite = Object.GetSpriteComponent(self.object)
    if sprite then Sprite.SetColor(sprite, 1.0, 0.1, 0.1) end
end

function LaserGate:Update()
    if self.tripped then return end
    for _, ball in ipairs(Game.All("ball")) do
        local bx, by, bz = Game.Position(ball)
        local _, sy = Game.Scale(ball)
        if Game.SegmentDistance(bx, by, bz, self.ax, self.ay, self.az, self.bx, self.by, self.bz) < sy * 0.5 + 0.05 then
            self.tripped = true
            Game.SetSwitch(self.id, true)
            Sound.Play3DSound("LaserTrip", bx, by, bz)
            local sprite = Object.GetSpriteComponent(self.object)
            if sprite then Sprite.SetColor(sprite, 0.1, 1.0, 0.2) end
            return
        end
    end
end

function LaserGate:Destroy()
    Game.Unregister(self)
end
