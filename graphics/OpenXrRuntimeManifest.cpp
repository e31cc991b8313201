// graphics/OpenXrRuntimeManifest.cpp
#include "graphics/OpenXrRuntimeManifest.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace zumek {

OpenXrRuntimeEnvironment OpenXrRuntimeEnvironment::FromProcess() {
    OpenXrRuntimeEnvironment environment;
    environment.runtimeJson = std::getenv("XR_RUNTIME_JSON");
    environment.configHome = std::getenv("XDG_CONFIG_HOME");
    environment.home = std::getenv("HOME");
    environment.configDirs = std::getenv("XDG_CONFIG_DIRS");
    return environment;
}

namespace {

bool IsSet(const char* value) { return value && *value; }

bool IsFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

std::string FindOpenXrRuntimeManifest(const OpenXrRuntimeEnvironment& environment) {
    if (IsSet(environment.runtimeJson)) return IsFile(environment.runtimeJson) ? environment.runtimeJson : std::string();
    std::vector<std::string> folders;
    if (IsSet(environment.configHome)) folders.emplace_back(environment.configHome);
    else if (IsSet(environment.home)) folders.push_back(std::string(environment.home) + "/.config");
    const std::string dirs = IsSet(environment.configDirs) ? environment.configDirs : "/etc/xdg";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t colon = dirs.find(':', start);
        if (colon == std::string::npos) colon = dirs.size();
        if (colon > start) folders.push_back(dirs.substr(start, colon - start));
        start = colon + 1;
    }
    folders.emplace_back("/etc");
    for (const std::string& folder : folders) {
        const std::string path = folder + "/openxr/1/active_runtime.json";
        if (IsFile(path)) return path;
    }
    return {};
}

} // namespace zumek
