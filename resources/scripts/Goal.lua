-- Goal.lua: a goal ring. It is reached when a ball rests within reach of it (the engine's
-- IsAtGoal, and this ring's own reach, so that in a room of two goals each needs its own ball).
-- A reached goal glows green and sends up its particles.
local Game = require "Game"

Goal = {}

Goal.reach = 1.5

function Goal:Init()
    Game.Register(self, "goal")
    self.reached = false
    local light = Object.GetLightComponent(self.object)
    if light then Light.SetColor(light, 0.9, 0.8, 0.4) end
end

-- The ball in this goal, or nil.
function Goal:BallInside()
    local gx, gy, gz = Game.Position(self)
    for _, ball in ipairs(Game.All("ball")) do
        local bx, by, bz = Game.Position(ball)
        if Object.IsAtGoal(ball.object) and Game.Distance(bx, by, bz, gx, gy, gz) < Goal.reach then return ball end
    end
    return nil
end

function Goal:Update()
    if self.reached then return end
    if self:BallInside() then
        self.reached = true
        local x, y, z = Game.Position(self)
        Sound.Play3DSound("Chime", x, y, z)
        local light = Object.GetLightComponent(self.object)
        if light then Light.SetColor(light, 0.2, 1.0, 0.3) end
        local sprite = Object.GetSpriteComponent(self.object)
        if sprite then Sprite.SetColor(sprite, 0.3, 1.0, 0.4) end
        local particles = Object.GetParticleComponent(self.object)
        if particles then Particles.EnableRender(particles, 1) end
    end
end

function Goal:Destroy()
    Game.Unregister(self)
end
