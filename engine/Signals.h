// engine/Signals.h
#pragma once
// The signal types: one channel each, created together by the SignalManager. Payloads are plain
// records or enumerations passed by value; every receiver gets its own copy.

#include <cstdint>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

#include "engine/LogMessage.h"
#include "engine/Settings.h"

namespace zumek {

class Component;
class Object;

/// A request to build an object (also a level's object entry). The components are prototypes
/// the request does not own: whoever builds the request keeps them alive while it is handled
/// (a level keeps those of its entries). They are cloned onto the new object after the
/// archetype's own, so they replace components of the same class.
struct ObjectCreateSignal {
    std::string id;        ///< explicit id, or empty to have one generated
    std::string archetype; ///< key of the archetype to build from
    std::string parentId;  ///< empty: the archetype's parent id applies
    std::vector<const Component*> components;
};

/// A request to destroy the object with this id (in the current place).
struct ObjectDestroySignal {
    std::string id;
};

/// Announced after an object was deleted.
struct ObjectDestroyedSignal {
    std::string id;
    std::string place;
};

/// Announced after an object was built, filed and initialised.
struct ObjectCreatedSignal {
    Object* object = nullptr;
};

/// 0: the window was resized.
enum GraphicsSignal : int32_t { GRAPHICS_RESIZED = 0 };
/// 1: fullscreen, anything else: windowed.
enum GraphicsMode : int32_t { GRAPHICS_WINDOWED = 0, GRAPHICS_FULLSCREEN = 1 };
/// A place number; 13 is the initial value of every receiver.
enum PlaceId : int32_t { PLACE_DEFAULT = 13 };
/// Unused editor notifications.
enum EditorSignal : int32_t {};
/// A sound command: 0 pause music and 1 resume it (from scripts); 4 reload the event table,
/// 5 pause, 6 resume the whole sound system.
enum SoundSignal : int32_t {
    SOUND_PAUSE_MUSIC = 0,
    SOUND_RESUME_MUSIC = 1,
    SOUND_RELOAD_EVENTS = 4,
    SOUND_PAUSE_ALL = 5,
    SOUND_RESUME_ALL = 6,
};

/// The click pick's result: the picked object's number.
struct ObjectSelectSignal {
    std::string name;
    int32_t id = 0;
    bool selected = false;
};

/// Load the level of this name at the start of the next frame.
struct LoadLevelSignal {
    std::string name;
};

/// The laser's line: consecutive points joined by segments, in one RGB colour.
struct LaserSignal {
    std::vector<glm::vec3> points;
    glm::vec3 color{1.0f, 0.0f, 0.0f};
};

/// Start (play = true) or stop the music event of this name.
struct MusicSignal {
    std::string name;
    bool play = false;
};

/// Play the effect event of this name once.
struct SfxSignal {
    std::string name;
};

/// Play a positioned sound (play = true) or move it (play = false).
struct Sound3DSignal {
    std::string name;
    float x = 0, y = 0, z = 0;
    bool play = false;
};

/// Move the listener.
struct ListenerPositionSignal {
    float x = 0, y = 0, z = 0;
};

/// Start a screen fade with this step.
struct FadeSignal {
    float step = 0;
};

/// Two objects overlap. The vector is always (1, 0, 0).
struct CollisionSignal {
    std::string firstId;
    std::string secondId;
    std::string firstTag;
    std::string secondTag;
    float x = 1, y = 0, z = 0;
};

/// Remove saved level states: "all" or the suffix of one file "state_level<suffix>".
struct DeleteLevedlStateSignal {
    std::string text;
};

} // namespace zumek
