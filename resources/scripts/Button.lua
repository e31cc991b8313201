-- Button.lua: a red floor button. It is pressed while a ball, cube or domino rests on it (the
-- engine signals the overlap every frame without pushing back); it drives the doors of its
-- channel ("button_A" opens "door_A").
local Game = require "Game"

Button = {}

Button.holdFrames = 2   -- overlaps arrive a frame late: a press lasts this many frames

function Button:Init()
    Game.Register(self, "button")
    self.lastTouch = -100
    self.pressed = false
    self.x, self.y, self.z = Game.Position(self)
end

function Button:OnCollision(otherId)
    local other = ObjectManager.GetObject(otherId)
    if other and Game.movableTags[Object.GetTag(other)] then self.lastTouch = FrameNumber end
end

function Button:Update()
    local pressed = FrameNumber - self.lastTouch <= Button.holdFrames
    if pressed == self.pressed then return end
    self.pressed = pressed
    Game.SetSwitch(self.id, pressed)
    Sound.Play3DSound("Button", self.x, self.y, self.z)
    local transform = Game.Transform(self)
    if transform then Transform.SetPosition(transform, self.x, pressed and self.y - 0.04 or self.y, self.z) end
    local sprite = Object.GetSpriteComponent(self.object)
    if sprite then
        if pressed then Sprite.SetColor(sprite, 1.0, 0.45, 0.35) else Sprite.SetColor(sprite, 0.85, 0.08, 0.06) end
    end
end

function Button:Destroy()
    Game.Unregister(self)
end
