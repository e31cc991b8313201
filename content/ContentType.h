// content/ContentType.h
#pragma once
#include <string>
#include <vector>

namespace zumek {

/// The kinds of content, each with its folder prefix and file suffix below the resource root.
enum class ContentType : int {
    Level = 0,      ///< "resources/levels/" ".xml"
    Archetype = 1,  ///< "resources/archetypes/" ".xml"
    Texture = 2,    ///< "resources/textures/", the key carries its own extension
    SoundBank = 3,  ///< "resources/soundbanks/" ".bank"
    Model = 4,      ///< "resources/models/" ".model"
    Auto = 5,       ///< "resources/auto/" ".auto"
    Bundle = 6,     ///< "resources/bundles/" ".bundle"
    Script = 7,     ///< "resources/scripts/" ".lua"
    RawModel = 8,   ///< "resources/models/", no suffix
    Shader = 9,     ///< "resources/shaders/", no suffix
    SoundEvent = 10,///< "resources/soundevents/" ".xml"
    Guid = 11,      ///< "resources/guids/" ".txt"
};

/// The folder prefix of `type`; an unknown type logs "No prefix was found for the given content
/// type." and gives "".
std::string GetContentPrefix(ContentType type);
/// The file suffix of `type`; an unknown type logs "No suffix was found for the given content
/// type." and is a programming error.
std::string GetContentSuffix(ContentType type);

/// The file holding `name`: the user's copy "<documents>/Tovalik/<prefix><name><suffix>" when
/// anything exists there, else the shipped one below the resource root. Never fails: a file that
/// exists in neither place yields the shipped path, and the reader reports it.
std::string GetContentPath(ContentType type, const std::string& name);

/// The file of model `key`: "<key>.model", else "<key>.<ext>" for each of `importExtensions`
/// (without the dot) in order, looked for first in the user's "<documents>/Tovalik/resources/models/",
/// then in the shipped one. When none exists, the shipped "<key>.model" (its reader reports it).
std::string GetModelPath(const std::string& key, const std::vector<std::string>& importExtensions);

/// The names (file names without the suffix) of every `type` file shipped or in the user's
/// folder, each once, sorted in byte order. Directories are not listed.
std::vector<std::string> ListContent(ContentType type);

} // namespace zumek
