// game/ScreenshotKey.h
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "engine/System.h"

namespace zumek {

/// The first free "shot-NNNN.png" in `folder` (shot-0001.png for an empty or missing folder):
/// one past the highest number there, so deleting an old shot never makes a new one overwrite
/// a later one.
std::string NextScreenshotPath(const std::string& folder);

/// F12: writes the frame just drawn as the next numbered PNG below `folder` (made when missing)
/// and says so in the engine log, which the on-screen log shows ("Screenshot saved: <path>").
/// Runs after the renderer in the systems list, so the frame is complete.
class ScreenshotKey final : public System {
public:
    /// `write` writes the frame to a PNG file, false when it could not (it reports why).
    ScreenshotKey(std::string folder, std::function<bool(const std::string&)> write);

    void Update(float dt, std::vector<Object*>& objects) override;
    void Shutdown() override {}

private:
    std::string m_folder;
    std::function<bool(const std::string&)> m_write;
};

} // namespace zumek
