// graphics/LogRenderer.h
#pragma once
#include <list>

#include "engine/LogMessage.h"
#include "graphics/Renderer.h"
#include "graphics/TextRenderer.h"

namespace zumek {

/// Draws the engine log over the frame: as many of the newest records as fit, one 16-pixel line
/// each, oldest at the top, starting 8 pixels from the left.
class LogRenderer final : public Renderer<std::list<LogMessage>> {
public:
    /// The lines a window `height` pixels high shows: (height - 16) / 16.
    static int LinesFor(int height);

    void Render(const std::list<LogMessage> messages) override;

    /// How many lines the last Render drew (for tests).
    int LastLineCount() const { return m_lastLines; }

private:
    TextRenderer m_text;
    int m_lastLines = 0;
};

} // namespace zumek
