// content/LevelSerializer.cpp
#include "content/LevelSerializer.h"

#include <memory>

#include <tinyxml2.h>

#include "content/ComponentElements.h"
#include "content/ContentType.h"
#include "content/XmlReading.h"
#include "engine/EngineLog.h"

namespace zumek {
namespace {

void ReadEntry(const tinyxml2::XMLElement& entry, const ComponentSource& source, Level& level) {
    const char* key = entry.Attribute("key");
    if (!key) {
        ReportRead(source, &entry, "A level entry has no archetype key", "has no 'key'; the entry is skipped");
        return;
    }
    EngineLog::Instance().WriteInfo(std::string("Serializing Archetype") + key);
    ObjectCreateSignal request;
    request.archetype = key;
    if (const char* id = entry.Attribute("id")) request.id = id;
    if (const char* parentId = entry.Attribute("parentId")) request.parentId = parentId;
    const size_t first = level.prototypes.size();
    ReadComponentElements(entry, source, ComponentHost::Level, level.prototypes);
    for (size_t i = first; i < level.prototypes.size(); ++i) request.components.push_back(level.prototypes[i].get());
    level.objects.push_back(std::move(request));
}

} // namespace

std::unique_ptr<Level> LevelSerializer::Deserialize() {
    EngineLog::Instance().WriteInfo("Serializing Level" + m_name);
    auto level = std::make_unique<Level>(m_name);
    ComponentSource source{GetContentPath(ContentType::Level, m_name)};
    const std::string failure = "The Level file " + m_name + " could not be loaded.";
    tinyxml2::XMLDocument document;
    if (document.LoadFile(source.file.c_str()) != tinyxml2::XML_SUCCESS) {
        ReportProblem(Error, failure, source.file + ": " + document.ErrorStr());
        return level;
    }
    const tinyxml2::XMLElement* root = document.FirstChildElement("level");
    if (!root) {
        ReportProblem(Error, failure, source.file + ": the root element is not <level>");
        return level;
    }
    for (const tinyxml2::XMLElement* entry = root->FirstChildElement("archetype"); entry;
         entry = entry->NextSiblingElement("archetype"))
        ReadEntry(*entry, source, *level);
    return level;
}

} // namespace zumek
