// graphics/TextRenderer.h
#pragma once
#include <string>
#include <vector>

#include "graphics/Renderer.h"

namespace zumek {

/// Draws one line of bitmap-font text from the 16 x 16 glyph atlas "text.png" (byte c in
/// column c % 16, row c / 16, row 0 at the top of the image). Positions are window pixels with
/// y growing upwards: the line's glyph boxes run from (x, y) to (x + n size, y + size), shown
/// half a glyph lower so that a line at y = height - size / 2 is the top line of the window.
/// Needs a current GL context from the first Render on.
class TextRenderer final : public Renderer<std::string> {
public:
    TextRenderer() = default;
    ~TextRenderer() override;
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    void Render(const std::string text) override;

    /// The two triangles of every glyph: 12 position floats and 12 texture-coordinate floats
    /// per character (no GL needed; tests check the glyph cells).
    static void BuildQuads(const std::string& text, int x, int y, int size, std::vector<float>& positions,
                           std::vector<float>& uvs);

    int x = 0;     ///< left edge of the first glyph, pixels
    int y = 0;     ///< bottom edge of the line, pixels from the window's bottom
    int size = 16; ///< glyph width and height, pixels

private:
    void Create();

    unsigned int m_vertexArray = 0;
    unsigned int m_uvBuffer = 0;
    unsigned int m_positionBuffer = 0;
    unsigned int m_texture = 0;
    unsigned int m_program = 0;
    int m_samplerLocation = -1;
    int m_screenSizeLocation = -1;
    int m_offsetLocation = -1;
    bool m_created = false;
};

} // namespace zumek
