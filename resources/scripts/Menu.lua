-- Menu.lua: a list of 3D menu items, shared by the main menu and the level select. An item is
-- chosen by pointing at it (a picking listener follows the mouse), by the arrow keys or the
-- gamepad's pad, and taken with a click, Return or gamepad A. The caller gives the items in
-- order as {id = object id, enabled = bool, action = function}, with `columns` items a row.
local Game = require "Game"

local Menu = {}
Menu.__index = Menu

function Menu.new(owner, items, columns)
    local menu = setmetatable({owner = owner, items = items, columns = columns or 1, selected = 1}, Menu)
    for i, item in ipairs(items) do
        if item.enabled ~= false then
            menu.selected = i
            break
        end
    end
    return menu
end

function Menu:Index(id)
    for i, item in ipairs(self.items) do
        if item.id == id then return i end
    end
    return nil
end

-- The item under the mouse, read through the owner's picking listener.
function Menu:Hovered()
    local listener = Object.GetPickingListener(self.owner)
    if not listener then return nil end
    local mx, my = InputManager.GetMousePosition()
    PickingListener.SetScreenPosition(listener, mx, my)
    local id = PickingListener.GetID(listener)
    return id and self:Index(id)
end

function Menu:Step(delta)
    local count = #self.items
    local i = self.selected
    for _ = 1, count do
        i = (i - 1 + delta) % count + 1
        if self.items[i].enabled ~= false then
            self.selected = i
            Sound.PlayEffect("MenuMove")
            return
        end
    end
end

-- Reads this frame's input; runs the chosen item's action. Returns true when one ran.
function Menu:Update(dt)
    local input = Game.Input()
    local arrows = Game.MenuArrows(dt)
    if arrows.down then self:Step(self.columns) end
    if arrows.up then self:Step(-self.columns) end
    if self.columns > 1 then
        if arrows.right then self:Step(1) end
        if arrows.left then self:Step(-1) end
    end
    -- The listener samples under the mouse every frame; what it saw last frame is read here.
    local hovered = self:Hovered()
    local mx, my = InputManager.GetMousePosition()
    if mx ~= self.mouseX or my ~= self.mouseY then
        self.mouseX, self.mouseY = mx, my
        if hovered and hovered ~= self.selected and self.items[hovered].enabled ~= false then
            self.selected = hovered
            Sound.PlayEffect("MenuMove")
        end
    end
    self:Paint()
    local chosen = nil
    if input.click and hovered then chosen = hovered end
    if input.select then chosen = self.selected end
    if chosen and self.items[chosen].enabled ~= false then
        Sound.PlayEffect("MenuSelect")
        self.items[chosen].action()
        return true
    end
    return false
end

-- Colours the items: the selected one bright, the others dimmer, locked ones dark.
function Menu:Paint()
    for i, item in ipairs(self.items) do
        local object = ObjectManager.GetObject(item.id)
        local sprite = object and Object.GetSpriteComponent(object)
        if sprite then
            local r, g, b = table.unpack(item.color or {1, 1, 1})
            local k = 0.55
            if item.enabled == false then k = 0.25 elseif i == self.selected then k = 1.15 end
            Sprite.SetColor(sprite, r * k, g * k, b * k)
            local transform = Object.GetTransformComponent(object)
            if transform then
                item.baseZ = item.baseZ or select(3, Transform.GetPosition(transform))
                local x, y = Transform.GetPosition(transform)
                Transform.SetPosition(transform, x, y, i == self.selected and item.baseZ - 0.15 or item.baseZ)
            end
        end
    end
end

return Menu
