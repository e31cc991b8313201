-- Splash.lua: the title. It stays for a few seconds or until a key, a click or a gamepad
-- button, then the main menu follows.
local Game = require "Game"

Splash = {}

function Splash:Init()
    self.seconds = 0
    self.left = false
    Game.PlayMusic("MenuMusic")
end

function Splash:Update(dt)
    self.seconds = self.seconds + dt
    local input = Game.Input()
    local skip = input.anyKey or input.walkX ~= 0 or input.walkZ ~= 0
    if not self.left and (skip or self.seconds >= (Config.splashSeconds or 3)) then
        self.left = true
        Game.Load(Game.menuPlace)
    end
    -- The title turns slowly.
    local transform = Game.Transform(self)
    if transform then Transform.SetRotation(transform, 0, math.sin(self.seconds * 1.2) * 12, 0) end
end
