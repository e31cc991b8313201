// graphics/ShaderProvider.h
#pragma once
#include <map>
#include <string>
#include <vector>

#include "content/ContentProvider.h"

namespace zumek {

/// Shader key -> linked GL program, loaded once per key for the whole run (programs are never
/// deleted). A key whose load failed keeps the program 0: later gets return 0 without trying
/// again, so a broken shader is reported once.
class ShaderProvider final : public ContentProvider<unsigned int> {
public:
    static ShaderProvider& Instance();

    /// The program of `key`; the first get of a key that fails throws the serializer's exception.
    unsigned int Get(const std::string& key) override;
    /// As Get, but a failed load yields 0 instead of the exception (already reported): drawing
    /// code uses it so that a broken shader leaves its drawable blank and the game goes on.
    unsigned int TryGet(const std::string& key);

    /// Recompiles every program asked for so far that is built from the source `file` (a file name
    /// of resources/shaders/, e.g. "GBuffer.frag") and swaps the new code into the same GL program,
    /// so whatever holds the program draws with it. A program whose new code fails to compile or
    /// link keeps its old code; its key and the driver's message go to `failures`. Returns the
    /// keys that took new code. Needs the GL context current.
    std::vector<std::string> ReloadFile(const std::string& file, std::vector<std::string>& failures);

    /// How many keys have been asked for (loaded or failed).
    size_t Count() const { return m_programs.size(); }
    /// How many GL objects the cache holds: each linked program and the shaders attached to it.
    /// Needs the GL context current.
    size_t GlObjectCount() const;

private:
    ShaderProvider() = default;
    std::map<std::string, unsigned int> m_programs;
};

} // namespace zumek
