-- Zone.lua: a ghost zone: a box the engine signals overlaps for without blocking anything.
-- A zone whose id starts with "hint" speaks its line the first time the player walks in; one
-- whose id starts with "checkpoint" becomes the respawn point of every ball that passes it.
-- The lines live in Hints.lua by place and zone id.
local Game = require "Game"
local Hints = require "Hints"

Zone = {}

function Zone:Init()
    Game.Register(self, "zone")
    self.kind = self.id:match("^(%a+)")
    self.spoken = false
    self.x, self.y, self.z = Game.Position(self)
    local sprite = Object.GetSpriteComponent(self.object)
    if sprite and self.kind == "checkpoint" then Sprite.SetColor(sprite, 0.25, 0.45, 0.9) end
end

function Zone:OnCollision(otherId)
    local other = ObjectManager.GetObject(otherId)
    if not other then return end
    local tag = Object.GetTag(other)
    if self.kind == "hint" and tag == "player" and not self.spoken then
        self.spoken = true
        local line = Hints[self.place] and Hints[self.place][self.id]
        if line then Game.Say(line, 7) end
    elseif self.kind == "checkpoint" and tag == "ball" then
        local ball = Game.Find("ball", otherId)
        if ball and (ball.respawnX ~= self.x or ball.respawnZ ~= self.z) then
            ball.respawnX, ball.respawnY, ball.respawnZ = self.x, math.max(self.y, 0.3), self.z
            Sound.Play3DSound("Checkpoint", self.x, self.y, self.z)
            local sprite = Object.GetSpriteComponent(self.object)
            if sprite then Sprite.SetColor(sprite, 0.3, 1.0, 0.5) end
        end
    end
end

function Zone:Destroy()
    Game.Unregister(self)
end
