// engine/LevelStates.cpp
#include "engine/LevelStates.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "engine/EngineLog.h"
#include "platform/Files.h"

namespace zumek {
namespace {

// The codes the listing reports, as the game's tools have always printed them.
constexpr int kPathNotFound = 3;
constexpr int kAccessDenied = 5;

bool IsSafeStateName(const std::string& text) {
    return text.find('/') == std::string::npos && text.find('\\') == std::string::npos &&
           text.find("..") == std::string::npos && text.find('\0') == std::string::npos;
}

} // namespace

int RemoveLevelStates(const std::string& folder, const std::string& text) {
    if (text != "all" && !IsSafeStateName(text)) {
        ReportProblem(Error, "Level state \"" + text + "\" is not a level-state name; nothing deleted",
                      "level-state names may not hold a path separator or \"..\"");
        return 0;
    }
    std::vector<FileEntry> entries;
    if (!ListFolder(folder, entries)) {
        std::error_code ec;
        int code = std::filesystem::exists(folder, ec) ? kAccessDenied : kPathNotFound;
        std::printf("FindFirstFile failed (%d)\n", code);
        std::fflush(stdout);
        return 0;
    }
    int deleted = 0;
    if (text == "all") {
        for (const auto& entry : entries) {
            if (entry.name == "test" || entry.isDirectory) continue;
            if (DeleteFilePath(folder + entry.name)) ++deleted;
        }
    } else if (DeleteFilePath(folder + "state_level" + text)) {
        ++deleted;
    }
    return deleted;
}

} // namespace zumek
