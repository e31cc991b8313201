// sound/EventDescription.h
#pragma once
#include <string>

#include "sound/SampleCache.h"

namespace zumek {

class EventInstance;
class StudioSystem;

/// What a bank says about one event: its sample and how it plays. Owned by its bank.
class EventDescription {
public:
    /// `sample` may be null (its file could not be decoded): the event then plays nothing.
    EventDescription(StudioSystem& system, std::string path, const CachedSample* sample, bool loop, bool positioned,
                     float volume)
        : m_system(system), m_path(std::move(path)), m_sample(sample), m_loop(loop), m_positioned(positioned),
          m_volume(volume) {}

    /// A new instance, owned by the studio system until its Release.
    EventInstance* CreateInstance();

    const std::string& Path() const { return m_path; }
    const CachedSample* Sample() const { return m_sample; }
    bool IsLooping() const { return m_loop; }
    bool IsPositioned() const { return m_positioned; }
    float BaseVolume() const { return m_volume; } ///< linear gain, multiplied by the instance's volume

private:
    StudioSystem& m_system;
    std::string m_path;
    const CachedSample* m_sample;
    bool m_loop;
    bool m_positioned;
    float m_volume;
};

} // namespace zumek
