// graphics/OpenXrHeadset.h
#pragma once
#include <string>
#include <vector>

#include "graphics/HeadsetBackend.h"
#include "graphics/OpenXrSwapchains.h"

namespace zumek {

/// The headset back end over OpenXR (the Khronos loader and whatever runtime the player has
/// made active), with the OpenGL binding XR_KHR_opengl_enable on the game's GLX context.
///
/// Open (no GL context yet) creates the instance and finds the head-mounted display and its
/// stereo view; CreateTargets (context current) creates the session, the LOCAL reference space,
/// the eye swapchains and the mirror. Each frame BeginFrame handles the session's events
/// (ready: begin the session; stopping: end it; loss pending or exiting: the headset is gone),
/// waits for and begins the runtime's frame and locates the eyes; the eyes are drawn only when
/// the runtime wants this frame rendered. SubmitFrame ends every begun frame, with one
/// projection layer when the eyes were drawn and none otherwise.
class OpenXrHeadset final : public HeadsetBackend {
public:
    OpenXrHeadset() = default;
    ~OpenXrHeadset() override { Close(); }
    OpenXrHeadset(const OpenXrHeadset&) = delete;
    OpenXrHeadset& operator=(const OpenXrHeadset&) = delete;

    bool Open() override;
    std::string Describe() const override;
    glm::ivec2 DisplayResolution() const override;
    bool CreateTargets() override;
    glm::ivec2 EyeSize(int eye) const override;
    bool BeginFrame(HeadsetEyeView views[2]) override;
    unsigned AcquireEyeTexture(int eye) override;
    unsigned AcquireEyeDepthTexture(int eye) override;
    void ReleaseEyeTexture(int eye) override;
    bool SubmitFrame() override;
    HeadsetMirror Mirror() const override;
    bool HeadsetPresent() override;
    void Close() override;

    /// The session state last reported by the runtime (an XrSessionState value).
    int SessionState() const { return m_sessionState; }

private:
    /// Handles every queued event; false when the session or the instance is being lost.
    void PollEvents();
    /// Logs one line naming the call and its result; returns false.
    bool Refused(const char* call, XrResult result) const;

    XrInstance m_instance = XR_NULL_HANDLE;
    XrSystemId m_system = XR_NULL_SYSTEM_ID;
    XrSession m_session = XR_NULL_HANDLE;
    XrSpace m_space = XR_NULL_HANDLE;
    XrEnvironmentBlendMode m_blendMode = XR_ENVIRONMENT_BLEND_MODE_OPAQUE;
    bool m_depthOffered = false; ///< XR_KHR_composition_layer_depth is enabled
    std::string m_runtimeName;
    std::string m_systemName;
    XrViewConfigurationView m_viewConfig[2]{};

    OpenXrSwapchains m_swapchains;
    XrView m_views[2]{};
    int m_sessionState = XR_SESSION_STATE_UNKNOWN;
    bool m_running = false;    ///< between xrBeginSession and xrEndSession
    bool m_gone = false;       ///< the session or instance is lost or exiting
    bool m_frameBegun = false; ///< xrBeginFrame succeeded; xrEndFrame is owed
    bool m_eyesDrawn = false;  ///< this frame's eyes are being drawn
    XrTime m_displayTime = 0;
};

} // namespace zumek
