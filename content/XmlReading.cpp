// content/XmlReading.cpp
#include "content/XmlReading.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>

#include <tinyxml2.h>

#include "engine/EngineLog.h"

namespace zumek {
namespace {

std::string FormatNumber(float value) {
    std::string text = std::to_string(value);
    // "1.000000" reads better as "1".
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

} // namespace

std::string DescribeElement(const ComponentSource& source, const tinyxml2::XMLElement* element) {
    std::string text = source.file;
    if (element) {
        // Appended piece by piece: g++ 12 misreads "literal" + std::string as an overlapping copy.
        text.append(":").append(std::to_string(element->GetLineNum())).append(": <").append(element->Name()).append(">");
    }
    return text;
}

NumberRead ReadFloatAttribute(const tinyxml2::XMLElement& element, const char* name, float& value) {
    const char* text = element.Attribute(name);
    if (!text) return NumberRead::Absent;
    char* end = nullptr;
    float parsed = std::strtof(text, &end);
    if (end == text) return NumberRead::Invalid;
    value = parsed;
    return NumberRead::Ok;
}

NumberRead ReadIntText(const tinyxml2::XMLElement& element, int& value) {
    const char* text = element.GetText();
    if (!text) return NumberRead::Absent;
    char* end = nullptr;
    errno = 0;
    long parsed = std::strtol(text, &end, 10);
    if (end == text || errno == ERANGE || parsed < INT32_MIN || parsed > INT32_MAX) return NumberRead::Invalid;
    value = static_cast<int>(parsed);
    return NumberRead::Ok;
}

const char* ChildText(const tinyxml2::XMLElement& parent, const char* name) {
    const tinyxml2::XMLElement* child = parent.FirstChildElement(name);
    return child ? child->GetText() : nullptr;
}

void ReportRead(const ComponentSource& source, const tinyxml2::XMLElement* element, const std::string& logText,
                const std::string& detail) {
    ReportProblem(Error, logText, DescribeElement(source, element) + " " + detail);
}

void ReadVectorAttributes(const ComponentSource& source, const tinyxml2::XMLElement& element,
                          const VectorAttributes& attributes, float fallback, glm::vec3& value) {
    for (int i = 0; i < 3; ++i) {
        const char* name = attributes.names[i];
        NumberRead result = ReadFloatAttribute(element, name, value[i]);
        if (result == NumberRead::Ok) continue;
        value[i] = fallback;
        const char* message = attributes.messages[i];
        if (result == NumberRead::Absent) {
            if (message) ReportRead(source, &element, message, std::string("has no '") + name + "'; using " + FormatNumber(fallback));
        } else {
            ReportRead(source, &element, message ? message : "Reading a number attribute",
                       std::string("'") + name + "' = \"" + element.Attribute(name) + "\" is not a number; using " +
                           FormatNumber(fallback));
        }
    }
}

} // namespace zumek
