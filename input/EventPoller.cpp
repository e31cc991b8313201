// input/EventPoller.cpp
#include "input/EventPoller.h"

#include "engine/SettingManager.h"
#include "engine/SignalManager.h"
#include "input/HeldKeys.h"
#include "input/InputEvents.h"
#include "platform/WindowMessages.h"

namespace zumek {
namespace {

// Places with their own key rules: 11 (a text prompt) and 9 (where Escape does nothing).
constexpr PlaceId kPromptPlace = PlaceId(11);
constexpr PlaceId kNoEscapePlace = PlaceId(9);

struct KeyEvent {
    uint32_t key;
    InputEvent event;
};

using namespace input_event;
const KeyEvent kKeyTable[] = {
    {VK_RETURN, SELECT}, {VK_CONTROL, FIRE}, {VK_SPACE, SPACE}, {VK_LEFT, ARROW_LEFT},
    {VK_UP, ARROW_UP}, {VK_RIGHT, ARROW_RIGHT}, {VK_DOWN, ARROW_DOWN}, {'1', RENDER_MODE_PREVIOUS},
    {'2', RENDER_MODE_NEXT}, {'A', MOVE_LEFT}, {'D', MOVE_RIGHT}, {'E', KEY_E}, {'F', STEP_FORWARD},
    {'I', KEY_I}, {VK_NUMPAD0 + 8, KEY_I}, {'J', KEY_J}, {VK_NUMPAD0 + 5, KEY_J}, {'K', KEY_K},
    {VK_NUMPAD0 + 9, KEY_K}, {'L', KEY_L}, {VK_NUMPAD0 + 6, KEY_L}, {'M', LEVEL_PREVIOUS},
    {'N', LEVEL_NEXT}, {'P', PAUSE_PHYSICS}, {'R', STEP_BACKWARD}, {'S', MOVE_BACKWARD},
    {'W', MOVE_FORWARD}, {VK_NUMPAD0 + 1, TOGGLE_DEBUG_DRAW}, {VK_NUMPAD0 + 2, TOGGLE_DEBUG},
    {VK_NUMPAD0 + 3, TOGGLE_HUD}, {VK_NUMPAD0 + 4, NUMPAD_4}, {VK_NUMPAD0 + 7, NUMPAD_7},
    {VK_F5, SKIP_SCREEN}, {VK_F1, TOGGLE_INSPECTOR}, {VK_F1 + 11, SCREENSHOT},
};

} // namespace

EventPoller::EventPoller() { SignalManager::Connect<PlaceId>(this); }

void EventPoller::OnKeyDown(uint32_t key) {
    InputEvents& events = InputEvents::Instance();
    if (m_place == kPromptPlace) {
        if (key == VK_BACK || key == VK_RETURN || key == VK_F5) events.Raise(input_event::SKIP_SCREEN);
        else if (key == VK_ESCAPE) events.Raise(input_event::PLACE_TOGGLE);
        return;
    }
    if (key == VK_ESCAPE) {
        if (m_place != kNoEscapePlace) events.Raise(input_event::PLACE_TOGGLE);
        return;
    }
    for (const auto& entry : kKeyTable) {
        if (entry.key == key) {
            // Walk and arrow keys are raised by the held keys at the start of the next frame.
            if (HeldKeys::Lasts(entry.event)) HeldKeys::Instance().Press(key, entry.event);
            else events.Raise(entry.event);
            return;
        }
    }
}

void EventPoller::Handle(PlaceId place) {
    m_place = place;
    // The prompt takes keys as text: no walking on from a key held before it came up.
    if (m_place == kPromptPlace) HeldKeys::Instance().ReleaseAll();
}

float EventPoller::Step(float from, float to) {
    // Positions are 16-bit words and wrap round at 65536 (the accumulated positions of mouse
    // look do): the step is the difference taken modulo 65536.
    auto difference = static_cast<uint16_t>(static_cast<uint32_t>(to) - static_cast<uint32_t>(from));
    return static_cast<float>(static_cast<int16_t>(difference));
}

void EventPoller::OnMessage(Window*, uint32_t message, uint64_t wParam, int64_t lParam) {
    InputEvents& events = InputEvents::Instance();
    switch (message) {
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUIT:
        events.Raise(input_event::QUIT);
        break;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) events.Raise(input_event::RESIZED);
        break;
    case WM_SETFOCUS:
        events.Raise(input_event::FOCUS_GAINED);
        break;
    case WM_KILLFOCUS:
        events.Raise(input_event::FOCUS_LOST);
        // The key-ups will go to another window.
        HeldKeys::Instance().ReleaseAll();
        break;
    case WM_LBUTTONDOWN:
        if (m_place == kPromptPlace) events.Raise(input_event::PLACE_TOGGLE);
        break;
    case WM_LBUTTONUP: {
        float x = static_cast<float>(LowWord(lParam));
        float y = static_cast<float>(HighWord(lParam));
        events.Raise(input_event::CLICK);
        events.clickPosition = {x, y, 0.0f, 0.0f};
        break;
    }
    case WM_MOUSEMOVE: {
        if (SettingManager::GetSetting<OculusSetting>() != 0) {
            float x = static_cast<float>(LowWord(lParam));
            float y = static_cast<float>(HighWord(lParam));
            float dx = Step(m_lastX, x);
            float dy = Step(m_lastY, y);
            if (dx > 0) {
                events.Raise(input_event::CAMERA_RIGHT);
                events.Raise(input_event::MOUSE_RIGHT);
            } else if (dx < 0) {
                events.Raise(input_event::CAMERA_LEFT);
                events.Raise(input_event::MOUSE_LEFT);
            }
            if (dy > 0) {
                events.Raise(input_event::CAMERA_DOWN);
                events.Raise(input_event::MOUSE_DOWN);
            } else if (dy < 0) {
                events.Raise(input_event::CAMERA_UP);
                events.Raise(input_event::MOUSE_UP);
            }
            m_lastX = x;
            m_lastY = y;
        }
        if (m_place == kPromptPlace) events.Raise(input_event::PLACE_TOGGLE);
        break;
    }
    case WM_KEYDOWN:
        OnKeyDown(static_cast<uint32_t>(wParam));
        break;
    case WM_KEYUP:
        HeldKeys::Instance().Release(static_cast<uint32_t>(wParam));
        break;
    default:
        break;
    }
}

} // namespace zumek
