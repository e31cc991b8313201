-- Input and InputManager: one-shot actions and the level states of mouse and gamepad.
InputCases = {}

local actions = {"MoveLeft", "MoveRight", "MoveForward", "MoveBackward", "MouseMoveLeft", "MouseMoveRight",
                 "MouseMoveUp", "MouseMoveDown", "KeyFire", "MouseClick", "SkipScreen", "LevelNext",
                 "LevelPrevious", "Select", "PlaceToggle"}

-- Each action asked twice: true then false when its event was pending.
function InputCases.Actions()
    local line = {}
    for _, name in ipairs(actions) do
        local first, second = Input[name](), Input[name]()
        line[#line + 1] = name .. "=" .. tostring(first) .. "/" .. tostring(second)
    end
    print(table.concat(line, " "))
end

function InputCases.PressKey()
    Show(Input.PressKey("!"), Input.PressKey("!bang"), Input.PressKey("?"), Input.PressKey(""), Input.PressKey())
end

function InputCases.States()
    Show(InputManager.MouseLeft(), InputManager.MouseRight(), InputManager.IsJoyConnected())
    Show(InputManager.GetMousePosition())
    Show(InputManager.GetJoyPad(1))
    Show(InputManager.GetJoyPad(2))
    Show(InputManager.GetJoyTrigger(1), InputManager.GetJoyTrigger(0))
    Show(InputManager.GetHydraPosition(1))
    Show(InputManager.GetHydraPosition(2))
    Show(InputManager.GetHydraTriggers(1))
    Show(InputManager.GetHydraTriggers(2))
end

function InputCases.Buttons()
    local line = {}
    for _, id in ipairs({INPUT_R_SHOULDER, INPUT_L_SHOULDER, INPUT_JOYSTICK_A, INPUT_JOYSTICK_B, INPUT_JOYSTICK_X,
                         INPUT_JOYSTICK_Y, INPUT_DPAD_LEFT, INPUT_DPAD_RIGHT, INPUT_DPAD_UP, INPUT_DPAD_DOWN,
                         INPUT_JOYSTICK_START}) do
        line[#line + 1] = InputManager.GetJoyButton(id) and "1" or "0"
    end
    print(table.concat(line))
end

function InputCases.Refresh()
    InputManager.Refresh()
end
