// graphics/ScreenQuad.h
#pragma once
#include <string>

#include <glm/vec3.hpp>

#include "engine/SignalHandler.h"
#include "engine/Signals.h"
#include "objects/Component.h"

namespace zumek {

struct GBuffer;
class LightTiles;

/// The full-screen pass of the lighting step: turns the G-buffer into the visible image, or,
/// in debug render modes, shows one of its channels. Render modes: 0 lit image, 1 diffuse,
/// 2 position, 3 normal, 4 texture coordinates, 5 shading parameters, 6 pick ids; key "2"
/// (input event 61) steps forward and key "1" (event 62) back, wrapping 6 -> 0 and stopping
/// at 0. A FadeSignal darkens the image to black and back; no point light shows meanwhile.
/// The lit image has a second program, which adds the frame's point lights in the same pass.
/// A component like those of objects (the renderer owns the one it draws; none is attached to
/// an object), so that it can be handed to whatever takes components.
class ScreenQuad final : public Component, public SignalHandler<FadeSignal> {
public:
    static constexpr int kRenderModes = 7;
    static constexpr float kFadePeak = 1.5f; ///< fadeTime at which the fade turns back

    ScreenQuad();
    ~ScreenQuad() override;
    /// It owns GL objects: never copied.
    ScreenQuad(const ScreenQuad&) = delete;
    ScreenQuad& operator=(const ScreenQuad&) = delete;

    void Initialize() override {}
    void Respawn() override {}

    /// Program by shader key; 0 (a broken shader) makes Draw do nothing.
    void SetProgram(const std::string& shaderKey);
    /// The program of the lit image with the point lights added (render mode 0, no fade). Without
    /// it (none set, or a broken shader) the quad always draws with the program above.
    void SetLitProgram(const std::string& shaderKey);
    void SetSpecularColor(const glm::vec3& color) { m_specularColor = color; }
    void SetModelName(const std::string& name);
    /// Creates the quad and looks up the uniforms. Needs a current GL context.
    void Build();
    /// Applies the render-mode keys and the fade step: once per frame, however many views the
    /// frame draws.
    void Step();
    /// Draws the quad over `gBuffer`. With
    /// `lights`, in render mode 0 and no fade running, the lit program draws the image with
    /// those lights added, and the result is true; otherwise the result is false and the
    /// lights are left to the caller.
    bool Draw(const GBuffer& gBuffer, LightTiles* lights = nullptr);

    /// Starts (or restarts) the rising phase of a fade with `signal.step` per frame.
    void Handle(FadeSignal signal) override;

    bool IsFading() const { return m_fading; }
    int RenderMode() const { return m_renderMode; }
    float FadeTime() const { return m_fadeTime; }
    const std::string& ModelPath() const { return m_modelPath; }

private:
    void StepRenderMode();
    void StepFade();

    bool m_fading = false;
    int m_renderMode = 0;
    glm::vec3 m_specularColor{1.0f};
    unsigned int m_program = 0;
    unsigned int m_vertexArray = 0;
    unsigned int m_vertexBuffer = 0;
    int m_vertexCount = 6;
    std::string m_modelPath;
    float m_fadeTime = 0.0f;
    float m_fadeStep = 0.0f;
    bool m_fadeIn = false;
    bool m_fadeOut = false;
    int m_samplers[7] = {-1, -1, -1, -1, -1, -1, -1};
    int m_specularLocation = -1;
    int m_renderModeLocation = -1;
    int m_debugDrawLocation = -1;
    int m_timeLocation = -1;
    int m_fadeTimeLocation = -1;
    unsigned int m_litProgram = 0;
    int m_litSpecularLocation = -1;
    int m_litFadeTimeLocation = -1;
};

} // namespace zumek
