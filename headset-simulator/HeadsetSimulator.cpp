// headset-simulator/HeadsetSimulator.cpp
// A headset runtime of our own for tests and for trying the game's VR path without a headset:
// it implements the runtime library's entry points with a simulated headset. Environment:
//   HEADSET_SIM_RESOLUTION=WxH         the display (both eyes; default 1920x1080)
//   HEADSET_SIM_MOTION=still|turn      the head holds still (default) or turns left 0.25 degrees a frame
//   HEADSET_SIM_UNPLUG_AFTER=N         the headset is gone after N submitted frames
//   HEADSET_SIM_FAIL_SUBMIT_AFTER=N    submitting fails after N submitted frames
//   HEADSET_SIM_NO_HEADSET=1           the runtime runs but no headset is connected
// The mirror texture shows both eyes side by side, rows from the top as a compositor's are.
#include <GL/glew.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "graphics/OvrRuntimeApi.h"

struct OvrSessionRecord {
    int unused = 0;
};

namespace {

constexpr float kEyeHalfDistance = 0.032f; // metres: a 64 mm distance between the eyes
constexpr int kTexturesPerSet = 3;
constexpr float kTurnRadiansPerFrame = 0.25f * 3.14159265f / 180.0f;

struct Settings {
    int width = 1920;
    int height = 1080;
    bool turning = false;
    long unplugAfter = -1;
    long failSubmitAfter = -1;
    bool noHeadset = false;
};

struct Simulator {
    Settings settings;
    bool initialized = false;
    bool glReady = false;
    OvrSessionRecord session;
    bool sessionOpen = false;
    long submitted = 0;
    GLuint readFramebuffer = 0;
    GLuint drawFramebuffer = 0;
    OvrGlTexture* mirror = nullptr;
};

Simulator g_sim;

long NumberFrom(const char* name) {
    const char* text = std::getenv(name);
    if (!text || !*text) return -1;
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value < 0) {
        std::fprintf(stderr, "headset simulator: %s=%s is not a frame count; ignored\n", name, text);
        return -1;
    }
    return value;
}

Settings ReadSettings() {
    Settings settings;
    if (const char* resolution = std::getenv("HEADSET_SIM_RESOLUTION"); resolution && *resolution) {
        int width = 0, height = 0;
        char tail = 0;
        if (std::sscanf(resolution, "%dx%d%c", &width, &height, &tail) == 2 && width >= 16 && height >= 16 &&
            width <= 8192 && height <= 8192) {
            settings.width = width;
            settings.height = height;
        } else {
            std::fprintf(stderr, "headset simulator: HEADSET_SIM_RESOLUTION=%s is not WIDTHxHEIGHT; 1920x1080 is used\n",
                         resolution);
        }
    }
    if (const char* motion = std::getenv("HEADSET_SIM_MOTION"); motion && *motion) {
        if (std::strcmp(motion, "turn") == 0) settings.turning = true;
        else if (std::strcmp(motion, "still") != 0)
            std::fprintf(stderr, "headset simulator: HEADSET_SIM_MOTION=%s is neither still nor turn; still is used\n",
                         motion);
    }
    settings.unplugAfter = NumberFrom("HEADSET_SIM_UNPLUG_AFTER");
    settings.failSubmitAfter = NumberFrom("HEADSET_SIM_FAIL_SUBMIT_AFTER");
    const char* none = std::getenv("HEADSET_SIM_NO_HEADSET");
    settings.noHeadset = none && *none && std::strcmp(none, "0") != 0;
    return settings;
}

bool Unplugged() { return g_sim.settings.unplugAfter >= 0 && g_sim.submitted >= g_sim.settings.unplugAfter; }

OvrFov EyeFov(int eye) {
    // The outer half of each eye's view is wider than the inner half.
    OvrFov fov{1.2f, 1.2f, 1.1f, 0.9f};
    if (eye == 1) std::swap(fov.leftTan, fov.rightTan);
    return fov;
}

