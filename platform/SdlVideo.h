// platform/SdlVideo.h
#pragma once

namespace zumek {

/// Reference-counted start and stop of SDL's video and game-controller subsystems, shared by
/// the window, the gamepad and the message box.
class SdlVideo {
public:
    /// Starts the subsystems on the first call; false (and nothing to release) when they cannot start.
    static bool Acquire();
    static void Release();
};

/// Reference-counted start and stop of SDL's game-controller subsystem alone (no display needed).
class SdlGameControllers {
public:
    static bool Acquire();
    static void Release();
};

} // namespace zumek
