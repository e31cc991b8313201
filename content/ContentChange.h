// content/ContentChange.h
#pragma once
#include <optional>
#include <string>

namespace zumek {

/// What a changed resource file is to the game.
enum class ContentKind {
    Level,     ///< resources/levels/<key>.xml
    Archetype, ///< resources/archetypes/<key>.xml
    Script,    ///< resources/scripts/<key>.lua
    Shader,    ///< resources/shaders/<key>, the file name as the shader table names it
    Texture,   ///< resources/textures/<key>, the key with its extension
    Sound,     ///< a bank, the event table or a sample: resources/soundbanks|soundevents|sounds/<key>
    Model,     ///< resources/models/<key>, with its extension
};

struct ContentChange {
    ContentKind kind;
    std::string key;
};

/// The content a file at `path` holds when it lies below one of the two resource folders (the
/// shipped `shippedResources` and the user's `userResources`, both ".../resources"); nothing for
/// any other file (level states, backups, files of unknown folders or suffixes).
std::optional<ContentChange> ClassifyContentFile(const std::string& path, const std::string& shippedResources,
                                                 const std::string& userResources);

} // namespace zumek
