// content/ContentChange.cpp
#include "content/ContentChange.h"

namespace zumek {
namespace {

/// `path` below `folder` ("folder/..."): the rest; empty when not below it.
std::string Below(const std::string& path, std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (folder.empty() || path.size() <= folder.size() + 1) return {};
    if (path.compare(0, folder.size(), folder) != 0 || path[folder.size()] != '/') return {};
    return path.substr(folder.size() + 1);
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

std::optional<ContentChange> ClassifyContentFile(const std::string& path, const std::string& shippedResources,
                                                 const std::string& userResources) {
    std::string relative = Below(path, shippedResources);
    if (relative.empty()) relative = Below(path, userResources);
    const size_t slash = relative.find('/');
    if (slash == std::string::npos) return std::nullopt;
    const std::string folder = relative.substr(0, slash);
    std::string rest = relative.substr(slash + 1);
    // Editors' backups and scratch files are no content.
    const size_t base = rest.rfind('/');
    const std::string name = base == std::string::npos ? rest : rest.substr(base + 1);
    if (name.empty() || name[0] == '.' || name.back() == '~' || name[0] == '#') return std::nullopt;
    auto withSuffix = [&](ContentKind kind, const std::string& suffix) -> std::optional<ContentChange> {
        if (!EndsWith(rest, suffix)) return std::nullopt;
        return ContentChange{kind, rest.substr(0, rest.size() - suffix.size())};
    };
    if (folder == "levels") return withSuffix(ContentKind::Level, ".xml");
    if (folder == "archetypes") return withSuffix(ContentKind::Archetype, ".xml");
    if (folder == "scripts") return withSuffix(ContentKind::Script, ".lua");
    if (folder == "shaders") return ContentChange{ContentKind::Shader, rest};
    if (folder == "textures") return ContentChange{ContentKind::Texture, rest};
    if (folder == "soundbanks" || folder == "soundevents" || folder == "sounds")
        return ContentChange{ContentKind::Sound, folder + "/" + rest};
    if (folder == "models") return ContentChange{ContentKind::Model, rest};
    return std::nullopt;
}

} // namespace zumek
