// content/XmlReading.h
#pragma once
// Small readers for the attribute and text forms the component elements use. Numbers are read
// as "%f" / "%d" read them: leading blanks are skipped, trailing text is ignored, and a value
// counts as missing when no number starts the text.

#include <string>

#include <glm/vec3.hpp>

#include "content/ComponentSource.h"

namespace zumek {

enum class NumberRead { Ok, Absent, Invalid };

/// Reads attribute `name` as a float; `value` changes only on Ok.
NumberRead ReadFloatAttribute(const tinyxml2::XMLElement& element, const char* name, float& value);
/// Reads the element's text as a signed integer; `value` changes only on Ok.
NumberRead ReadIntText(const tinyxml2::XMLElement& element, int& value);
/// The text of child `name` of `parent`, or null when the child or its text is missing.
const char* ChildText(const tinyxml2::XMLElement& parent, const char* name);

/// Reports a reading problem: `logText` to the engine log at Error, and on standard error the
/// log text with "<file>:<line>: <element> <detail>".
void ReportRead(const ComponentSource& source, const tinyxml2::XMLElement* element, const std::string& logText,
                const std::string& detail);

/// The three attributes of a vector element and, per attribute, the log text used when it is
/// missing (null: a missing attribute falls back silently).
struct VectorAttributes {
    const char* names[3];
    const char* messages[3];
};

/// Reads the three attributes of `element` into `value`. A component that is missing becomes
/// `fallback`, reported with its message when it has one; a present attribute that is not a
/// number always gets a report.
void ReadVectorAttributes(const ComponentSource& source, const tinyxml2::XMLElement& element,
                          const VectorAttributes& attributes, float fallback, glm::vec3& value);

} // namespace zumek
