-- Crosshair.lua: the mark at the screen's centre. It floats just in front of the eye; the
-- picking listener it carries names what lies under the centre, and the mark turns orange
-- when the beam would move what is aimed at.
local Game = require "Game"

local Crosshair = {}
Crosshair.__index = Crosshair

Crosshair.distance = 0.5
Crosshair.size = 0.018

function Crosshair.new(id)
    return setmetatable({id = id or "crosshair", aimedTag = ""}, Crosshair)
end

function Crosshair:Update(target, leadX, leadZ)
    local object = ObjectManager.GetObject(self.id)
    if not object then return end
    local transform = Object.GetTransformComponent(object)
    local ex, ey, ez = Game.Eye()
    if not transform or not ex then return end
    local dx, dy, dz = Game.Normalize(Camera.GetOrientation())
    -- The body moves after the scripts in this frame: lead the mark by that motion.
    local lead = 1 / 60
    Transform.SetPosition(transform, ex + dx * Crosshair.distance + (leadX or 0) * lead, ey + dy * Crosshair.distance,
                          ez + dz * Crosshair.distance + (leadZ or 0) * lead)
    local yaw = math.deg(math.atan(dx, dz))
    local pitch = -math.deg(math.asin(math.max(-1, math.min(1, dy))))
    Transform.SetRotation(transform, pitch, yaw, 0)
    Transform.SetScale(transform, Crosshair.size, Crosshair.size, Crosshair.size)

    local listener = Object.GetPickingListener(object)
    if listener then
        local width, height = Camera.GetResolution()
        PickingListener.SetScreenPosition(listener, width * 0.5, height * 0.5)
        self.aimedTag = PickingListener.GetTag(listener) or ""
    end
    local sprite = Object.GetSpriteComponent(object)
    if sprite then
        if target or Game.movableTags[self.aimedTag] then
            Sprite.SetColor(sprite, 1.0, 0.55, 0.1)
        else
            Sprite.SetColor(sprite, 0.9, 0.95, 1.0)
        end
    end
end

return Crosshair
