// sound/EventInstance.h
#pragma once
#include <glm/vec3.hpp>

namespace zumek {

class EventDescription;
class StudioSystem;

/// Position and motion of a positioned sound, in world units.
struct Attributes3D {
    glm::vec3 position{0.0f};
    glm::vec3 velocity{0.0f};
    glm::vec3 forward{0.0f};
    glm::vec3 up{0.0f};
};

/// One playable copy of an event. Every call is a request that takes effect at the studio
/// system's next Update, in the order the requests were made; any thread may make them.
class EventInstance {
public:
    /// Linear gain, multiplied by the event's base volume; 1 at creation.
    void SetVolume(float volume);
    /// Plays from the start; an instance already playing starts over.
    void Start();
    /// Stops at once; nothing happens when it is not playing.
    void StopImmediate();
    /// Where a positioned event is heard; ignored by events that are not positioned.
    void Set3DAttributes(const Attributes3D& attributes);
    /// Stops the instance and frees it at the next Update; the pointer must not be used after.
    void Release();

    const EventDescription& Description() const { return m_description; }

private:
    friend class StudioSystem;
    EventInstance(StudioSystem& system, const EventDescription& description)
        : m_system(system), m_description(description) {}

    StudioSystem& m_system;
    const EventDescription& m_description;
    // Applied state, touched only by the studio system's Update.
    float m_volume = 1.0f;
    glm::vec3 m_position{0.0f};
    int m_channel = -1; ///< the channel playing it, -1 when silent
};

} // namespace zumek
