// sound/SoundBank.cpp
#include "sound/SoundBank.h"

#include <cmath>
#include <cstring>
#include <filesystem>

#include <tinyxml2.h>

namespace zumek {
namespace {

constexpr float kMaxVolume = 4.0f;

/// Reads an optional "true"/"false" attribute; false when present with another value.
bool ReadFlag(const tinyxml2::XMLElement& element, const char* name, bool& value) {
    const char* text = element.Attribute(name);
    if (!text) return true;
    if (std::strcmp(text, "true") == 0) value = true;
    else if (std::strcmp(text, "false") == 0) value = false;
    else return false;
    return true;
}

} // namespace

bool SoundBank::Read(const std::string& path, std::vector<BankEntry>& entries, std::string& error,
                     std::vector<std::string>& problems) {
    tinyxml2::XMLDocument document;
    tinyxml2::XMLError result = document.LoadFile(path.c_str());
    if (result == tinyxml2::XML_ERROR_FILE_NOT_FOUND) {
        error = "no such file";
        return false;
    }
    if (result != tinyxml2::XML_SUCCESS) {
        error = "line " + std::to_string(document.ErrorLineNum()) + ": " + document.ErrorStr();
        return false;
    }
    const tinyxml2::XMLElement* root = document.RootElement();
    if (!root || std::strcmp(root->Name(), "SoundBank") != 0) {
        error = "the root element must be <SoundBank>";
        return false;
    }
    int version = 0;
    if (root->QueryIntAttribute("Version", &version) != tinyxml2::XML_SUCCESS || version != 1) {
        error = "<SoundBank> needs Version=\"1\"";
        return false;
    }

    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    for (const tinyxml2::XMLElement* element = root->FirstChildElement(); element;
         element = element->NextSiblingElement()) {
        std::string where = std::to_string(element->GetLineNum()) + ": ";
        if (std::strcmp(element->Name(), "Event") != 0) {
            problems.push_back(where + "unknown element <" + std::string(element->Name()) + ">, expected <Event>");
            continue;
        }
        BankEntry entry;
        entry.line = element->GetLineNum();
        const char* eventPath = element->Attribute("Path");
        const char* sample = element->Attribute("Sample");
        if (!eventPath || std::strncmp(eventPath, "event:/", 7) != 0) {
            problems.push_back(where + "<Event> needs a Path starting with \"event:/\"");
            continue;
        }
        entry.path = eventPath;
        if (!sample || !*sample) {
            problems.push_back(where + entry.path + ": <Event> needs a Sample file");
            continue;
        }
        std::filesystem::path samplePath(sample);
        entry.sampleFile = (samplePath.is_absolute() ? samplePath : folder / samplePath).lexically_normal().string();
        if (!ReadFlag(*element, "Loop", entry.loop) || !ReadFlag(*element, "Positioned", entry.positioned)) {
            problems.push_back(where + entry.path + ": Loop and Positioned must be \"true\" or \"false\"");
            continue;
        }
        if (element->Attribute("Volume") &&
            (element->QueryFloatAttribute("Volume", &entry.volume) != tinyxml2::XML_SUCCESS ||
             !std::isfinite(entry.volume) || entry.volume < 0.0f || entry.volume > kMaxVolume)) {
            problems.push_back(where + entry.path + ": Volume must be a number from 0 to 4, got \"" +
                               element->Attribute("Volume") + "\"");
            continue;
        }
        entries.push_back(std::move(entry));
    }
    return true;
}

EventDescription* SoundBank::Add(std::unique_ptr<EventDescription> description) {
    m_events.push_back(std::move(description));
    return m_events.back().get();
}

} // namespace zumek
