// content/ArchetypeSerializer.cpp
#include "content/ArchetypeSerializer.h"

#include <memory>

#include <tinyxml2.h>

#include "content/ComponentElements.h"
#include "content/ContentType.h"
#include "content/XmlReading.h"
#include "engine/EngineLog.h"

namespace zumek {

std::unique_ptr<Archetype> ArchetypeSerializer::Deserialize() {
    ComponentSource source{GetContentPath(ContentType::Archetype, m_key)};
    const std::string failure = "The content file for the " + m_key + " archetype could not be loaded.";
    tinyxml2::XMLDocument document;
    if (document.LoadFile(source.file.c_str()) != tinyxml2::XML_SUCCESS) {
        ReportProblem(Error, failure, source.file + ": " + document.ErrorStr());
        return nullptr;
    }
    const tinyxml2::XMLElement* root = document.FirstChildElement("archetype");
    if (!root) {
        ReportProblem(Error, failure, source.file + ": the root element is not <archetype>");
        return nullptr;
    }
    const char* key = root->Attribute("key");
    if (!key || m_key != key) {
        // The file was found under the requested key, so it is the best match there is.
        ReportRead(source, root, "The archetype key does not match its file",
                   std::string("has key '") + (key ? key : "") + "', requested as '" + m_key + "'; the file is used");
    }
    const char* idPrefix = root->Attribute("idPrefix");
    const char* tag = root->Attribute("tag");
    if (!idPrefix || !tag) {
        ReportRead(source, root, failure,
                   std::string("has no '") + (idPrefix ? "tag" : "idPrefix") + "'; no object of it is created");
        return nullptr;
    }
    auto archetype = std::make_unique<Archetype>();
    archetype->idPrefix = idPrefix;
    archetype->tag = tag;
    if (const char* parentId = root->Attribute("parentId")) archetype->parentId = parentId;
    ReadComponentElements(*root, source, ComponentHost::Archetype, archetype->components);
    return archetype;
}

} // namespace zumek
