// sound/SoundBank.h
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "sound/EventDescription.h"

namespace zumek {

/// One <Event> of a bank file, as read (see sound/BANKS.md).
struct BankEntry {
    std::string path;       ///< the event path, "event:/..."
    std::string sampleFile; ///< resolved against the bank file's folder
    bool loop = false;
    bool positioned = false;
    float volume = 1.0f; ///< linear gain, 0..4
    int line = 0;        ///< line in the bank file, for messages
};

/// A loaded bank file: the events it describes, owned here for the life of the studio system.
class SoundBank {
public:
    explicit SoundBank(std::string path) : m_path(std::move(path)) {}

    /// Reads the bank file at `path` into `entries`. A file that cannot be read or is not a bank
    /// gives false and `error`; an entry that is wrong is left out and described in `problems`
    /// ("line N: what is wrong"), and the other entries are still read.
    static bool Read(const std::string& path, std::vector<BankEntry>& entries, std::string& error,
                     std::vector<std::string>& problems);

    const std::string& Path() const { return m_path; }
    const std::vector<std::unique_ptr<EventDescription>>& Events() const { return m_events; }
    EventDescription* Add(std::unique_ptr<EventDescription> description);

private:
    std::string m_path;
    std::vector<std::unique_ptr<EventDescription>> m_events;
};

} // namespace zumek
