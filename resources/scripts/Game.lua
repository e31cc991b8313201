-- Game.lua: the helpers every game script shares (require "Game").
--   the level list and the place after each level, saved progress, a registry of the scripted
--   objects of the current place by role, vector and object helpers, and the input of the
--   frame read once (input events are taken by the first reader, so scripts read them here).
local Game = {}

-- The puzzle levels in play order: place name, title, and the hint spoken at its start.
Game.levels = {
    {place = "level1", title = "First Push",
     hint = "Aim at the orange ball and hold the left mouse button, or press Control, to push it into the green ring."},
    {place = "level2", title = "Bank Shot",
     hint = "Blue walls are bouncy. Push the ball against the blue wall so it slides round the corner to the goal."},
    {place = "level3", title = "Open Sesame",
     hint = "A red button opens the door while something rests on it. Push the cube onto the button."},
    {place = "level4", title = "Domino Run",
     hint = "Knock the first domino over. The last one falls onto the button."},
    {place = "level5", title = "Black Magic",
     hint = "The dark strip swallows the beam. Send the ball across it at full speed."},
    {place = "level6", title = "Ghost Zones"},
    {place = "level7", title = "Laser Gate"},
    {place = "level8", title = "All Together"},
}
Game.menuPlace = "mainmenu"
Game.endingPlace = "ending"

-- Roles of movable objects the force beam can push.
Game.movableTags = {ball = true, cube = true, domino = true}

---------------------------------------------------------------------------------------------
-- Levels and saved progress

function Game.LevelIndex(place)
    for i, level in ipairs(Game.levels) do
        if level.place == place then return i end
    end
    return nil
end

function Game.Level(place)
    local i = Game.LevelIndex(place)
    return i and Game.levels[i] or nil
end

-- The place that follows a level: the next level, the ending after the last one.
function Game.NextPlace(place)
    local i = Game.LevelIndex(place)
    if i and i < #Game.levels then return Game.levels[i + 1].place end
    return Game.endingPlace
end

function Game.StatePath(place)
    return (LEVEL_STATE_FOLDER or "") .. "state_" .. place
end

-- Level states already reported as missing or unreadable: one log line each per run.
local reported = {}

local function ReportState(place, what)
    local key = place .. ":" .. what
    if reported[key] then return end
    reported[key] = true
    if what == "missing" then
        Scripting.Log("Level state of " .. place .. " not found (" .. Game.StatePath(place) .. "): not completed")
    else
        Scripting.Warn("Level state " .. Game.StatePath(place) .. " is unreadable (" .. what .. "): counted as not completed")
    end
end

