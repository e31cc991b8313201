// game/FrameTimeRecorder.cpp
#include "game/FrameTimeRecorder.h"

#include <cinttypes>

#include "graphics/AnimatedSprite.h"
#include "graphics/Sprite.h"
#include "objects/Object.h"
#include "platform/Clock.h"

namespace zumek {

bool FrameTimeRecorder::Open(const std::string& path) {
    Close();
    m_file = std::fopen(path.c_str(), "w");
    return m_file != nullptr;
}

void FrameTimeRecorder::Close() {
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
}

void FrameTimeRecorder::Update(float, std::vector<Object*>& objects) {
    auto now = std::chrono::steady_clock::now();
    double wallMs = std::chrono::duration<double, std::milli>(now - m_frameEnd).count();
    if (m_file)
        std::fprintf(m_file, "%.3f %d %" PRId64 "\n", wallMs, CountDrawn(objects), static_cast<int64_t>(Clock::NowMs()));
    // Writing the line is part of no frame.
    m_frameEnd = std::chrono::steady_clock::now();
}

int FrameTimeRecorder::CountDrawn(const std::vector<Object*>& objects) {
    int drawn = 0;
    for (Object* object : objects) {
        if (!object) continue;
        const Sprite* sprite = object->GetComponent<Sprite>();
        const AnimatedSprite* animated = object->GetComponent<AnimatedSprite>();
        if ((sprite && !sprite->IsHidden()) || (animated && !animated->IsHidden())) ++drawn;
    }
    return drawn;
}

} // namespace zumek
