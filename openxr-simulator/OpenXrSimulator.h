// openxr-simulator/OpenXrSimulator.h
// The OpenXR simulator: its handles, its simulated headset and what it counts.
#pragma once
#include <GL/glew.h>

#define XR_USE_GRAPHICS_API_OPENGL
#define XR_USE_PLATFORM_XLIB
#include <GL/glx.h>
#include <openxr/openxr.h>
#include <openxr/openxr_platform.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "openxr-simulator/OpenXrSimulatorStats.h"

/// The environment the runtime reads once, at negotiation.
struct XrSimSettings {
    int eyeWidth = 640, eyeHeight = 720;
    long loseSessionAfter = -1; ///< XR_SIM_LOSE_SESSION_AFTER: frames ended before the session is lost
    bool noOpenGl = false;      ///< XR_SIM_NO_OPENGL=1: XR_KHR_opengl_enable is not offered
    bool noDepth = false;       ///< XR_SIM_NO_DEPTH=1: XR_KHR_composition_layer_depth is not offered
    bool noHeadset = false;     ///< XR_SIM_NO_HEADSET=1: no head-mounted display is connected
    bool mono = false;          ///< XR_SIM_MONO=1: the headset offers only a mono view
};

struct XrInstance_T {
    bool requirementsQueried = false;
    bool depthEnabled = false;
    std::deque<XrEventDataBuffer> events;
};

struct XrSwapchain_T;
struct XrSpace_T {
    XrSession session = XR_NULL_HANDLE;
};

struct XrSession_T {
    XrInstance instance = XR_NULL_HANDLE;
    GLXContext context = nullptr;
    XrSessionState state = XR_SESSION_STATE_IDLE;
    bool running = false;
    bool lost = false;
    bool frameWaited = false;
    bool frameBegun = false;
    XrTime predictedTime = 0;
    long framesEnded = 0;
    std::vector<XrSwapchain_T*> swapchains;
    std::vector<XrSpace_T*> spaces;
};

struct XrSwapchain_T {
    XrSession session = XR_NULL_HANDLE;
    int64_t format = 0;
    uint32_t width = 0, height = 0;
    std::vector<GLuint> images;
    std::deque<uint32_t> acquired; ///< in acquisition order
    bool waited = false;           ///< the oldest acquired image was waited for
    uint32_t next = 0;
    long lastReleased = -1;        ///< the image released last (-1 none)
};

extern XrSimSettings g_settings;
extern XrSimStats g_stats;

/// Prints one line about a misuse of the API to standard error and counts it; returns `result`.
XrResult Misuse(XrResult result, const std::string& text);
void QueueSessionState(XrSession session, XrSessionState state);
bool IsLive(XrInstance instance);
bool IsLive(XrSession session);

/// Destroys the instance's sessions with their swapchains and spaces.
void DestroySessionsOf(XrInstance instance);
/// The session, space, swapchain and frame functions (OpenXrSimulatorSession.cpp), by name.
PFN_xrVoidFunction SessionFunction(const std::string& name);
