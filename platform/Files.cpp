// platform/Files.cpp
#include "platform/Files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace zumek {

bool PathExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::exists(fs::path(path), ec);
}

bool ListFolder(const std::string& folder, std::vector<FileEntry>& entries) {
    entries.clear();
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    if (ec) return false;
    for (const auto& entry : it) {
        std::error_code typeError;
        entries.push_back({entry.path().filename().string(), entry.is_directory(typeError)});
    }
    std::sort(entries.begin(), entries.end(), [](const FileEntry& a, const FileEntry& b) { return a.name < b.name; });
    return true;
}

std::vector<FileEntry> ListMatching(const std::string& prefix, const std::string& suffix) {
    std::string folder;
    std::string namePrefix = prefix;
    if (auto slash = prefix.find_last_of('/'); slash != std::string::npos) {
        folder = prefix.substr(0, slash + 1);
        namePrefix = prefix.substr(slash + 1);
    }
    std::vector<FileEntry> all;
    std::vector<FileEntry> matches;
    if (!ListFolder(folder, all)) return matches;
    for (const auto& entry : all) {
        if (entry.isDirectory) continue;
        const std::string& n = entry.name;
        if (n.size() < namePrefix.size() + suffix.size()) continue;
        if (n.compare(0, namePrefix.size(), namePrefix) != 0) continue;
        if (n.compare(n.size() - suffix.size(), suffix.size(), suffix) != 0) continue;
        matches.push_back(entry);
    }
    return matches;
}

bool DeleteFilePath(const std::string& path) {
    std::error_code ec;
    if (!fs::is_regular_file(fs::path(path), ec)) return false;
    return fs::remove(fs::path(path), ec);
}

bool ReadTextFile(const std::string& path, std::string& contents) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    contents = buffer.str();
    return !in.bad();
}

} // namespace zumek
