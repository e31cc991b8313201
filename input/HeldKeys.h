// input/HeldKeys.h
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>

#include "engine/InputEvent.h"

namespace zumek {

class InputEvents;

/// The keys whose events last as long as the key is held: the walk keys W, A, S, D (events
/// 33, 31, 34, 32) and the arrow keys (45 to 48). Their event is raised at the start of every
/// frame's input from the frame after the key-down to the frame of the key-up, and once for a
/// key that went down and up within one frame, so a script that takes Input.MoveForward() every
/// frame sees it in every frame while W is down, whatever the keyboard's auto-repeat does.
/// Raising them at the start of the frame, not when the key message arrives (after the scripts,
/// before the camera looks), lets a script that takes the arrows, as a menu does, see them before
/// the carried camera turns with them. Every other key stays one event per key-down message.
class HeldKeys {
public:
    static HeldKeys& Instance();

    /// Whether `event` lasts while its key is held.
    static bool Lasts(InputEvent event);

    /// `key` went down; its event is `event` (a key already held stays held once).
    void Press(uint32_t key, InputEvent event);
    /// `key` went up. A key pressed since the last RaiseHeld still counts once.
    void Release(uint32_t key);
    /// Every key counts as up at once (the window lost the keyboard).
    void ReleaseAll();

    /// Raises the event of every held key, and of keys pressed and released since the last
    /// call; the input system calls it first in every frame.
    void RaiseHeld(InputEvents& events);

    bool IsHeld(uint32_t key) const { return m_held.count(key) != 0; }
    size_t HeldCount() const { return m_held.size(); }

private:
    HeldKeys() = default;
    std::map<uint32_t, InputEvent> m_held;     ///< by virtual-key code
    std::map<uint32_t, InputEvent> m_pressed;  ///< pressed since the last RaiseHeld
};

} // namespace zumek
