// sound/SoundSerializer.h
#pragma once
#include <string>
#include <unordered_map>

#include "content/ContentProvider.h"

namespace zumek {

/// Reads a sound-event table (content type SoundEvent): a root element of any name whose <Event>
/// children map a game name ("Name") to an event path or, for names containing "bus", to a bank
/// ("Path"). A later entry of the same name replaces the earlier one.
class SoundSerializer final : public ContentSerializer<std::unordered_map<std::string, std::string>> {
public:
    explicit SoundSerializer(std::string key) : m_key(std::move(key)) {}

    /// The name-to-path map. A table that cannot be read, has no root element or no <Event>
    /// children gives an empty map after one log line naming the file; an <Event> without a Name
    /// or Path is left out with a line naming the file and line.
    std::unordered_map<std::string, std::string> Deserialize() override;

private:
    std::string m_key;
};

} // namespace zumek