-- Whether the level's state file says it was completed. A missing, empty, truncated or
-- garbled file counts as not completed, with one log line.
function Game.IsCompleted(place)
    local file = io.open(Game.StatePath(place), "rb")
    if not file then
        ReportState(place, "missing")
        return false
    end
    local text = file:read(4096) or ""
    file:close()
    local level = text:match("level=([%w_]+)\n")
    local completed = text:match("completed=(%d)\n")
    if level ~= place or completed == nil then
        ReportState(place, #text == 0 and "empty" or "no level and completed lines")
        return false
    end
    return completed == "1"
end

-- Writes the level's state: a temporary file in the same folder, then renamed over the old
-- one, so a state is never half written. Returns true on success (failures are logged).
function Game.SaveCompleted(place, seconds)
    local path = Game.StatePath(place)
    local temporary = path .. ".tmp"
    local file, problem = io.open(temporary, "wb")
    if not file then
        Scripting.Warn("Level state " .. path .. " cannot be saved: " .. tostring(problem))
        return false
    end
    local ok = file:write(string.format("level=%s\ncompleted=1\nseconds=%.1f\n", place, seconds or 0))
    ok = file:close() and ok
    if ok then
        local renamed, why = os.rename(temporary, path)
        if renamed then
            reported[place .. ":missing"] = nil
            return true
        end
        problem = why
    end
    os.remove(temporary)
    Scripting.Warn("Level state " .. path .. " cannot be saved: " .. tostring(problem))
    return false
end

-- A level is open when it is the first or the one before it is completed.
function Game.IsOpen(index)
    return index == 1 or Game.IsCompleted(Game.levels[index - 1].place)
end

-- The first level not completed (nil when every level is).
function Game.FirstUnfinished()
    for _, level in ipairs(Game.levels) do
        if not Game.IsCompleted(level.place) then return level.place end
    end
    return nil
end

function Game.AnyCompleted()
    for _, level in ipairs(Game.levels) do
        if Game.IsCompleted(level.place) then return true end
    end
    return false
end

function Game.ResetProgress()
    SignalManager.SignalDeleteLevelStateFiles("all")
    reported = {}
end

function Game.Load(place)
    SignalManager.SignalLoadLevel(place)
end

---------------------------------------------------------------------------------------------
-- Registry of the current place's scripted objects, by role

local roles = {}

function Game.Register(instance, role)
    roles[role] = roles[role] or {}
    table.insert(roles[role], instance)
    instance.role = role
end

function Game.Unregister(instance)
    local list = instance.role and roles[instance.role]
    if not list then return end
    for i = #list, 1, -1 do
        if list[i] == instance then table.remove(list, i) end
    end
end

-- The live instances of a role in the current place (a fresh list).
function Game.All(role)
    local result = {}
    for _, instance in ipairs(roles[role] or {}) do
        if not instance.destroyed and instance.object and instance.place == Game.CurrentPlace() then
            result[#result + 1] = instance
        end
    end
    return result
end

function Game.Find(role, id)
    for _, instance in ipairs(Game.All(role)) do
        if instance.id == id then return instance end
    end
    return nil
end

-- The place whose scripts run now.
function Game.CurrentPlace() return CurrentPlace end

-- Switch channels: buttons and laser gates set them, doors follow them. A switch id ends in
-- "_<channel>" ("button_A", "gate_A" both drive "door_A").
local channels = {}

function Game.Channel(id)
    return id:match("_(%w+)$")
end

function Game.SetSwitch(id, on)
    local channel = Game.Channel(id)
    if not channel then return end
    channels[channel] = channels[channel] or {}
    channels[channel][id] = on or nil
end

function Game.ChannelOn(channel)
    return channel ~= nil and channels[channel] ~= nil and next(channels[channel]) ~= nil
end

function Game.ResetSwitches() channels = {} end

---------------------------------------------------------------------------------------------
-- Objects and vectors

function Game.Transform(instance)
    return instance.object and Object.GetTransformComponent(instance.object)
end

function Game.Body(instance)
    return instance.object and Object.GetBodyComponent(instance.object)
end

function Game.Position(instance)
    local transform = Game.Transform(instance)
    if not transform then return 0, 0, 0 end
    return Transform.GetPosition(transform)
end

function Game.Scale(instance)
    local transform = Game.Transform(instance)
    if not transform then return 1, 1, 1 end
    return Transform.GetScale(transform)
end

function Game.Distance(ax, ay, az, bx, by, bz)
    local dx, dy, dz = ax - bx, ay - by, az - bz
    return math.sqrt(dx * dx + dy * dy + dz * dz)
end

function Game.Normalize(x, y, z)
    local length = math.sqrt(x * x + y * y + z * z)
    if length < 1e-6 then return 0, 0, 0, 0 end
    return x / length, y / length, z / length, length
end

-- Distance along the ray (origin o, unit direction d) to the sphere (centre c, radius r), or
-- nil when the ray misses it or it lies behind the origin.
function Game.RaySphere(ox, oy, oz, dx, dy, dz, cx, cy, cz, r)
    local mx, my, mz = cx - ox, cy - oy, cz - oz
    local b = mx * dx + my * dy + mz * dz
    local c = mx * mx + my * my + mz * mz - r * r
    if c > 0 and b < 0 then return nil end
    local disc = b * b - c
    if disc < 0 then return nil end
    local t = b - math.sqrt(disc)
    if t < 0 then t = 0 end
    return t
end

-- Distance from point p to the segment a-b.
function Game.SegmentDistance(px, py, pz, ax, ay, az, bx, by, bz)
    local abx, aby, abz = bx - ax, by - ay, bz - az
    local length2 = abx * abx + aby * aby + abz * abz
    local t = 0
    if length2 > 1e-9 then
        t = ((px - ax) * abx + (py - ay) * aby + (pz - az) * abz) / length2
        t = math.max(0, math.min(1, t))
    end
    return Game.Distance(px, py, pz, ax + abx * t, ay + aby * t, az + abz * t)
end

-- The player's eye: where the engine's camera sits above the player's body.
function Game.Eye()
    local player = ObjectManager.GetPlayer()
    if not player then return nil end
    local transform = Object.GetTransformComponent(player)
    if not transform then return nil end
    local x, y, z = Transform.GetPosition(transform)
    local _, sy = Transform.GetScale(transform)
    return x, y + sy + 0.2, z
end

---------------------------------------------------------------------------------------------
-- Input, read once per frame

local input = {frame = -1}
local padBefore = {}

local function PadPressed(button)
    local down = InputManager.IsJoyConnected() and InputManager.GetJoyButton(button)
    local pressed = down and not padBefore[button]
    padBefore[button] = down
    return pressed, down
end

-- This frame's input: walk (x right, z forward, -1..1), fire (pressed this frame), fireHeld,
-- select, back, restart, arrows (pressed this frame: up, down, left, right), click, anyKey.
function Game.Input()
    if input.frame == FrameNumber then return input end
    local i = {frame = FrameNumber}
    local walkX, walkZ = 0, 0
    if Input.MoveForward() then walkZ = walkZ + 1 end
    if Input.MoveBackward() then walkZ = walkZ - 1 end
    if Input.MoveRight() then walkX = walkX + 1 end
    if Input.MoveLeft() then walkX = walkX - 1 end
    if InputManager.IsJoyConnected() then
        local sx, sy = InputManager.GetJoyPad(2)
        walkX, walkZ = walkX + sx, walkZ + sy
    end
    i.walkX, i.walkZ = math.max(-1, math.min(1, walkX)), math.max(-1, math.min(1, walkZ))
    local padA, padAHeld = PadPressed(INPUT_JOYSTICK_A)
    local padB = PadPressed(INPUT_JOYSTICK_B)
    local padStart = PadPressed(INPUT_JOYSTICK_START)
    local padUp = PadPressed(INPUT_DPAD_UP)
    local padDown = PadPressed(INPUT_DPAD_DOWN)
    local padLeft = PadPressed(INPUT_DPAD_LEFT)
    local padRight = PadPressed(INPUT_DPAD_RIGHT)
    i.fire = Input.KeyFire() or padA
    i.fireHeld = InputManager.MouseLeft() or padAHeld
    i.click = Input.MouseClick()
    i.select = Input.Select() or padA
    i.back = Input.PlaceToggle() or padB or padStart
    i.restart = Input.SkipScreen()
    i.up, i.down, i.left, i.right = padUp, padDown, padLeft, padRight
    i.anyKey = i.fire or i.select or i.back or i.restart or i.click or padA or padB or padStart
    InputManager.Refresh()
    input = i
    return i
end

-- Arrow keys for menus: taken (so they do not turn the camera), with a held key repeating
-- after a short delay.
local arrowHeld = {}
function Game.MenuArrows(dt)
    local i = Game.Input()
    local result = {}
    for _, name in ipairs({"Up", "Down", "Left", "Right"}) do
        local key = name:lower()
        local down = Input["Arrow" .. name]()
        local held = arrowHeld[key]
        if down then
            if not held then
                result[key] = true
                arrowHeld[key] = 0.4
            else
                arrowHeld[key] = held - dt
                if arrowHeld[key] <= 0 then
                    result[key] = true
                    arrowHeld[key] = 0.15
                end
            end
        else
            arrowHeld[key] = nil
        end
        result[key] = result[key] or i[key]
    end
    return result
end

---------------------------------------------------------------------------------------------
-- Presentation

local music = nil
function Game.PlayMusic(name)
    if music == name then return end
    if music then Sound.StopMusic(music) end
    music = name
    if name then Sound.StartMusic(name) end
end

local captionTimer = 0
function Game.Say(text, seconds)
    SpeechWindow.SetText(text)
    SpeechWindow.ShowWindow()
    captionTimer = seconds or 6
end

-- Hides the caption once its time is up; called once per frame by the place's director.
function Game.UpdateCaption(dt)
    if captionTimer > 0 then
        captionTimer = captionTimer - dt
        if captionTimer <= 0 then SpeechWindow.HideWindow() end
    end
end

function Game.HideCaption()
    captionTimer = 0
    SpeechWindow.HideWindow()
end

return Game
