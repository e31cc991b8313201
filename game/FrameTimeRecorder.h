// game/FrameTimeRecorder.h
#pragma once
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/System.h"

namespace zumek {

/// --frame-times FILE: the last system of the list, it writes one line per frame as the frame
/// ends: "<wall ms> <drawn objects> <engine clock ms>". The wall time is the real monotonic
/// time since the previous frame ended (since Start for the first), whatever the engine clock
/// does, so a run on a fixed frame time still measures its frames; the drawn objects are those
/// with a sprite or an animated sprite that is not hidden; the engine clock is the one the log
/// records carry, which ties a log line to its frame.
class FrameTimeRecorder final : public System {
public:
    FrameTimeRecorder() : System(FRAME_TIMES_SYSTEM_ID) {}
    ~FrameTimeRecorder() override { Close(); }
    FrameTimeRecorder(const FrameTimeRecorder&) = delete;
    FrameTimeRecorder& operator=(const FrameTimeRecorder&) = delete;

    /// Empties `path` and writes the later frames to it; false when it cannot be opened.
    bool Open(const std::string& path);
    /// The first frame starts now.
    void Start() { m_frameEnd = std::chrono::steady_clock::now(); }
    void Update(float dt, std::vector<Object*>& objects) override;
    void Shutdown() override { Close(); }
    void Close();

    /// The objects of `objects` the renderer draws a mesh for.
    static int CountDrawn(const std::vector<Object*>& objects);

private:
    std::FILE* m_file = nullptr;
    std::chrono::steady_clock::time_point m_frameEnd = std::chrono::steady_clock::now();
};

} // namespace zumek
