// graphics/TextRenderer.cpp
#include "graphics/TextRenderer.h"

#include <GL/glew.h>

#include "engine/SettingManager.h"
#include "graphics/ShaderProvider.h"
#include "graphics/TextureProvider.h"

namespace zumek {

TextRenderer::~TextRenderer() {
    if (m_positionBuffer) glDeleteBuffers(1, &m_positionBuffer);
    if (m_uvBuffer) glDeleteBuffers(1, &m_uvBuffer);
    if (m_vertexArray) glDeleteVertexArrays(1, &m_vertexArray);
    // The program belongs to the shader provider, which hands it to every later user: it stays.
}

void TextRenderer::BuildQuads(const std::string& text, int x0, int y0, int glyph, std::vector<float>& positions,
                              std::vector<float>& uvs) {
    positions.clear();
    uvs.clear();
    const float cell = 1.0f / 16.0f;
    for (size_t i = 0; i < text.size(); ++i) {
        // Bytes are read unsigned: the atlas has 256 cells, and bytes >= 128 (Latin-1) have cells too.
        unsigned c = static_cast<unsigned char>(text[i]);
        float left = static_cast<float>(x0) + static_cast<float>(i) * static_cast<float>(glyph);
        float right = left + static_cast<float>(glyph);
        float bottom = static_cast<float>(y0), top = bottom + static_cast<float>(glyph);
        float u0 = static_cast<float>(c % 16) * cell, u1 = u0 + cell;
        float v0 = static_cast<float>(c / 16) * cell, v1 = v0 + cell; // v0: the cell's top row
        positions.insert(positions.end(), {left, top, left, bottom, right, top, right, bottom, right, top, left, bottom});
        uvs.insert(uvs.end(), {u0, v0, u0, v1, u1, v0, u1, v1, u1, v0, u0, v1});
    }
}

void TextRenderer::Create() {
    m_created = true;
    glGenVertexArrays(1, &m_vertexArray);
    glGenBuffers(1, &m_positionBuffer);
    glGenBuffers(1, &m_uvBuffer);
    m_texture = TextureProvider::Instance().Get("text.png")->name;
    m_program = ShaderProvider::Instance().TryGet("TEXT_SHADER");
    if (!m_program) return;
    m_samplerLocation = glGetUniformLocation(m_program, "texture0");
    m_screenSizeLocation = glGetUniformLocation(m_program, "ScreenSize");
    m_offsetLocation = glGetUniformLocation(m_program, "Offset");
}

void TextRenderer::Render(const std::string text) {
    if (!m_created) Create();
    if (!m_program || text.empty()) return;
    std::vector<float> positions, uvs;
    BuildQuads(text, x, y, size, positions, uvs);
    glBindVertexArray(m_vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, m_positionBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(positions.size() * sizeof(float)), positions.data(), GL_STREAM_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, m_uvBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(uvs.size() * sizeof(float)), uvs.data(), GL_STREAM_DRAW);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    glUseProgram(m_program);
    const ResolutionSetting& resolution = SettingManager::GetSetting<ResolutionSetting>();
    glUniform2f(m_screenSizeLocation, static_cast<float>(resolution.width), static_cast<float>(resolution.height));
    glUniform2f(m_offsetLocation, 0.0f, -0.5f * static_cast<float>(size));
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glUniform1i(m_samplerLocation, 0);
    // The atlas is white glyphs on transparent black: blend so the scene shows between them.
    GLboolean blending = glIsEnabled(GL_BLEND);
    GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendEquation(GL_FUNC_ADD);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(positions.size() / 2));
    if (!blending) glDisable(GL_BLEND);
    if (depthTest) glEnable(GL_DEPTH_TEST);
    glBindVertexArray(0);
    glUseProgram(0);
}

} // namespace zumek
