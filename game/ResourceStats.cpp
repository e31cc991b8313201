// game/ResourceStats.cpp
#include "game/ResourceStats.h"

#include <GL/glew.h>
#include <dirent.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "engine/EngineLog.h"
#include "graphics/ShaderProvider.h"
#include "graphics/TextureProvider.h"
#include "objects/PlaceManager.h"

namespace zumek {
namespace {

/// GL names come from small counters; a name past this many would mean a leak already seen.
constexpr GLuint kHighestName = 65536;

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

int OpenFileDescriptors() {
    DIR* folder = opendir("/proc/self/fd");
    if (!folder) return 0;
    int count = 0;
    while (const dirent* entry = readdir(folder))
        if (entry->d_name[0] != '.') ++count;
    closedir(folder);
    return count - 1; // the listing's own descriptor
}

int LiveGlObjects() {
    if (!glIsBuffer || !glIsFramebuffer || !glIsRenderbuffer || !glIsVertexArray || !glIsProgram ||
        !glIsShader)
        return 0;
    int count = 0;
    for (GLuint name = 1; name <= kHighestName; ++name) {
        count += glIsTexture(name) + glIsBuffer(name) + glIsFramebuffer(name) + glIsRenderbuffer(name) +
                 glIsVertexArray(name) + glIsProgram(name) + glIsShader(name);
    }
    return count;
}

} // namespace

ResourceCounts CountResources() {
    ResourceCounts counts;
    counts.residentKb = ResidentKb();
    counts.fileDescriptors = OpenFileDescriptors();
    counts.glObjects = LiveGlObjects();
    return counts;
}

void ResourceStatsReporter::Update(float, std::vector<Object*>& objects) {
    ++m_frame;
    if (m_every <= 0 || m_frame % m_every != 0) return;
    const ResourceCounts counts = CountResources();
    const size_t textures = TextureProvider::Instance().Count();
    // Each cached texture is one GL texture, a placeholder's too.
    const size_t cached = textures + ShaderProvider::Instance().GlObjectCount();
    char line[240];
    std::snprintf(line, sizeof line,
                  "stats frame=%ld rss_kb=%ld fds=%d gl_objects=%d objects=%zu textures=%zu programs=%zu gl_cached=%zu "
                  "place=",
                  m_frame, counts.residentKb, counts.fileDescriptors, counts.glObjects, objects.size(), textures,
                  ShaderProvider::Instance().Count(), cached);
    EngineLog::Instance().WriteInfo(line + PlaceManager::Instance().CurrentPlace());
}

} // namespace zumek
