// scripting/ScriptSerializer.h
#pragma once
#include <memory>

#include "content/ComponentSource.h"
#include "content/ContentProvider.h"
#include "scripting/Script.h"

namespace zumek {

/// Reads a "script" component: the text of its "key" child is the script class name (required;
/// null, reported, without it).
class ScriptSerializer final : public ContentSerializer<std::unique_ptr<Script>> {
public:
    ScriptSerializer(const tinyxml2::XMLElement& element, const ComponentSource& source)
        : m_element(element), m_source(source) {}
    std::unique_ptr<Script> Deserialize() override;

private:
    const tinyxml2::XMLElement& m_element;
    const ComponentSource& m_source;
};

} // namespace zumek
