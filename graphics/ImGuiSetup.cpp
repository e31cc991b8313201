// graphics/ImGuiSetup.cpp
#include "graphics/ImGuiSetup.h"

#include <GL/glew.h>
#include <SDL.h>
#include <imgui.h>

#include <cstddef>

#include "engine/SettingManager.h"
#include "graphics/GBuffer.h"
#include "graphics/OverlayInput.h"
#include "graphics/ShaderProvider.h"
#include "graphics/SpeechWindow.h"
#include "platform/Window.h"

namespace zumek {

ImGuiSetup::ImGuiSetup(Window* window) : System(IMGUI_SYSTEM_ID), m_window(window) {
    ImGui::CreateContext();
    m_hasContext = true;
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr; // the engine writes no file
    io.LogFilename = nullptr;
    io.BackendRendererName = "zumek";
}

ImGuiSetup::~ImGuiSetup() { Shutdown(); }

void ImGuiSetup::CreateDeviceObjects() {
    GLint lastTexture = 0, lastArrayBuffer = 0, lastVertexArray = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &lastTexture);
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &lastArrayBuffer);
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &lastVertexArray);

    m_program = ShaderProvider::Instance().TryGet("EDITOR_SHADER");
    if (m_program) {
        m_textureLocation = glGetUniformLocation(m_program, "Texture");
        m_projectionLocation = glGetUniformLocation(m_program, "ProjMtx");
        m_positionLocation = glGetAttribLocation(m_program, "Position");
        m_uvLocation = glGetAttribLocation(m_program, "UV");
        m_colorLocation = glGetAttribLocation(m_program, "Color");
    }
    glGenBuffers(1, &m_vertexBuffer);
    glGenBuffers(1, &m_indexBuffer);
    glGenVertexArrays(1, &m_vertexArray);
    glBindVertexArray(m_vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    const GLsizei stride = sizeof(ImDrawVert); // 20 bytes: position, uv, colour
    if (m_positionLocation >= 0) {
        glEnableVertexAttribArray(static_cast<GLuint>(m_positionLocation));
        glVertexAttribPointer(static_cast<GLuint>(m_positionLocation), 2, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<void*>(offsetof(ImDrawVert, pos)));
    }
    if (m_uvLocation >= 0) {
        glEnableVertexAttribArray(static_cast<GLuint>(m_uvLocation));
        glVertexAttribPointer(static_cast<GLuint>(m_uvLocation), 2, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<void*>(offsetof(ImDrawVert, uv)));
    }
    if (m_colorLocation >= 0) {
        glEnableVertexAttribArray(static_cast<GLuint>(m_colorLocation));
        glVertexAttribPointer(static_cast<GLuint>(m_colorLocation), 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                              reinterpret_cast<void*>(offsetof(ImDrawVert, col)));
    }

    unsigned char* pixels = nullptr;
    int width = 0, height = 0;
    ImGui::GetIO().Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
    glGenTextures(1, &m_fontTexture);
    glBindTexture(GL_TEXTURE_2D, m_fontTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    ImGui::GetIO().Fonts->SetTexID(reinterpret_cast<ImTextureID>(static_cast<intptr_t>(m_fontTexture)));

    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(lastTexture));
    glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(lastArrayBuffer));
    glBindVertexArray(static_cast<GLuint>(lastVertexArray));
}

void ImGuiSetup::Update(float dt, std::vector<Object*>&) {
    m_drewLastUpdate = false;
    if (!m_hasContext || SettingManager::GetSetting<EditorGUISetting>() != 1 || !m_window) return;
    SpeechWindow& speech = SpeechWindow::Instance();
    OverlayInput& overlay = OverlayInput::Instance();
    // Nothing to show: skip the frame and its GL state changes.
    if (!speech.IsActive() && !overlay.AnyWindowOpen()) return;
    const int width = m_window->ClientWidth(), height = m_window->ClientHeight();
    if (width <= 0 || height <= 0) return;
    if (!m_fontTexture) CreateDeviceObjects();
    // The overlay draws into the 1024 x 1024 G-buffer, which the lighting pass stretches over
    // the window: the whole G-buffer stands for the client area.
    glViewport(0, 0, GBuffer::kSize, GBuffer::kSize);
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = ImVec2(static_cast<float>(width), static_cast<float>(height));
    io.DeltaTime = dt > 0.0f ? dt : 1.0f / 90.0f; // ImGui refuses a zero step
    SDL_Keymod mods = SDL_GetModState();
    io.KeyCtrl = (mods & KMOD_CTRL) != 0;
    io.KeyShift = (mods & KMOD_SHIFT) != 0;
    io.KeyAlt = (mods & KMOD_ALT) != 0;
    overlay.Feed();
    ImGui::NewFrame();
    if (speech.IsActive()) speech.Draw(width, height, dt);
    overlay.DrawWindows(width, height);
    ImGui::Render();
    RenderDrawData();
    m_drewLastUpdate = true;
}

void ImGuiSetup::DrawAgain() {
    if (!m_hasContext || !m_drewLastUpdate) return;
    glViewport(0, 0, GBuffer::kSize, GBuffer::kSize);
    RenderDrawData();
}

