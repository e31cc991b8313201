-- PlayerControl.lua: the player in a level: walking, the force beam, the crosshair, the sound
-- listener, and a respawn when the player falls out of the room.
local Game = require "Game"
local Walker = require "Walker"
local ForceBeam = require "ForceBeam"
local Crosshair = require "Crosshair"

PlayerControl = {}

function PlayerControl:Init()
    self.walker = Walker.new(Config.walkSpeed or 2.0)
    self.beam = ForceBeam.new()
    self.crosshair = Crosshair.new("crosshair")
end

function PlayerControl:Update(dt)
    local input = Game.Input()
    if Game.levelDone then
        input = {walkX = 0, walkZ = 0}
    end
    self.walker:Update(self.object, input)
    local target = nil
    if not Game.levelDone then
        target = self.beam:Update(dt, input)
    else
        self.beam:Hide()
    end
    self.crosshair:Update(target, self.walker.vx, self.walker.vz)

    local x, y, z = Game.Position(self)
    Sound.UpdateListener(x, y, z)
    if y < -5 then Object.Respawn(self.object) end
end

function PlayerControl:Destroy()
    if self.beam then self.beam:Hide() end
end
