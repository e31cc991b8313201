// content/ContentType.cpp
#include "content/ContentType.h"

#include <algorithm>

#include "engine/EngineLog.h"
#include "platform/Assert.h"
#include "platform/Files.h"
#include "platform/Paths.h"

namespace zumek {
namespace {

struct ContentFolder {
    const char* prefix;
    const char* suffix;
};

constexpr ContentFolder kFolders[] = {
    {"resources/levels/", ".xml"},      {"resources/archetypes/", ".xml"}, {"resources/textures/", ""},
    {"resources/soundbanks/", ".bank"}, {"resources/models/", ".model"},   {"resources/auto/", ".auto"},
    {"resources/bundles/", ".bundle"},  {"resources/scripts/", ".lua"},    {"resources/models/", ""},
    {"resources/shaders/", ""},         {"resources/soundevents/", ".xml"}, {"resources/guids/", ".txt"},
};

bool IsKnown(ContentType type) {
    int index = static_cast<int>(type);
    return index >= 0 && index < static_cast<int>(std::size(kFolders));
}

void AddNames(const std::string& prefix, const std::string& suffix, std::vector<std::string>& names) {
    for (const FileEntry& entry : ListMatching(prefix, suffix)) {
        // The name is cut at the first occurrence of the suffix.
        std::string name = suffix.empty() ? entry.name : entry.name.substr(0, entry.name.find(suffix));
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
}

} // namespace

std::string GetContentPrefix(ContentType type) {
    if (!IsKnown(type)) {
        EngineLog::Instance().WriteError("No prefix was found for the given content type.");
        return {};
    }
    return kFolders[static_cast<int>(type)].prefix;
}

std::string GetContentSuffix(ContentType type) {
    if (!IsKnown(type)) {
        EngineLog::Instance().WriteError("No suffix was found for the given content type.");
        ASSERT(false, "content type " + std::to_string(static_cast<int>(type)) + " has no suffix");
        return {};
    }
    return kFolders[static_cast<int>(type)].suffix;
}

std::string GetContentPath(ContentType type, const std::string& name) {
    std::string relative = GetContentPrefix(type) + name + GetContentSuffix(type);
    std::string user = Paths::GameFolder() + "/" + relative;
    if (PathExists(user)) return user;
    return Paths::Resolve(relative);
}

std::string GetModelPath(const std::string& key, const std::vector<std::string>& importExtensions) {
    const std::string prefix = GetContentPrefix(ContentType::Model);
    const std::string suffix = GetContentSuffix(ContentType::Model);
    // The user's folder overrides the shipped one whatever the format of either file.
    for (const std::string& folder : {Paths::GameFolder() + "/" + prefix, Paths::Resolve(prefix)}) {
        if (PathExists(folder + key + suffix)) return folder + key + suffix;
        for (const std::string& extension : importExtensions)
            if (PathExists(folder + key + "." + extension)) return folder + key + "." + extension;
    }
    return Paths::Resolve(prefix + key + suffix);
}

std::vector<std::string> ListContent(ContentType type) {
    std::string prefix = GetContentPrefix(type);
    std::string suffix = GetContentSuffix(type);
    std::vector<std::string> names;
    AddNames(Paths::Resolve(prefix), suffix, names);
    AddNames(Paths::GameFolder() + "/" + prefix, suffix, names);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace zumek
