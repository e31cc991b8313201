// graphics/LogRenderer.cpp
#include "graphics/LogRenderer.h"

#include "engine/SettingManager.h"

namespace zumek {

int LogRenderer::LinesFor(int height) { return height < 16 ? 0 : static_cast<int>(static_cast<unsigned>(height - 16) >> 4); }

void LogRenderer::Render(const std::list<LogMessage> messages) {
    const int height = SettingManager::GetSetting<ResolutionSetting>().height;
    const int lines = LinesFor(height);
    const int count = static_cast<int>(messages.size());
    int skip = count > lines ? count - lines : 0;
    int y = height - 8;
    m_lastLines = 0;
    for (const LogMessage& message : messages) {
        if (skip > 0) {
            --skip;
            continue;
        }
        m_text.x = 8;
        m_text.y = y;
        m_text.Render(message.ToDisplayString());
        y -= 16;
        ++m_lastLines;
    }
}

} // namespace zumek
