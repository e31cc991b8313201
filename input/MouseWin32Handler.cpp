// input/MouseWin32Handler.cpp
#include "input/MouseWin32Handler.h"

#include "input/InputStates.h"
#include "platform/WindowMessages.h"

namespace zumek {

void MouseWin32Handler::OnMessage(Window*, uint32_t message, uint64_t, int64_t lParam) {
    if (message < WM_MOUSEMOVE || message > WM_RBUTTONUP) return;
    float x = static_cast<float>(LowWord(lParam));
    float y = static_cast<float>(HighWord(lParam));
    InputStates& states = InputStates::Instance();
    switch (message) {
    case WM_MOUSEMOVE: states.Set(input_state::CURSOR, x, y); break;
    case WM_LBUTTONDOWN: states.Set(input_state::LEFT, x, y); break;
    case WM_LBUTTONUP: states.Clear(input_state::LEFT); break;
    case WM_RBUTTONDOWN: states.Set(input_state::RIGHT, x, y); break;
    case WM_RBUTTONUP: states.Clear(input_state::RIGHT); break;
    default: break; // a double click changes nothing
    }
}

} // namespace zumek
