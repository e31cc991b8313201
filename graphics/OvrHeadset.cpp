// graphics/OvrHeadset.cpp
#include "graphics/OvrHeadset.h"

#include <GL/glew.h>

#include "engine/EngineLog.h"
#include "platform/Assert.h"
#include "platform/MessageBox.h"

namespace zumek {
namespace {

constexpr float kNear = 0.2f;
constexpr float kFar = 10000.0f;

glm::quat ToGlm(const OvrQuat& q) { return glm::quat(q.w, q.x, q.y, q.z); }
glm::vec3 ToGlm(const OvrVec3& v) { return glm::vec3(v.x, v.y, v.z); }

} // namespace

bool OvrHeadset::Open() {
    if (!m_runtime.Load()) return false;
    if (m_runtime.ovr_Initialize(nullptr) < 0) {
        Close();
        return false;
    }
    m_initialized = true;
    OvrLuid luid{};
    // No headset connected: the runtime refuses the session. Silent, as without a runtime.
    if (m_runtime.ovr_Create(&m_session, &luid) < 0 || !m_session) {
        m_session = nullptr;
        Close();
        return false;
    }
    m_desc = m_runtime.ovr_GetHmdDesc(m_session);
    m_desc.productName[sizeof m_desc.productName - 1] = '\0';
    if (m_desc.type == OVR_HEADSET_NONE || m_desc.resolution.width <= 0 || m_desc.resolution.height <= 0) {
        Close();
        return false;
    }
    return true;
}

std::string OvrHeadset::Describe() const {
    return "LibOVR " + m_runtime.Path() + ": " + m_desc.productName + ", " + std::to_string(m_desc.resolution.width) + "x" +
           std::to_string(m_desc.resolution.height);
}

glm::ivec2 OvrHeadset::DisplayResolution() const { return {m_desc.resolution.width, m_desc.resolution.height}; }

bool OvrHeadset::CreateTargets() {
    ASSERT(m_session, "hmd");
    if (m_runtime.ovr_ConfigureTracking(m_session, OVR_TRACK_ORIENTATION | OVR_TRACK_YAW_CORRECTION | OVR_TRACK_POSITION, 0) < 0)
        ShowMessageBox("", "Failed to configure tracking.");
    bool eyesMade = true;
    for (int eye = 0; eye < 2; ++eye) {
        m_eyeSize[eye] = m_runtime.ovr_GetFovTextureSize(m_session, eye, m_desc.defaultEyeFov[eye], 1.0f);
        OvrSwapTextureSet* set = nullptr;
        const bool made = m_eyeSize[eye].width > 0 && m_eyeSize[eye].height > 0 &&
                          m_runtime.ovr_CreateSwapTextureSetGL(m_session, GL_SRGB8_ALPHA8, m_eyeSize[eye].width,
                                                               m_eyeSize[eye].height, &set) >= 0 &&
                          set && set->textureCount > 0 && set->textures;
        if (!made) {
            if (set) m_runtime.ovr_DestroySwapTextureSet(m_session, set);
            ShowMessageBox("", "Failed to create texture.");
            eyesMade = false;
            continue;
        }
        m_eyeTextures[eye] = set;
        for (int i = 0; i < set->textureCount; ++i) {
            glBindTexture(GL_TEXTURE_2D, set->textures[i].textureId);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        }
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    if (m_runtime.ovr_CreateMirrorTextureGL(m_session, GL_SRGB8_ALPHA8, m_desc.resolution.width, m_desc.resolution.height,
                                            &m_mirror) < 0) {
        m_mirror = nullptr;
        ShowMessageBox("", "Failed to create mirror textures.");
    }
    for (int eye = 0; eye < 2; ++eye)
        m_eyeRenderDesc[eye] = m_runtime.ovr_GetRenderDesc(m_session, eye, m_desc.defaultEyeFov[eye]);
    return eyesMade;
}

glm::ivec2 OvrHeadset::EyeSize(int eye) const {
    ASSERT(eye == 0 || eye == 1, "eye == 0 || eye == 1");
    return {m_eyeSize[eye].width, m_eyeSize[eye].height};
}

bool OvrHeadset::BeginFrame(HeadsetEyeView views[2]) {
    for (int eye = 0; eye < 2; ++eye) m_eyeOffset[eye] = m_eyeRenderDesc[eye].hmdToEyeViewOffset;
    const OvrFrameTiming timing = m_runtime.ovr_GetFrameTiming(m_session, 0);
    const OvrTrackingState tracking = m_runtime.ovr_GetTrackingState(m_session, timing.displayMidpointSeconds);
    OvrCalcEyePoses(tracking.headPose, m_eyeOffset, m_eyePose);
    for (int eye = 0; eye < 2; ++eye) {
        views[eye].position = ToGlm(m_eyePose[eye].position);
        views[eye].orientation = ToGlm(m_eyePose[eye].orientation);
        views[eye].projection = OvrProjection(m_eyeRenderDesc[eye].fov, kNear, kFar);
    }
    return true;
}

unsigned OvrHeadset::AcquireEyeTexture(int eye) {
    ASSERT(eye == 0 || eye == 1, "eye == 0 || eye == 1");
    OvrSwapTextureSet* set = m_eyeTextures[eye];
    if (!set) return 0;
    set->currentIndex = (set->currentIndex + 1) % set->textureCount;
    return set->textures[set->currentIndex].textureId;
}

bool OvrHeadset::SubmitFrame() {
    OvrViewScaleDesc viewScale{};
    viewScale.hmdSpaceToWorldScaleInMeters = 1.0f;
    OvrLayerEyeFov layer{};
    layer.header.type = OVR_LAYER_EYE_FOV;
    layer.header.flags = OVR_LAYER_TEXTURE_ORIGIN_BOTTOM_LEFT;
    for (int eye = 0; eye < 2; ++eye) {
        viewScale.hmdToEyeViewOffset[eye] = m_eyeOffset[eye];
        layer.colorTexture[eye] = m_eyeTextures[eye];
        layer.viewport[eye] = {0, 0, m_eyeSize[eye].width, m_eyeSize[eye].height};
        layer.fov[eye] = m_desc.defaultEyeFov[eye];
        layer.renderPose[eye] = m_eyePose[eye];
    }
    const OvrLayerHeader* layers[1] = {&layer.header};
    return m_runtime.ovr_SubmitFrame(m_session, 0, &viewScale, layers, 1) >= 0;
}

HeadsetMirror OvrHeadset::Mirror() const {
    HeadsetMirror mirror;
    if (m_mirror) {
        mirror.texture = m_mirror->textureId;
        mirror.size = {m_desc.resolution.width, m_desc.resolution.height};
    }
    return mirror;
}

bool OvrHeadset::HeadsetPresent() {
    if (!m_initialized) return false;
    return m_runtime.ovr_GetHmdDesc(nullptr).type != OVR_HEADSET_NONE;
}

void OvrHeadset::Close() {
    if (m_session) {
        if (m_mirror) m_runtime.ovr_DestroyMirrorTexture(m_session, m_mirror);
        for (OvrSwapTextureSet*& set : m_eyeTextures)
            if (set) m_runtime.ovr_DestroySwapTextureSet(m_session, set);
        m_runtime.ovr_Destroy(m_session);
    }
    m_mirror = nullptr;
    m_eyeTextures[0] = m_eyeTextures[1] = nullptr;
    m_session = nullptr;
    if (m_initialized) m_runtime.ovr_Shutdown();
    m_initialized = false;
    m_runtime.Unload();
}

} // namespace zumek
