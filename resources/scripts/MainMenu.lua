-- MainMenu.lua: Play (or Continue once a level is solved), Levels, Reset progress and Quit.
local Game = require "Game"
local Menu = require "Menu"

MainMenu = {}

function MainMenu:Init()
    Game.PlayMusic("MenuMusic")
    Game.HideCaption()
    self:Build()
end

function MainMenu:Build()
    local started = Game.AnyCompleted()
    Scripting.Log("Main menu: " .. (started and "Continue" or "Play"))
    -- "Play" and "Continue" share a place: one of them is shown.
    for id, shown in pairs({menu_play = not started, menu_continue = started}) do
        local object = ObjectManager.GetObject(id)
        local sprite = object and Object.GetSpriteComponent(object)
        if sprite then Sprite.Hide(sprite, not shown) end
    end
    local selected = self.menu and self.menu.selected or 1
    self.menu = Menu.new(self.object, {
        {id = started and "menu_continue" or "menu_play", color = {0.4, 1.0, 0.5}, action = function()
            Game.Load(Game.FirstUnfinished() or "levels")
        end},
        {id = "menu_levels", color = {0.5, 0.8, 1.0}, action = function() Game.Load("levels") end},
        {id = "menu_reset", color = {1.0, 0.8, 0.4}, action = function()
            Game.ResetProgress()
            Game.Say("Progress reset. Every level but the first is locked again.", 4)
            self.rebuild = true
        end},
        {id = "menu_quit", color = {1.0, 0.45, 0.4}, action = function() SettingManager.QuitGame() end},
    })
    self.menu.selected = selected
end

function MainMenu:Update(dt)
    Game.UpdateCaption(dt)
    -- The view stays on the menu whatever the mouse does.
    local viewer = ObjectManager.GetObject("player1")
    local transform = viewer and Object.GetTransformComponent(viewer)
    if transform then Transform.SetRotation(transform, 0, 0, 0) end
    if self.rebuild then
        -- The state files go at the next frame start: rebuild after that.
        self.rebuildFrames = (self.rebuildFrames or 0) + 1
        if self.rebuildFrames >= 2 then
            self.rebuild, self.rebuildFrames = false, 0
            self:Build()
        end
    end
    self.menu:Update(dt)
end
