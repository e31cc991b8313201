// graphics/Oculus.h
#pragma once
#include <memory>

#include <glm/gtc/quaternion.hpp>
#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include "engine/Engine.h"
#include "graphics/HeadsetBackend.h"

namespace zumek {

/// The VR headset engine. Initialize (before the GL context) opens the headset through its back
/// end: the runtime library (OvrHeadset) when it is found and has a headset, otherwise OpenXR
/// (OpenXrHeadset) when an OpenXR runtime is active and has one; the one in use is the log line
/// "headset: <back end> ...". Without either the game renders to the window and nothing is
/// said. With one,
/// ResolutionSetting takes the headset's resolution and OculusSetting turns 0 (mouse motion
/// stops turning the camera; the runtime paces the frames). The renderer then sets up the render
/// targets once and, every frame: checks the status, begins the frame, draws each eye into the
/// framebuffer PrepareEye binds (or, on a frame the runtime wants no eyes for, the window's own
/// view), and submits the frame, which also draws the mirror into the window. A headset found gone by the status check (every 31st frame) is released, GL objects
/// and runtime alike, and the game goes back to the window without a message; a submit the
/// runtime refuses shows "Oculus is disconected." and asks the game to quit.
class Oculus final : public Engine {
public:
    /// `backend`: the runtime to use; null picks one in Initialize (see the class comment).
    explicit Oculus(std::unique_ptr<HeadsetBackend> backend = nullptr);
    ~Oculus() override;

    void Initialize() override;
    void Shutdown() override;
    void Update() override {}

    /// With the GL context current: the eye textures, framebuffers and depth buffers and the
    /// mirror framebuffer. A back end that cannot give eye textures turns the headset off.
    void SetUpRenderTargets();
    /// Counts frames; every 31st asks whether the headset is still there (see the class comment).
    void StatusCheck();
    /// Reads the head pose of the frame; false when no eyes are drawn this frame (the renderer
    /// then draws the window's view and still calls SubmitFrame). A headset found gone here is
    /// released at once, as by the status check.
    bool BeginFrame();
    /// Takes the eye's next texture, binds the eye framebuffer with it and the eye depth buffer
    /// (the runtime's depth texture when it offers one),
    /// sets the viewport to the eye size and clears; the eye fields then describe this eye.
    void PrepareEye(int eye);
    /// Binds the eye framebuffer again (after other drawing) with the eye viewport.
    void BindEye(int eye);
    /// Detaches the eye's texture and depth buffer and hands the texture back.
    void FinishEye(int eye);
    /// Submits the frame; when its eyes were drawn, then blits the mirror over the window's
    /// `width` x `height`.
    void SubmitFrame(int width, int height);

    bool IsEnabled() const { return m_enabled; }
    const glm::mat4& EyeProjection() const { return m_eyeProjection; }
    const glm::vec3& EyePosition() const { return m_eyePosition; }
    const glm::quat& EyeOrientation() const { return m_eyeOrientation; }
    const glm::vec2& EyeTextureSize() const { return m_eyeTextureSize; }
    glm::ivec2 Resolution() const { return m_resolution; }

    /// The texture the eye was last drawn into, the eye framebuffers and the mirror's (0: none).
    unsigned LastEyeTexture(int eye) const { return m_eye[eye].lastTexture; }
    unsigned EyeFramebuffer(int eye) const { return m_eye[eye].framebuffer; }
    unsigned EyeDepthTexture(int eye) const { return m_eye[eye].depth; }
    /// Whether the eye being drawn renders into a depth image of the runtime's, which is handed
    /// to the runtime with the colour (and so must hold the scene's depth).
    bool EyeHasRuntimeDepth(int eye) const { return m_eye[eye].runtimeDepth != 0; }
    unsigned MirrorFramebuffer() const { return m_mirrorFramebuffer; }
    unsigned MirrorTexture() const { return m_mirror.texture; }

private:
    struct EyeTarget {
        unsigned framebuffer = 0;
        unsigned depth = 0;
        unsigned texture = 0;     ///< being drawn this frame
        unsigned runtimeDepth = 0; ///< the runtime's depth image being drawn this frame, if any
        unsigned lastTexture = 0; ///< drawn last
        glm::ivec2 size{0};
    };

    /// Releases the GL objects and the back end, turns the headset off and gives the mouse and
    /// the frame pacing back to the window.
    void TurnOff();
    void ReleaseTargets();

    std::unique_ptr<HeadsetBackend> m_backend;
    bool m_enabled = true;
    bool m_opened = false;
    glm::ivec2 m_resolution{0};
    HeadsetEyeView m_views[2];
    EyeTarget m_eye[2];
    HeadsetMirror m_mirror;
    unsigned m_mirrorFramebuffer = 0;
    bool m_visible = false;
    bool m_eyesDrawn = false; ///< this frame's BeginFrame asked for the eyes
    unsigned m_statusCounter = 0;
    glm::mat4 m_eyeProjection{1.0f};
    glm::vec3 m_eyePosition{0.0f};
    glm::quat m_eyeOrientation{1.0f, 0.0f, 0.0f, 0.0f};
    glm::vec2 m_eyeTextureSize{0.0f};
};

} // namespace zumek
