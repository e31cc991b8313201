// platform/Paths.cpp
#include "platform/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace zumek {
namespace {

std::string g_resourceRoot;
std::string g_documents;

/// Reads XDG_DOCUMENTS_DIR="..." from a user-dirs.dirs file, expanding a leading $HOME.
std::string ReadUserDirs(const std::string& file, const std::string& home) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        const std::string key = "XDG_DOCUMENTS_DIR=";
        if (line.rfind(key, 0) != 0) continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
        return value;
    }
    return {};
}

} // namespace

std::string StripTrailingSeparators(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

const std::string& Paths::ResourceRoot() {
    if (g_resourceRoot.empty()) {
        std::error_code ec;
        g_resourceRoot = StripTrailingSeparators(std::filesystem::current_path(ec).string());
    }
    return g_resourceRoot;
}

void Paths::SetResourceRoot(const std::string& folder) { g_resourceRoot = StripTrailingSeparators(folder); }

std::string Paths::Resolve(const std::string& relative) {
    if (!relative.empty() && relative.front() == '/') return relative;
    return ResourceRoot() + "/" + relative;
}

std::string Paths::DocumentsFolder() {
    if (!g_documents.empty()) return g_documents;
    const char* homeEnv = std::getenv("HOME");
    std::string home = homeEnv ? homeEnv : "";
    if (const char* xdg = std::getenv("XDG_DOCUMENTS_DIR"); xdg && *xdg) return StripTrailingSeparators(xdg);
    std::string configHome;
    if (const char* c = std::getenv("XDG_CONFIG_HOME"); c && *c) configHome = c;
    else configHome = home + "/.config";
    std::string fromFile = ReadUserDirs(configHome + "/user-dirs.dirs", home);
    if (!fromFile.empty()) return StripTrailingSeparators(fromFile);
    return StripTrailingSeparators(home + "/Documents");
}

void Paths::SetDocumentsFolder(const std::string& folder) { g_documents = StripTrailingSeparators(folder); }

std::string Paths::GameFolder() { return DocumentsFolder() + "/Tovalik"; }

std::string Paths::LevelStateFolder() { return GameFolder() + "/resources/levelstates/"; }

} // namespace zumek
