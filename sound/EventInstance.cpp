// sound/EventInstance.cpp
#include "sound/EventInstance.h"

#include "sound/StudioSystem.h"

namespace zumek {

void EventInstance::SetVolume(float volume) {
    m_system.Enqueue([this, volume] {
        m_volume = volume;
        m_system.ApplyVolume(*this);
    });
}

void EventInstance::Start() {
    m_system.Enqueue([this] { m_system.ApplyStart(*this); });
}

void EventInstance::StopImmediate() {
    m_system.Enqueue([this] { m_system.ApplyStop(*this); });
}

void EventInstance::Set3DAttributes(const Attributes3D& attributes) {
    glm::vec3 position = attributes.position;
    m_system.Enqueue([this, position] {
        m_position = position;
        m_system.ApplyPosition(*this);
    });
}

void EventInstance::Release() {
    m_system.Enqueue([this] { m_system.ApplyRelease(*this); });
}

} // namespace zumek