bool ReadyGl() {
    if (g_sim.glReady) return true;
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) return false;
    while (glGetError() != GL_NO_ERROR) {
    }
    g_sim.glReady = true;
    return true;
}

GLuint MakeTexture(uint32_t format, int width, int height) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

/// Both eyes side by side into the mirror, rows from the top.
[[maybe_unused]] void ComposeMirror(const OvrLayerEyeFov& layer) {
    if (!g_sim.mirror || !g_sim.readFramebuffer) return;
    GLint oldRead = 0, oldDraw = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &oldRead);
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &oldDraw);
    const int width = g_sim.mirror->size.width, height = g_sim.mirror->size.height;
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, g_sim.drawFramebuffer);
    glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, g_sim.mirror->textureId, 0);
    for (int eye = 0; eye < 2; ++eye) {
        const OvrSwapTextureSet* set = layer.colorTexture[eye];
        const OvrRect& viewport = layer.viewport[eye];
        glBindFramebuffer(GL_READ_FRAMEBUFFER, g_sim.readFramebuffer);
        glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                               set->textures[set->currentIndex].textureId, 0);
        glBlitFramebuffer(viewport.x, viewport.y, viewport.x + viewport.width, viewport.y + viewport.height,
                          eye * width / 2, height, (eye + 1) * width / 2, 0, GL_COLOR_BUFFER_BIT, GL_LINEAR);
    }
    glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, 0, 0);
    glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, 0, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(oldRead));
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(oldDraw));
}

[[maybe_unused]] bool ValidLayer(const OvrLayerHeader* const* layers, uint32_t count) {
    if (count != 1 || !layers || !layers[0] || layers[0]->type != OVR_LAYER_EYE_FOV) return false;
    const auto* layer = reinterpret_cast<const OvrLayerEyeFov*>(layers[0]);
    for (const OvrSwapTextureSet* set : layer->colorTexture)
        if (!set || set->currentIndex < 0 || set->currentIndex >= set->textureCount) return false;
    return true;
}

} // namespace

