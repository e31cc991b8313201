// fuzzers/FuzzSupport.cpp
#include "fuzzers/FuzzSupport.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "engine/EngineLog.h"
#include "platform/Clock.h"
#include "platform/Paths.h"

namespace zumek::fuzz {
namespace {
std::filesystem::path g_root;

/// The scratch folder goes with the process; a run that crashes keeps it for a look.
void RemoveScratchResources() {
    std::error_code ignored;
    std::filesystem::remove_all(g_root, ignored);
}
} // namespace

void UseScratchResources() {
    if (!g_root.empty()) return;
    g_root = std::filesystem::temp_directory_path() / ("zumek-fuzz-" + std::to_string(getpid()));
    for (const char* kind : {"levels", "archetypes", "models", "textures", "soundevents", "soundbanks", "scripts"})
        std::filesystem::create_directories(g_root / "resources" / kind);
    std::filesystem::create_directories(g_root / "documents");
    Paths::SetResourceRoot(g_root.string());
    Paths::SetDocumentsFolder((g_root / "documents").string());
    std::atexit(RemoveScratchResources);
}

std::string WriteResource(const std::string& relative, const uint8_t* data, size_t size) {
    const std::filesystem::path path = g_root / "resources" / relative;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path.string();
}

void ForgetLog() { EngineLog::Instance().RemoveOlderThan(Clock::NowMs() + 1); }

} // namespace zumek::fuzz
