-- main.lua: the protocol the engine calls, and the script instances it drives.
--
-- Every object with a Script component gets one instance: a table whose class is the global table
-- of the same name as its script class (defined by resources/scripts/<class>.lua, which the
-- engine runs before attaching). An instance may define
--   Init(self)                              once, at the first frame after it was attached
--   Update(self, dt)                        every frame while its place is the current one
--   OnCollision(self, otherId, x, y, z)     at the frame after a collision (x, y, z points
--                                           from the other object towards this one's side)
--   OnEvent(self, name, otherId, x, y, z)   for any other event
--   Destroy(self)                           when its object has been destroyed
--   Finalize(self)                          when the game stops while its object still exists
--                                           (objects are normally destroyed first: use Destroy)
-- and has the fields id, place, className and object (the engine object, light userdata).
-- A failing instance is reported with its traceback; the other instances still run.

-- Instances by place, then in attach order; Index[place][id] gives the same instances by id.
Places = {}
Index = {}
Pending = {}
Events = {}

local function Trace(...)
    if Config and Config.traceProtocol then print("protocol", ...) end
end

-- Runs method of each instance in list (those that define it); errors are collected and raised
-- together at the end, so one broken script does not stop the others. A copy of the list is
-- walked: a method may create or destroy objects.
local function CallEach(list, method, ...)
    local failures
    local snapshot = {}
    for i = 1, #list do snapshot[i] = list[i] end
    for _, instance in ipairs(snapshot) do
        local fn = instance[method]
        if fn and not instance.destroyed then
            local ok, message = xpcall(fn, debug.traceback, instance, ...)
            if not ok then
                failures = failures or {}
                failures[#failures + 1] = instance.className .. " " .. instance.id .. ": " .. tostring(message)
            end
        end
    end
    if failures then error(table.concat(failures, "\n"), 0) end
end

function InitializeScriptingSystem()
    Places, Index, Pending, Events = {}, {}, {}, {}
    Trace("InitializeScriptingSystem")
end

function Init()
    Trace("Init")
end

function AttachComponentToObject(id, place, className)
    Trace("AttachComponentToObject", id, place, className)
    local class = _G[className]
    if type(class) ~= "table" then
        error("script class " .. className .. " (object " .. id .. ") defines no global table " .. className, 0)
    end
    local instance = setmetatable({id = id, place = place, className = className,
                                   object = ObjectManager.GetObject(id)}, {__index = class})
    Places[place] = Places[place] or {}
    Index[place] = Index[place] or {}
    local old = Index[place][id]
    if old then old.destroyed = true end
    table.insert(Places[place], instance)
    Index[place][id] = instance
    table.insert(Pending, instance)
end

function InitializePendingObjects()
    local pending = Pending
    Pending = {}
    CallEach(pending, "Init")
end

function SendEvent(place, id, name, otherId, x, y, z)
    Trace("SendEvent", place, id, name, otherId, x, y, z)
    table.insert(Events, {place = place, id = id, name = name, otherId = otherId, x = x, y = y, z = z})
end

function SendPendingEvents()
    local events = Events
    Events = {}
    local failures
    for _, event in ipairs(events) do
        local instance = Index[event.place] and Index[event.place][event.id]
        if instance and not instance.destroyed then
            local fn, args
            if event.name == "CollisionEvent" and instance.OnCollision then
                fn, args = instance.OnCollision, {event.otherId, event.x, event.y, event.z}
            elseif instance.OnEvent then
                fn, args = instance.OnEvent, {event.name, event.otherId, event.x, event.y, event.z}
            end
            if fn then
                local ok, message = xpcall(fn, debug.traceback, instance, table.unpack(args))
                if not ok then
                    failures = failures or {}
                    failures[#failures + 1] = instance.className .. " " .. instance.id .. ": " .. tostring(message)
                end
            end
        end
    end
    if failures then error(table.concat(failures, "\n"), 0) end
end

-- Counts the frames the scripts ran in, so helpers can read shared input once per frame, and
-- names the place being updated.
FrameNumber = 0
CurrentPlace = nil

function UpdateScriptComponent(dt, place)
    FrameNumber = FrameNumber + 1
    CurrentPlace = place
    CallEach(Places[place] or {}, "Update", dt)
end

function DeleteGameObject(id, place)
    Trace("DeleteGameObject", id, place)
    local byId = Index[place]
    local instance = byId and byId[id]
    if not instance then return end
    byId[id] = nil
    instance.destroyed = true
    local list = Places[place]
    for i = #list, 1, -1 do
        if list[i] == instance then table.remove(list, i) end
    end
    -- The engine object is gone: nothing may use the pointer any more.
    instance.object = nil
    if instance.Destroy then instance:Destroy() end
end

function Finalize()
    Trace("Finalize")
    for _, list in pairs(Places) do CallEach(list, "Finalize") end
end

function RestartScriptingSystem()
    Trace("RestartScriptingSystem")
    Places, Index, Pending, Events = {}, {}, {}, {}
end
