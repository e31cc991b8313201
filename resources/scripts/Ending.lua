-- Ending.lua: after the last level: thanks, spoken, then back to the menu after a while or on
-- a key.
local Game = require "Game"

Ending = {}

function Ending:Init()
    self.seconds = 0
    Game.PlayMusic("MenuMusic")
    Game.Say("You solved every room. Thank you for playing Tovalik!", 6)
end

function Ending:Update(dt)
    self.seconds = self.seconds + dt
    Game.UpdateCaption(dt)
    local transform = Game.Transform(self)
    if transform then Transform.SetRotation(transform, 0, math.sin(self.seconds) * 10, 0) end
    local input = Game.Input()
    if not self.left and (self.seconds > 12 or (self.seconds > 1.5 and input.anyKey)) then
        self.left = true
        Game.Load(Game.menuPlace)
    end
end
