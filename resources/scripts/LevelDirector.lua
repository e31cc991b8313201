-- LevelDirector.lua: runs a puzzle level: its name and spoken hint at the start, its music,
-- restart (F5) and the way back to the menu (Escape), and the level's completion once every
-- goal holds a ball: a spoken line, the state saved, a fade, and the next place.
local Game = require "Game"

LevelDirector = {}

LevelDirector.nameSeconds = 4.0
LevelDirector.fadeAfter = 0.8      -- seconds from completion to the fade
LevelDirector.loadAfter = 1.15     -- seconds from completion to loading the next place (the fade's darkest)

function LevelDirector:Init()
    self.level = Game.Level(self.place) or {title = self.place}
    self.seconds = 0
    self.doneSeconds = nil
    Game.levelDone = false
    Game.ResetSwitches()
    Game.HideCaption()
    Game.PlayMusic("LevelMusic")
    Scripting.Log("Level " .. self.place .. " started: " .. self.level.title)
end

function LevelDirector:ShowName(visible)
    local label = ObjectManager.GetObject("levelname")
    local sprite = label and Object.GetSpriteComponent(label)
    if sprite then Sprite.Hide(sprite, not visible) end
end

function LevelDirector:Update(dt)
    self.seconds = self.seconds + dt
    Game.UpdateCaption(dt)
    self:ShowName(self.seconds < LevelDirector.nameSeconds)
    if self.level.hint and not self.hinted and self.seconds > 0.8 then
        self.hinted = true
        Game.Say(self.level.hint, 8)
    end

    local input = Game.Input()
    if self.doneSeconds == nil then
        if input.restart then
            Game.Load(self.place)
            return
        end
        if input.back then
            Game.Load(Game.menuPlace)
            return
        end
        if Input.LevelNext() then Game.Load(Game.NextPlace(self.place)) return end
        if Input.LevelPrevious() then
            local i = Game.LevelIndex(self.place) or 1
            Game.Load(i > 1 and Game.levels[i - 1].place or Game.menuPlace)
            return
        end
        self:CheckGoals()
    else
        self:Finish(dt)
    end
end

function LevelDirector:CheckGoals()
    local goals = Game.All("goal")
    if #goals == 0 then return end
    for _, goal in ipairs(goals) do
        if not goal.reached then return end
    end
    self.doneSeconds = 0
    Game.levelDone = true
    Sound.PlayEffect("LevelComplete")
    Game.SaveCompleted(self.place, self.seconds)
    Scripting.Log(string.format("Level %s completed in %.1f s", self.place, self.seconds))
    Game.Say("Well done! " .. self.level.title .. " is solved.", 3)
    local label = ObjectManager.GetObject("levelname")
    if label then
        local sprite = Object.GetSpriteComponent(label)
        if sprite then Sprite.Hide(sprite, true) end
    end
end

function LevelDirector:Finish(dt)
    local before = self.doneSeconds
    self.doneSeconds = self.doneSeconds + dt
    if before < LevelDirector.fadeAfter and self.doneSeconds >= LevelDirector.fadeAfter then Camera.Fade(0.05) end
    if before < LevelDirector.loadAfter and self.doneSeconds >= LevelDirector.loadAfter then
        Game.Load(Game.NextPlace(self.place))
    end
end

function LevelDirector:Destroy()
    Game.levelDone = false
end
