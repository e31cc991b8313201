// graphics/ImGuiSetup.h
#pragma once
#include <vector>

#include "engine/System.h"

namespace zumek {

class Window;

/// The overlay frame (Dear ImGui) with the engine's own GL binding. Its windows are the speech
/// caption and those added to OverlayInput (the inspector), which also brings them the pointer. It runs inside the geometry pass, while the G-buffer is bound, so the caption
/// lands in the G-buffer and reaches the screen through the lighting pass; it is active only
/// while EditorGUISetting is 1. Needs a current GL context. Writes no settings file.
class ImGuiSetup final : public System {
public:
    explicit ImGuiSetup(Window* window);
    ~ImGuiSetup() override;

    /// One overlay frame: the speech caption, rendered into the bound framebuffer.
    void Update(float dt, std::vector<Object*>& objects) override;
    /// Draws the overlay of the last Update once more (the headset's second eye).
    void DrawAgain();
    /// Deletes the GL objects and the ImGui context (safe to call twice).
    void Shutdown() override;

private:
    void CreateDeviceObjects();
    void RenderDrawData();

    Window* m_window;
    bool m_hasContext = false;
    bool m_drewLastUpdate = false; ///< the last Update drew the overlay (DrawAgain may repeat it)
    unsigned int m_program = 0;
    unsigned int m_fontTexture = 0;
    unsigned int m_vertexArray = 0;
    unsigned int m_vertexBuffer = 0;
    unsigned int m_indexBuffer = 0;
    int m_textureLocation = -1;
    int m_projectionLocation = -1;
    int m_positionLocation = -1;
    int m_uvLocation = -1;
    int m_colorLocation = -1;
};

} // namespace zumek