extern "C" {

OvrResult ovr_Initialize(const void*) {
    g_sim = Simulator{};
    g_sim.settings = ReadSettings();
    g_sim.initialized = true;
    return 0;
}

OvrResult ovr_Create(OvrSession* session, OvrLuid* luid) {
    if (!g_sim.initialized || !session) return -1;
    if (luid) std::memset(luid, 0, sizeof *luid);
    if (g_sim.settings.noHeadset || g_sim.sessionOpen) {
        *session = nullptr;
        return -1;
    }
    g_sim.sessionOpen = true;
    *session = &g_sim.session;
    return 0;
}

OvrHeadsetDesc ovr_GetHmdDesc(OvrSession) {
    OvrHeadsetDesc desc{};
    if (!g_sim.initialized || g_sim.settings.noHeadset || Unplugged()) return desc;
    desc.type = OVR_HEADSET_SIMULATED;
    std::snprintf(desc.productName, sizeof desc.productName, "Simulated headset");
    desc.resolution = {g_sim.settings.width, g_sim.settings.height};
    desc.defaultEyeFov[0] = EyeFov(0);
    desc.defaultEyeFov[1] = EyeFov(1);
    desc.refreshRate = 90.0f;
    return desc;
}

OvrResult ovr_ConfigureTracking(OvrSession session, uint32_t, uint32_t) { return session ? 0 : -1; }

OvrSize ovr_GetFovTextureSize(OvrSession session, int32_t, OvrFov, float pixelsPerDisplayPixel) {
    if (!session || !(pixelsPerDisplayPixel > 0.0f)) return {0, 0};
    return {static_cast<int32_t>(std::lround(g_sim.settings.width / 2 * pixelsPerDisplayPixel)),
            static_cast<int32_t>(std::lround(g_sim.settings.height * pixelsPerDisplayPixel))};
}

OvrResult ovr_CreateSwapTextureSetGL(OvrSession session, uint32_t format, int32_t width, int32_t height,
                                     OvrSwapTextureSet** set) {
    if (!set) return -1;
    *set = nullptr;
    if (!session || width <= 0 || height <= 0 || !ReadyGl()) return -1;
    auto* made = new OvrSwapTextureSet{new OvrGlTexture[kTexturesPerSet], kTexturesPerSet, 0};
    for (int i = 0; i < kTexturesPerSet; ++i) made->textures[i] = {MakeTexture(format, width, height), {width, height}};
    *set = made;
    return 0;
}

OvrResult ovr_CreateMirrorTextureGL(OvrSession session, uint32_t format, int32_t width, int32_t height,
                                    OvrGlTexture** texture) {
    if (!texture) return -1;
    *texture = nullptr;
    if (!session || width <= 0 || height <= 0 || g_sim.mirror || !ReadyGl()) return -1;
    g_sim.mirror = new OvrGlTexture{MakeTexture(format, width, height), {width, height}};
    glGenFramebuffers(1, &g_sim.readFramebuffer);
    glGenFramebuffers(1, &g_sim.drawFramebuffer);
    *texture = g_sim.mirror;
    return 0;
}

OvrEyeRenderDesc ovr_GetRenderDesc(OvrSession, int32_t eye, OvrFov fov) {
    return {eye, fov, {eye == 0 ? -kEyeHalfDistance : kEyeHalfDistance, 0.0f, 0.0f}};
}

OvrFrameTiming ovr_GetFrameTiming(OvrSession, uint32_t) {
    return {static_cast<double>(g_sim.submitted + 1) / 90.0, 1.0 / 90.0};
}

OvrTrackingState ovr_GetTrackingState(OvrSession, double absoluteTime) {
    OvrTrackingState state{};
    const float yaw = g_sim.settings.turning ? kTurnRadiansPerFrame * static_cast<float>(g_sim.submitted) : 0.0f;
    // A turn to the left about the vertical axis.
    state.headPose.orientation = {0.0f, std::sin(yaw * 0.5f), 0.0f, std::cos(yaw * 0.5f)};
    state.sampleTime = absoluteTime;
    state.statusFlags = Unplugged() ? 0u : 0x3u;
    return state;
}

#ifndef HEADSET_SIM_LEAVE_OUT_SUBMIT
OvrResult ovr_SubmitFrame(OvrSession session, uint32_t, const OvrViewScaleDesc* viewScale,
                          const OvrLayerHeader* const* layers, uint32_t layerCount) {
    if (!session || !viewScale || !ValidLayer(layers, layerCount)) return -1;
    ++g_sim.submitted;
    if (g_sim.settings.failSubmitAfter >= 0 && g_sim.submitted > g_sim.settings.failSubmitAfter) return -1;
    // Unplugged: the frame is taken but nobody sees it (a success that is not "visible").
    if (Unplugged()) return 1;
    ComposeMirror(*reinterpret_cast<const OvrLayerEyeFov*>(layers[0]));
    return 0;
}
#endif

void ovr_DestroyMirrorTexture(OvrSession, OvrGlTexture* texture) {
    if (!texture || texture != g_sim.mirror) return;
    glDeleteTextures(1, &texture->textureId);
    if (g_sim.readFramebuffer) glDeleteFramebuffers(1, &g_sim.readFramebuffer);
    if (g_sim.drawFramebuffer) glDeleteFramebuffers(1, &g_sim.drawFramebuffer);
    g_sim.readFramebuffer = g_sim.drawFramebuffer = 0;
    delete g_sim.mirror;
    g_sim.mirror = nullptr;
}

void ovr_DestroySwapTextureSet(OvrSession, OvrSwapTextureSet* set) {
    if (!set) return;
    for (int i = 0; i < set->textureCount; ++i) glDeleteTextures(1, &set->textures[i].textureId);
    delete[] set->textures;
    delete set;
}

void ovr_Destroy(OvrSession session) {
    if (session == &g_sim.session) g_sim.sessionOpen = false;
}

void ovr_Shutdown(void) { g_sim.initialized = false; }

} // extern "C"
