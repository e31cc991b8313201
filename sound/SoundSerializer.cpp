// sound/SoundSerializer.cpp
#include "sound/SoundSerializer.h"

#include <tinyxml2.h>

#include "content/ContentType.h"
#include "engine/EngineLog.h"

namespace zumek {

std::unordered_map<std::string, std::string> SoundSerializer::Deserialize() {
    std::unordered_map<std::string, std::string> table;
    std::string path = GetContentPath(ContentType::SoundEvent, m_key);
    tinyxml2::XMLDocument document;
    tinyxml2::XMLError result = document.LoadFile(path.c_str());
    if (result != tinyxml2::XML_SUCCESS) {
        std::string what = result == tinyxml2::XML_ERROR_FILE_NOT_FOUND
                               ? std::string("no such file")
                               : "line " + std::to_string(document.ErrorLineNum()) + ": " + document.ErrorStr();
        ReportProblem(Error, "Could not read the sound event table", path + ": " + what);
        return table;
    }
    // Bad data must not stop the game: a table without a root or without events gives no events.
    const tinyxml2::XMLElement* root = document.FirstChildElement();
    if (!root) {
        ReportProblem(Error, "The sound event table has no root element", path);
        return table;
    }
    const tinyxml2::XMLElement* element = root->FirstChildElement("Event");
    if (!element) {
        ReportProblem(Error, "The sound event table has no Event elements", path);
        return table;
    }
    for (; element; element = element->NextSiblingElement("Event")) {
        const char* name = element->Attribute("Name");
        const char* eventPath = element->Attribute("Path");
        // A bank entry (a name containing "bus") is loaded by its name; its Path may be anything.
        bool isBank = name && std::string(name).find("bus") != std::string::npos;
        if (!name || (!eventPath && !isBank)) {
            ReportProblem(Warning, "A sound event entry was left out",
                          path + ":" + std::to_string(element->GetLineNum()) + ": <Event> needs Name and Path");
            continue;
        }
        table[name] = eventPath ? eventPath : "";
    }
    return table;
}

} // namespace zumek
