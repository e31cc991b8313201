// graphics/ShaderSerializer.h
#pragma once
#include <string>

#include "content/ContentProvider.h"

namespace zumek {

/// Compiles and links the program of one shader key (see ShaderKeys.h). Needs a current GL
/// context. Failures are reported (engine log and standard error, with the file and the
/// driver's message) and thrown:
/// - a source that cannot be read: "The file could not be open";
/// - a stage that does not compile: "Error compiling vertex shader" (whatever the stage).
/// A program that does not link is reported, deleted and returned as 0.
class ShaderSerializer final : public ContentSerializer<unsigned int> {
public:
    explicit ShaderSerializer(std::string key) : m_key(std::move(key)) {}
    unsigned int Deserialize() override;
    /// After a failed Deserialize: the file and the driver's message, as reported.
    const std::string& Problem() const { return m_problem; }

    /// Reads resources/shaders/<file> as text, one newline after every line (so the source
    /// always ends with one). False when the file cannot be opened.
    static bool ReadSource(const std::string& file, std::string& source);

private:
    std::string m_key;
    std::string m_problem;
};

} // namespace zumek
