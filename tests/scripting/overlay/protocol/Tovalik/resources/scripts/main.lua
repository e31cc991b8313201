-- A recording main: every protocol call prints its name and arguments, one line each.
local function Log(...)
    local parts = {}
    for i = 1, select("#", ...) do
        local value = select(i, ...)
        if math.type(value) == "float" then value = string.format("%.3f", value) end
        parts[#parts + 1] = tostring(value)
    end
    print(table.concat(parts, " "))
end

Log("main ran", "Config", Config ~= nil, "V3", V3 ~= nil)

function InitializeScriptingSystem() Log("InitializeScriptingSystem", "V3", V3 ~= nil, "Math", Math ~= nil) end
function Init() Log("Init") end
function InitializePendingObjects() Log("InitializePendingObjects") end
function SendPendingEvents() Log("SendPendingEvents") end
function UpdateScriptComponent(dt, place) Log("UpdateScriptComponent", dt, place) end

function AttachComponentToObject(id, place, className)
    Log("AttachComponentToObject", id, place, className)
    local class = _G[className]
    if class and class.OnAttach then class.OnAttach(id) end
end

function DeleteGameObject(id, place) Log("DeleteGameObject", id, place) end
function SendEvent(place, id, name, otherId, x, y, z) Log("SendEvent", place, id, name, otherId, x, y, z) end
function Finalize() Log("Finalize") end
function RestartScriptingSystem() Log("RestartScriptingSystem") end

-- For the calls by format.
function Describe(a, b, n, text, pointer)
    Log("Describe", a, b, math.type(n), n, text, pointer == nil and "nil" or type(pointer))
    return a + b, true, "sum", n * 2
end
function WrongTypes() return "not a number", 7 end
