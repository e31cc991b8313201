// platform/MessageTranslation.h
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/WindowMessages.h"

union SDL_Event;

namespace zumek {

/// The mouse while the window holds it for mouse look (SDL's relative mode, cursor hidden).
/// The cursor then stays put and motion arrives as relative steps; the window messages carry
/// positions accumulated from those steps, so the look keeps turning however far the mouse goes.
/// Positions are 16-bit words: they wrap round at 65536, and the difference of two successive
/// positions, taken modulo 65536, is still the step.
struct CapturedMouse {
    bool active = false;
    int32_t x = 0; ///< accumulated position, 0..65535
    int32_t y = 0;
    int32_t clickX = 0; ///< where button messages land while captured: the window's centre,
    int32_t clickY = 0; ///< the point the view is aimed at
};

/// Appends the window messages an SDL event stands for (none for events the window procedure
/// never sees). Key repeats become further WM_KEYDOWN messages; a quit request or the close
/// button becomes WM_CLOSE; a minimised window WM_SIZE with SIZE_MINIMIZED; a change of display
/// (the window moved to another one, or a display changed) WM_SIZE with SIZE_RESTORED, so the
/// picture is fitted again. With `captured` active, mouse motion is accumulated into it and
/// buttons land at its click point.
void TranslateSdlEvent(const SDL_Event& event, std::vector<WindowMessage>& out, CapturedMouse* captured = nullptr);

/// The virtual-key code of an SDL key (by keycode, with the keypad taken by scancode so that
/// Num Lock does not matter); 0 for keys without one.
uint32_t VirtualKeyFromSdl(int32_t keycode, int32_t scancode);

/// The virtual-key code of a key name as used in replay files: A..Z, 0..9, Return, Escape,
/// Space, Left, Up, Right, Down, Control, Shift, Alt, Back, Tab, F1..F12, Numpad0..Numpad9.
/// 0 for an unknown name.
uint32_t VirtualKeyFromName(const std::string& name);

} // namespace zumek