void ImGuiSetup::RenderDrawData() {
    ImDrawData* data = ImGui::GetDrawData();
    if (!data || data->CmdListsCount == 0 || !m_program) return;
    const float displayWidth = data->DisplaySize.x, displayHeight = data->DisplaySize.y;
    if (displayWidth <= 0.0f || displayHeight <= 0.0f) return;

    GLint lastProgram, lastTexture, lastArrayBuffer, lastVertexArray;
    GLint lastBlendSrcRgb, lastBlendDstRgb, lastBlendSrcAlpha, lastBlendDstAlpha, lastEquationRgb, lastEquationAlpha;
    glGetIntegerv(GL_CURRENT_PROGRAM, &lastProgram);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &lastTexture);
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &lastArrayBuffer);
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &lastVertexArray);
    glGetIntegerv(GL_BLEND_SRC_RGB, &lastBlendSrcRgb);
    glGetIntegerv(GL_BLEND_DST_RGB, &lastBlendDstRgb);
    glGetIntegerv(GL_BLEND_SRC_ALPHA, &lastBlendSrcAlpha);
    glGetIntegerv(GL_BLEND_DST_ALPHA, &lastBlendDstAlpha);
    glGetIntegerv(GL_BLEND_EQUATION_RGB, &lastEquationRgb);
    glGetIntegerv(GL_BLEND_EQUATION_ALPHA, &lastEquationAlpha);
    GLboolean blend = glIsEnabled(GL_BLEND), cull = glIsEnabled(GL_CULL_FACE), depth = glIsEnabled(GL_DEPTH_TEST),
              scissor = glIsEnabled(GL_SCISSOR_TEST);

    glEnable(GL_BLEND);
    glBlendEquation(GL_FUNC_ADD);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_SCISSOR_TEST);
    glActiveTexture(GL_TEXTURE0);
    // Maps (0, 0)-(width, height) to clip space with y downward.
    const float projection[4][4] = {{2.0f / displayWidth, 0, 0, 0},
                                    {0, -2.0f / displayHeight, 0, 0},
                                    {0, 0, -1.0f, 0},
                                    {-1.0f, 1.0f, 0, 1.0f}};
    glUseProgram(m_program);
    glUniform1i(m_textureLocation, 0);
    glUniformMatrix4fv(m_projectionLocation, 1, GL_FALSE, &projection[0][0]);
    glBindVertexArray(m_vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indexBuffer);
    const float scaleX = static_cast<float>(GBuffer::kSize) / displayWidth;
    const float scaleY = static_cast<float>(GBuffer::kSize) / displayHeight;
    for (int n = 0; n < data->CmdListsCount; ++n) {
        const ImDrawList* list = data->CmdLists[n];
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(list->VtxBuffer.Size) * static_cast<GLsizeiptr>(sizeof(ImDrawVert)),
                     list->VtxBuffer.Data, GL_STREAM_DRAW);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(list->IdxBuffer.Size) * static_cast<GLsizeiptr>(sizeof(ImDrawIdx)),
                     list->IdxBuffer.Data, GL_STREAM_DRAW);
        for (int c = 0; c < list->CmdBuffer.Size; ++c) {
            const ImDrawCmd& cmd = list->CmdBuffer[c];
            if (cmd.UserCallback) {
                cmd.UserCallback(list, &cmd);
                continue;
            }
            glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(reinterpret_cast<intptr_t>(cmd.GetTexID())));
            // The clip rectangle is in client pixels (y down); the target is the G-buffer (y up).
            glScissor(static_cast<int>(cmd.ClipRect.x * scaleX), static_cast<int>((displayHeight - cmd.ClipRect.w) * scaleY),
                      static_cast<int>((cmd.ClipRect.z - cmd.ClipRect.x) * scaleX),
                      static_cast<int>((cmd.ClipRect.w - cmd.ClipRect.y) * scaleY));
            glDrawElementsBaseVertex(GL_TRIANGLES, static_cast<GLsizei>(cmd.ElemCount),
                                     sizeof(ImDrawIdx) == 2 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT,
                                     reinterpret_cast<void*>(static_cast<intptr_t>(cmd.IdxOffset * sizeof(ImDrawIdx))),
                                     static_cast<GLint>(cmd.VtxOffset));
        }
    }

    glUseProgram(static_cast<GLuint>(lastProgram));
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(lastTexture));
    glBindVertexArray(static_cast<GLuint>(lastVertexArray));
    glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(lastArrayBuffer));
    glBlendEquationSeparate(static_cast<GLenum>(lastEquationRgb), static_cast<GLenum>(lastEquationAlpha));
    glBlendFuncSeparate(static_cast<GLenum>(lastBlendSrcRgb), static_cast<GLenum>(lastBlendDstRgb),
                        static_cast<GLenum>(lastBlendSrcAlpha), static_cast<GLenum>(lastBlendDstAlpha));
    if (blend) glEnable(GL_BLEND); else glDisable(GL_BLEND);
    if (cull) glEnable(GL_CULL_FACE); else glDisable(GL_CULL_FACE);
    if (depth) glEnable(GL_DEPTH_TEST); else glDisable(GL_DEPTH_TEST);
    if (scissor) glEnable(GL_SCISSOR_TEST); else glDisable(GL_SCISSOR_TEST);
}

void ImGuiSetup::Shutdown() {
    if (m_vertexArray) glDeleteVertexArrays(1, &m_vertexArray);
    if (m_vertexBuffer) glDeleteBuffers(1, &m_vertexBuffer);
    if (m_indexBuffer) glDeleteBuffers(1, &m_indexBuffer);
    if (m_fontTexture) {
        glDeleteTextures(1, &m_fontTexture);
        if (m_hasContext) ImGui::GetIO().Fonts->SetTexID(0);
    }
    // The program belongs to the shader provider and stays with it.
    m_vertexArray = m_vertexBuffer = m_indexBuffer = m_fontTexture = 0;
    if (m_hasContext) ImGui::DestroyContext();
    m_hasContext = false;
}

} // namespace zumek
