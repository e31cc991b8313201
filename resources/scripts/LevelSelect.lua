-- LevelSelect.lua: the levels as a grid of labels: solved levels green, open ones white,
-- locked ones dark (a level opens when the one before it is solved); Back returns to the menu.
local Game = require "Game"
local Menu = require "Menu"

LevelSelect = {}

function LevelSelect:Init()
    Game.PlayMusic("MenuMusic")
    local items = {}
    local openNames = {}
    for i, level in ipairs(Game.levels) do
        local open = Game.IsOpen(i)
        if open then openNames[#openNames + 1] = level.place end
        local done = Game.IsCompleted(level.place)
        items[#items + 1] = {id = "select_" .. level.place, enabled = open,
                             color = done and {0.5, 1.0, 0.55} or {1, 1, 1},
                             action = function() Game.Load(level.place) end}
        local lock = ObjectManager.GetObject("lock_" .. level.place)
        local sprite = lock and Object.GetSpriteComponent(lock)
        if sprite then Sprite.Hide(sprite, open) end
    end
    Scripting.Log("Levels open: " .. table.concat(openNames, " "))
    items[#items + 1] = {id = "select_back", color = {0.8, 0.85, 1.0}, action = function() Game.Load(Game.menuPlace) end}
    self.menu = Menu.new(self.object, items, 4)
end

function LevelSelect:Update(dt)
    local viewer = ObjectManager.GetObject("player1")
    local transform = viewer and Object.GetTransformComponent(viewer)
    if transform then Transform.SetRotation(transform, 0, 0, 0) end
    if self.menu:Update(dt) then return end
    if Game.Input().back then Game.Load(Game.menuPlace) end
end
