// platform/MessageTranslation.cpp
#include "platform/MessageTranslation.h"

#include <SDL.h>

namespace zumek {

uint32_t VirtualKeyFromSdl(int32_t keycode, int32_t scancode) {
    if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9)
        return VK_NUMPAD0 + 1 + static_cast<uint32_t>(scancode - SDL_SCANCODE_KP_1);
    switch (scancode) {
    case SDL_SCANCODE_KP_0: return VK_NUMPAD0;
    case SDL_SCANCODE_KP_ENTER: return VK_RETURN;
    case SDL_SCANCODE_KP_MULTIPLY: return VK_MULTIPLY;
    case SDL_SCANCODE_KP_PLUS: return VK_ADD;
    case SDL_SCANCODE_KP_MINUS: return VK_SUBTRACT;
    case SDL_SCANCODE_KP_PERIOD: return VK_DECIMAL;
    case SDL_SCANCODE_KP_DIVIDE: return VK_DIVIDE;
    default: break;
    }
    if (keycode >= SDLK_a && keycode <= SDLK_z) return 'A' + static_cast<uint32_t>(keycode - SDLK_a);
    if (keycode >= SDLK_0 && keycode <= SDLK_9) return '0' + static_cast<uint32_t>(keycode - SDLK_0);
    if (keycode >= SDLK_F1 && keycode <= SDLK_F12) return VK_F1 + static_cast<uint32_t>(keycode - SDLK_F1);
    switch (keycode) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN: return VK_RETURN;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL: case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT: case SDLK_RALT: return VK_MENU;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_CAPSLOCK: return VK_CAPITAL;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_END: return VK_END;
    case SDLK_HOME: return VK_HOME;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    default: return 0;
    }
}

uint32_t VirtualKeyFromName(const std::string& name) {
    if (name.size() == 1) {
        char c = name[0];
        if (c >= 'A' && c <= 'Z') return static_cast<uint32_t>(c);
        if (c >= '0' && c <= '9') return static_cast<uint32_t>(c);
        return 0;
    }
    if (name.size() == 7 && name.compare(0, 6, "Numpad") == 0 && name[6] >= '0' && name[6] <= '9')
        return VK_NUMPAD0 + static_cast<uint32_t>(name[6] - '0');
    if ((name.size() == 2 || name.size() == 3) && name[0] == 'F') {
        int n = 0;
        for (size_t i = 1; i < name.size(); ++i) {
            if (name[i] < '0' || name[i] > '9') return 0;
            n = n * 10 + (name[i] - '0');
        }
        return (n >= 1 && n <= 12) ? VK_F1 + static_cast<uint32_t>(n - 1) : 0;
    }
    struct Named { const char* name; uint32_t key; };
    static const Named table[] = {
        {"Return", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Space", VK_SPACE}, {"Left", VK_LEFT},
        {"Up", VK_UP},         {"Right", VK_RIGHT},   {"Down", VK_DOWN},   {"Control", VK_CONTROL},
        {"Shift", VK_SHIFT},   {"Alt", VK_MENU},      {"Back", VK_BACK},   {"Tab", VK_TAB},
    };
    for (const auto& entry : table)
        if (name == entry.name) return entry.key;
    return 0;
}

void TranslateSdlEvent(const SDL_Event& event, std::vector<WindowMessage>& out, CapturedMouse* captured) {
    const bool relative = captured && captured->active;
    switch (event.type) {
    case SDL_QUIT:
        out.push_back({WM_CLOSE, 0, 0});
        break;
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE: out.push_back({WM_CLOSE, 0, 0}); break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            out.push_back({WM_SIZE, SIZE_RESTORED, PackPoint(event.window.data1, event.window.data2)});
            break;
        case SDL_WINDOWEVENT_MINIMIZED: out.push_back({WM_SIZE, SIZE_MINIMIZED, 0}); break;
        case SDL_WINDOWEVENT_MAXIMIZED: out.push_back({WM_SIZE, SIZE_MAXIMIZED, 0}); break;
        case SDL_WINDOWEVENT_RESTORED: out.push_back({WM_SIZE, SIZE_RESTORED, 0}); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: out.push_back({WM_SETFOCUS, 0, 0}); break;
        case SDL_WINDOWEVENT_FOCUS_LOST: out.push_back({WM_KILLFOCUS, 0, 0}); break;
        case SDL_WINDOWEVENT_EXPOSED: out.push_back({WM_PAINT, 0, 0}); break;
        case SDL_WINDOWEVENT_DISPLAY_CHANGED: out.push_back({WM_SIZE, SIZE_RESTORED, 0}); break;
        default: break;
        }
        break;
    case SDL_DISPLAYEVENT:
        out.push_back({WM_SIZE, SIZE_RESTORED, 0});
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        uint32_t key = VirtualKeyFromSdl(event.key.keysym.sym, event.key.keysym.scancode);
        if (key != 0) out.push_back({event.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP, key, 0});
        break;
    }
    case SDL_MOUSEMOTION:
        if (relative) {
            captured->x = (captured->x + event.motion.xrel) & 0xFFFF;
            captured->y = (captured->y + event.motion.yrel) & 0xFFFF;
            out.push_back({WM_MOUSEMOVE, 0, PackPoint(captured->x, captured->y)});
        } else {
            out.push_back({WM_MOUSEMOVE, 0, PackPoint(event.motion.x, event.motion.y)});
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        bool down = event.type == SDL_MOUSEBUTTONDOWN;
        uint32_t message = 0;
        if (event.button.button == SDL_BUTTON_LEFT) message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        else if (event.button.button == SDL_BUTTON_RIGHT) message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        else if (event.button.button == SDL_BUTTON_MIDDLE) message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
        if (message == 0) break;
        if (relative) out.push_back({message, 0, PackPoint(captured->clickX, captured->clickY)});
        else out.push_back({message, 0, PackPoint(event.button.x, event.button.y)});
        break;
    }
    default:
        break;
    }
}

} // namespace zumek
