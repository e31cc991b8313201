// platform/MessageTranslation.h
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/WindowMessages.h"

union SDL_Event;

namespace zumek {

/// Appends the window messages an SDL event stands for (none for events the window procedure
/// never sees). Key repeats become further WM_KEYDOWN messages; a quit request or the close
/// button becomes WM_CLOSE; a minimised window WM_SIZE with SIZE_MINIMIZED.
void TranslateSdlEvent(const SDL_Event& event, std::vector<WindowMessage>& out);

/// The virtual-key code of an SDL key (by keycode, with the keypad taken by scancode so that
/// Num Lock does not matter); 0 for keys without one.
uint32_t VirtualKeyFromSdl(int32_t keycode, int32_t scancode);

/// The virtual-key code of a key name as used in replay files: A..Z, 0..9, Return, Escape,
/// Space, Left, Up, Right, Down, Control, Shift, Alt, Back, Tab, F1..F12, Numpad0..Numpad9.
/// 0 for an unknown name.
uint32_t VirtualKeyFromName(const std::string& name);

} // namespace zumek
