// scripting/ScriptSerializer.cpp
#include "scripting/ScriptSerializer.h"

#include <tinyxml2.h>

#include "content/XmlReading.h"

namespace zumek {

std::unique_ptr<Script> ScriptSerializer::Deserialize() {
    const char* key = ChildText(m_element, "key");
    if (!key) {
        ReportRead(m_source, &m_element, "Reading script key", "has no <key> text naming the script class; the component is skipped");
        return nullptr;
    }
    return std::make_unique<Script>(key);
}

} // namespace zumek
