// graphics/Oculus.cpp
#include "graphics/Oculus.h"

#include <GL/glew.h>

#include "engine/EngineLog.h"
#include "engine/SettingManager.h"
#include "engine/SignalManager.h"
#include "graphics/OpenXrHeadset.h"
#include "graphics/OvrHeadset.h"
#include "input/InputEvents.h"
#include "platform/Assert.h"
#include "platform/MessageBox.h"

namespace zumek {
namespace {

constexpr unsigned kStatusInterval = 30; ///< the status is read when the counter exceeds this
constexpr InputEvent kQuitEvent = input_event::QUIT;

template <class T>
void SetSetting(T value) {
    SettingManager::GetSetting<T>() = value;
    // Most settings have no channel; emitting into none would only log "Missing channel".
    if (SignalManager::Instance().HasChannel<T>()) SignalManager::Emit<T>(value);
}

} // namespace

Oculus::Oculus(std::unique_ptr<HeadsetBackend> backend) : m_backend(std::move(backend)) {}

Oculus::~Oculus() {
    // The GL objects belong to a context that may be gone by now: only the back end's own
    // records are let go here (Shutdown releases everything while the context lives).
    if (m_backend) m_backend->Close();
}

void Oculus::Initialize() {
    m_enabled = true;
    if (m_backend) {
        m_opened = m_backend->Open();
        if (!m_opened) m_backend->Close();
    } else {
        // The runtime library first (it is what the simulator provides), then OpenXR.
        std::unique_ptr<HeadsetBackend> candidates[] = {std::make_unique<OvrHeadset>(), std::make_unique<OpenXrHeadset>()};
        for (std::unique_ptr<HeadsetBackend>& candidate : candidates) {
            m_opened = candidate->Open();
            if (!m_opened) candidate->Close();
            m_backend = std::move(candidate);
            if (m_opened) break;
        }
    }
    if (!m_opened) {
        m_enabled = false;
        return;
    }
    m_resolution = m_backend->DisplayResolution();
    EngineLog::Instance().WriteInfo("headset: " + m_backend->Describe());
    SetSetting<ResolutionSetting>(ResolutionSetting{m_resolution.x, m_resolution.y});
    SetSetting<OculusSetting>(OculusSetting(0));
}

void Oculus::SetUpRenderTargets() {
    if (!m_enabled) return;
    if (!m_backend->CreateTargets()) {
        TurnOff();
        return;
    }
    for (int eye = 0; eye < 2; ++eye) {
        EyeTarget& target = m_eye[eye];
        target.size = m_backend->EyeSize(eye);
        m_eyeTextureSize = glm::vec2(target.size);
        glGenFramebuffers(1, &target.framebuffer);
        glGenTextures(1, &target.depth);
        glBindTexture(GL_TEXTURE_2D, target.depth);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT32, target.size.x, target.size.y, 0, GL_DEPTH_COMPONENT,
                     GL_FLOAT, nullptr);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    m_mirror = m_backend->Mirror();
    if (m_mirror.texture) {
        glGenFramebuffers(1, &m_mirrorFramebuffer);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, m_mirrorFramebuffer);
        glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_mirror.texture, 0);
        glFramebufferRenderbuffer(GL_READ_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, 0);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    }
}

void Oculus::StatusCheck() {
    if (!m_enabled) return;
    if (++m_statusCounter <= kStatusInterval) return;
    m_statusCounter = 0;
    // A headset unplugged during play: back to the window, silently.
    if (!m_backend->HeadsetPresent()) TurnOff();
}

bool Oculus::BeginFrame() {
    m_eyesDrawn = false;
    if (!m_enabled) return false;
    m_eyesDrawn = m_backend->BeginFrame(m_views);
    // A session the runtime ended or lost: back to the window now, silently.
    if (!m_eyesDrawn && !m_backend->HeadsetPresent()) TurnOff();
    return m_eyesDrawn;
}

void Oculus::PrepareEye(int eye) {
    ASSERT(eye == 0 || eye == 1, "eye == 0 || eye == 1");
    EyeTarget& target = m_eye[eye];
    target.texture = m_backend->AcquireEyeTexture(eye);
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target.texture, 0);
    target.runtimeDepth = m_backend->AcquireEyeDepthTexture(eye);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D,
                           target.runtimeDepth ? target.runtimeDepth : target.depth, 0);
    glViewport(0, 0, target.size.x, target.size.y);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    m_eyePosition = m_views[eye].position;
    m_eyeOrientation = m_views[eye].orientation;
    m_eyeProjection = m_views[eye].projection;
    m_eyeTextureSize = glm::vec2(target.size);
}

void Oculus::BindEye(int eye) {
    ASSERT(eye == 0 || eye == 1, "eye == 0 || eye == 1");
    glBindFramebuffer(GL_FRAMEBUFFER, m_eye[eye].framebuffer);
    glViewport(0, 0, m_eye[eye].size.x, m_eye[eye].size.y);
}

void Oculus::FinishEye(int eye) {
    ASSERT(eye == 0 || eye == 1, "eye == 0 || eye == 1");
    EyeTarget& target = m_eye[eye];
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, 0, 0);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, 0, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    m_backend->ReleaseEyeTexture(eye);
    target.lastTexture = target.texture;
}

void Oculus::SubmitFrame(int width, int height) {
    if (!m_enabled) return;
    m_visible = m_backend->SubmitFrame();
    if (!m_visible) {
        ShowMessageBox("Error", "Oculus is disconected.");
        InputEvents::Instance().Raise(kQuitEvent);
        // The frames left before the quit is seen go to the window: one message, not one a frame.
        TurnOff();
        return;
    }
    if (!m_eyesDrawn || !m_mirrorFramebuffer || width <= 0 || height <= 0) return;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_mirrorFramebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    const int top = m_mirror.topDown ? m_mirror.size.y : 0;
    const int bottom = m_mirror.topDown ? 0 : m_mirror.size.y;
    glBlitFramebuffer(0, top, m_mirror.size.x, bottom, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_LINEAR);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
}

void Oculus::ReleaseTargets() {
    if (m_mirrorFramebuffer) glDeleteFramebuffers(1, &m_mirrorFramebuffer);
    m_mirrorFramebuffer = 0;
    m_mirror = HeadsetMirror{};
    for (EyeTarget& target : m_eye) {
        if (target.framebuffer) glDeleteFramebuffers(1, &target.framebuffer);
        if (target.depth) glDeleteTextures(1, &target.depth);
        target = EyeTarget{};
    }
}

void Oculus::TurnOff() {
    ReleaseTargets();
    if (m_backend) m_backend->Close();
    const bool wasInUse = m_opened;
    m_enabled = false;
    m_opened = false;
    if (wasInUse) SetSetting<OculusSetting>(OculusSetting(1));
}

void Oculus::Shutdown() {
    // Runs before the renderer's shutdown, with the GL context still current.
    if (m_opened) ReleaseTargets();
    if (m_backend) m_backend->Close();
    m_opened = false;
    m_enabled = false;
}

} // namespace zumek
