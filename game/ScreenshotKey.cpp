// game/ScreenshotKey.cpp
#include "game/ScreenshotKey.h"

#include <cstdio>
#include <filesystem>

#include "engine/EngineLog.h"
#include "input/InputEvents.h"

namespace zumek {

std::string NextScreenshotPath(const std::string& folder) {
    namespace fs = std::filesystem;
    int highest = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        int number = 0;
        char tail = 0;
        // "shot-" digits ".png" and nothing else.
        if (name.size() > 9 && std::sscanf(name.c_str(), "shot-%d.pn%c", &number, &tail) == 2 && tail == 'g' &&
            name.compare(name.size() - 4, 4, ".png") == 0 && number > highest)
            highest = number;
    }
    char file[32];
    std::snprintf(file, sizeof file, "shot-%04d.png", highest + 1);
    return (fs::path(folder) / file).string();
}

ScreenshotKey::ScreenshotKey(std::string folder, std::function<bool(const std::string&)> write)
    : System(SCREENSHOT_SYSTEM_ID), m_folder(std::move(folder)), m_write(std::move(write)) {}

void ScreenshotKey::Update(float, std::vector<Object*>&) {
    if (!InputEvents::Instance().Take(input_event::SCREENSHOT) || !m_write) return;
    std::error_code ec;
    std::filesystem::create_directories(m_folder, ec);
    if (ec) {
        ReportProblem(Error, "Could not make the screenshot folder " + m_folder, ec.message());
        return;
    }
    const std::string path = NextScreenshotPath(m_folder);
    if (m_write(path)) EngineLog::Instance().WriteInfo("Screenshot saved: " + path);
}

} // namespace zumek
