-- Calls every function of every engine library with the given arguments, each under pcall, and
-- prints how many functions there were and how many raised a Lua error.
local libraries = {"Scripting", "Sound", "Transform", "Body", "Sprite", "Object", "Input", "Camera", "Physics",
                   "ObjectManager", "SettingManager", "InputManager", "PickingListener", "SignalManager", "Vec",
                   "Particles", "PlaceManager", "Light", "SpeechWindow"}

function CallEverything(...)
    local functions, failures = 0, 0
    for _, library in ipairs(libraries) do
        local names = {}
        for name in pairs(_G[library]) do names[#names + 1] = name end
        table.sort(names)
        for _, name in ipairs(names) do
            functions = functions + 1
            local ok, message = pcall(_G[library][name], ...)
            if not ok then
                failures = failures + 1
                print(library .. "." .. name .. ": " .. tostring(message))
            end
        end
    end
    Show(functions, failures)
end
