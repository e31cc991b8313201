// graphics/OpenXrHeadset.cpp
#include "graphics/OpenXrHeadset.h"

#include <GL/glew.h>

#include <cmath>
#include <cstring>

#define XR_USE_GRAPHICS_API_OPENGL
#define XR_USE_PLATFORM_XLIB
#include <GL/glx.h>
#include <openxr/openxr_platform.h>
#include <openxr/openxr_reflection.h>

#include "engine/EngineLog.h"
#include "graphics/OpenXrStruct.h"
#include "graphics/OpenXrRuntimeManifest.h"
#include "graphics/OvrRuntime.h"
#include "platform/Assert.h"

namespace zumek {
namespace {

constexpr float kNear = 0.2f;
constexpr float kFar = 10000.0f;

const char* ResultName(XrResult result) {
#define ZUMEK_XR_RESULT_CASE(name, value) \
    case name:                            \
        return #name;
    switch (result) {
        XR_LIST_ENUM_XrResult(ZUMEK_XR_RESULT_CASE) default : return "an unknown result";
    }
#undef ZUMEK_XR_RESULT_CASE
}

std::string VersionText(XrVersion version) {
    return std::to_string(XR_VERSION_MAJOR(version)) + "." + std::to_string(XR_VERSION_MINOR(version)) + "." +
           std::to_string(XR_VERSION_PATCH(version));
}

std::vector<std::string> InstanceExtensions() {
    uint32_t count = 0;
    if (XR_FAILED(xrEnumerateInstanceExtensionProperties(nullptr, 0, &count, nullptr))) return {};
    std::vector<XrExtensionProperties> properties(count, XrStruct<XrExtensionProperties>(XR_TYPE_EXTENSION_PROPERTIES));
    if (XR_FAILED(xrEnumerateInstanceExtensionProperties(nullptr, count, &count, properties.data()))) return {};
    std::vector<std::string> names;
    for (uint32_t i = 0; i < count; ++i) names.emplace_back(properties[i].extensionName);
    return names;
}

bool Contains(const std::vector<std::string>& names, const char* name) {
    for (const std::string& entry : names)
        if (entry == name) return true;
    return false;
}

/// The OpenGL side of the session: the GLX display, context, drawable and frame-buffer
/// configuration of the context current on this thread (SDL's on X11).
bool CurrentGlxBinding(XrGraphicsBindingOpenGLXlibKHR& binding) {
    Display* display = glXGetCurrentDisplay();
    GLXContext context = glXGetCurrentContext();
    if (!display || !context) return false;
    int configId = 0;
    if (glXQueryContext(display, context, GLX_FBCONFIG_ID, &configId) != Success) return false;
    int screen = 0;
    glXQueryContext(display, context, GLX_SCREEN, &screen);
    const int attributes[] = {GLX_FBCONFIG_ID, configId, None};
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(display, screen, attributes, &count);
    if (!configs || count < 1) {
        if (configs) XFree(configs);
        return false;
    }
    int visual = 0;
    glXGetFBConfigAttrib(display, configs[0], GLX_VISUAL_ID, &visual);
    binding.xDisplay = display;
    binding.visualid = static_cast<uint32_t>(visual);
    binding.glxFBConfig = configs[0];
    binding.glxDrawable = glXGetCurrentDrawable();
    binding.glxContext = context;
    XFree(configs);
    return true;
}

glm::mat4 Projection(const XrFovf& fov) {
    OvrFov tangents{};
    tangents.leftTan = std::tan(-fov.angleLeft);
    tangents.rightTan = std::tan(fov.angleRight);
    tangents.upTan = std::tan(fov.angleUp);
    tangents.downTan = std::tan(-fov.angleDown);
    return OvrProjection(tangents, kNear, kFar);
}

} // namespace

bool OpenXrHeadset::Refused(const char* call, XrResult result) const {
    ReportProblem(Error, std::string("OpenXR: ") + call + " failed (" + ResultName(result) + "); no headset is used");
    return false;
}

bool OpenXrHeadset::Open() {
    // No active runtime: most players have no headset, and that is said nowhere.
    if (FindOpenXrRuntimeManifest(OpenXrRuntimeEnvironment::FromProcess()).empty()) return false;
    const std::vector<std::string> extensions = InstanceExtensions();
    if (extensions.empty()) return false; // the runtime did not load (the loader said why)
    if (!Contains(extensions, XR_KHR_OPENGL_ENABLE_EXTENSION_NAME)) {
        ReportProblem(Error, "OpenXR: the runtime offers no OpenGL binding (" XR_KHR_OPENGL_ENABLE_EXTENSION_NAME
                             "); no headset is used");
        return false;
    }
    std::vector<const char*> enabled = {XR_KHR_OPENGL_ENABLE_EXTENSION_NAME};
    m_depthOffered = Contains(extensions, XR_KHR_COMPOSITION_LAYER_DEPTH_EXTENSION_NAME);
    if (m_depthOffered) enabled.push_back(XR_KHR_COMPOSITION_LAYER_DEPTH_EXTENSION_NAME);

    auto createInfo = XrStruct<XrInstanceCreateInfo>(XR_TYPE_INSTANCE_CREATE_INFO);
    std::strncpy(createInfo.applicationInfo.applicationName, "Tovalik", XR_MAX_APPLICATION_NAME_SIZE - 1);
    createInfo.applicationInfo.applicationVersion = 1;
    std::strncpy(createInfo.applicationInfo.engineName, "zumek", XR_MAX_ENGINE_NAME_SIZE - 1);
    createInfo.applicationInfo.engineVersion = 1;
    createInfo.applicationInfo.apiVersion = XR_MAKE_VERSION(1, 0, 0);
    createInfo.enabledExtensionCount = static_cast<uint32_t>(enabled.size());
    createInfo.enabledExtensionNames = enabled.data();
    XrResult result = xrCreateInstance(&createInfo, &m_instance);
    if (XR_FAILED(result)) {
        m_instance = XR_NULL_HANDLE;
        if (result == XR_ERROR_RUNTIME_UNAVAILABLE) return false;
        return Refused("xrCreateInstance", result);
    }
    auto instanceProperties = XrStruct<XrInstanceProperties>(XR_TYPE_INSTANCE_PROPERTIES);
    if (XR_SUCCEEDED(xrGetInstanceProperties(m_instance, &instanceProperties)))
        m_runtimeName = std::string(instanceProperties.runtimeName) + " " + VersionText(instanceProperties.runtimeVersion);

    auto systemInfo = XrStruct<XrSystemGetInfo>(XR_TYPE_SYSTEM_GET_INFO);
    systemInfo.formFactor = XR_FORM_FACTOR_HEAD_MOUNTED_DISPLAY;
    result = xrGetSystem(m_instance, &systemInfo, &m_system);
    if (XR_FAILED(result)) {
        // No headset connected: as silent as no runtime.
        if (result != XR_ERROR_FORM_FACTOR_UNAVAILABLE) Refused("xrGetSystem", result);
        Close();
        return false;
    }
    auto systemProperties = XrStruct<XrSystemProperties>(XR_TYPE_SYSTEM_PROPERTIES);
    if (XR_SUCCEEDED(xrGetSystemProperties(m_instance, m_system, &systemProperties)))
        m_systemName = systemProperties.systemName;

    uint32_t count = 0;
    std::vector<XrViewConfigurationType> configurations;
    result = xrEnumerateViewConfigurations(m_instance, m_system, 0, &count, nullptr);
    if (XR_SUCCEEDED(result)) {
        configurations.resize(count);
        result = xrEnumerateViewConfigurations(m_instance, m_system, count, &count, configurations.data());
    }
    bool stereo = false;
    for (uint32_t i = 0; XR_SUCCEEDED(result) && i < count; ++i)
        stereo = stereo || configurations[i] == XR_VIEW_CONFIGURATION_TYPE_PRIMARY_STEREO;
    count = 0;
    if (stereo)
        result = xrEnumerateViewConfigurationViews(m_instance, m_system, XR_VIEW_CONFIGURATION_TYPE_PRIMARY_STEREO, 0, &count,
                                                   nullptr);
    if (!stereo || XR_FAILED(result) || count != 2) {
        ReportProblem(Error, "OpenXR: the headset " + m_systemName + " offers no stereo view; no headset is used");
        Close();
        return false;
    }
    m_viewConfig[0] = m_viewConfig[1] = XrStruct<XrViewConfigurationView>(XR_TYPE_VIEW_CONFIGURATION_VIEW);
    result = xrEnumerateViewConfigurationViews(m_instance, m_system, XR_VIEW_CONFIGURATION_TYPE_PRIMARY_STEREO, 2, &count,
                                               m_viewConfig);
    if (XR_FAILED(result) || m_viewConfig[0].recommendedImageRectWidth == 0 || m_viewConfig[1].recommendedImageRectWidth == 0 ||
        m_viewConfig[0].recommendedImageRectHeight == 0 || m_viewConfig[1].recommendedImageRectHeight == 0) {
        Refused("xrEnumerateViewConfigurationViews", XR_FAILED(result) ? result : XR_ERROR_VALIDATION_FAILURE);
        Close();
        return false;
    }

    // Opaque when offered (a headset, not a see-through display), else the runtime's first.
    std::vector<XrEnvironmentBlendMode> blendModes;
    result = xrEnumerateEnvironmentBlendModes(m_instance, m_system, XR_VIEW_CONFIGURATION_TYPE_PRIMARY_STEREO, 0, &count,
                                              nullptr);
    if (XR_SUCCEEDED(result) && count > 0) {
        blendModes.resize(count);
        result = xrEnumerateEnvironmentBlendModes(m_instance, m_system, XR_VIEW_CONFIGURATION_TYPE_PRIMARY_STEREO, count,
                                                  &count, blendModes.data());
    }
    if (XR_FAILED(result) || blendModes.empty()) {
        Refused("xrEnumerateEnvironmentBlendModes", XR_FAILED(result) ? result : XR_ERROR_VALIDATION_FAILURE);
        Close();
        return false;
    }
    m_blendMode = blendModes.front();
    for (XrEnvironmentBlendMode mode : blendModes)
        if (mode == XR_ENVIRONMENT_BLEND_MODE_OPAQUE) m_blendMode = mode;
    return true;
}

std::string OpenXrHeadset::Describe() const {
    const glm::ivec2 size = DisplayResolution();
    return "OpenXR " + m_runtimeName + ": " + m_systemName + ", " + std::to_string(size.x) + "x" + std::to_string(size.y);
}

glm::ivec2 OpenXrHeadset::DisplayResolution() const {
    return {static_cast<int>(m_viewConfig[0].recommendedImageRectWidth + m_viewConfig[1].recommendedImageRectWidth),
            static_cast<int>(std::max(m_viewConfig[0].recommendedImageRectHeight, m_viewConfig[1].recommendedImageRectHeight))};
}

bool OpenXrHeadset::CreateTargets() {
    ASSERT(m_instance != XR_NULL_HANDLE, "m_instance != XR_NULL_HANDLE");
    PFN_xrGetOpenGLGraphicsRequirementsKHR getRequirements = nullptr;
    XrResult result = xrGetInstanceProcAddr(m_instance, "xrGetOpenGLGraphicsRequirementsKHR",
                                            reinterpret_cast<PFN_xrVoidFunction*>(&getRequirements));
    if (XR_FAILED(result) || !getRequirements) return Refused("xrGetOpenGLGraphicsRequirementsKHR", result);
    auto requirements = XrStruct<XrGraphicsRequirementsOpenGLKHR>(XR_TYPE_GRAPHICS_REQUIREMENTS_OPENGL_KHR);
    result = getRequirements(m_instance, m_system, &requirements);
    if (XR_FAILED(result)) return Refused("xrGetOpenGLGraphicsRequirementsKHR", result);
    GLint major = 0, minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    const XrVersion contextVersion = XR_MAKE_VERSION(major, minor, 0);
    if (contextVersion < requirements.minApiVersionSupported) {
        ReportProblem(Error, "OpenXR: the runtime needs OpenGL " + VersionText(requirements.minApiVersionSupported) +
                                 ", the game has " + VersionText(contextVersion) + "; no headset is used");
        return false;
    }

    auto binding = XrStruct<XrGraphicsBindingOpenGLXlibKHR>(XR_TYPE_GRAPHICS_BINDING_OPENGL_XLIB_KHR);
    if (!CurrentGlxBinding(binding)) {
        ReportProblem(Error, "OpenXR: the game's OpenGL context is not a GLX context; no headset is used");
        return false;
    }
    auto sessionInfo = XrStruct<XrSessionCreateInfo>(XR_TYPE_SESSION_CREATE_INFO);
    sessionInfo.next = &binding;
    sessionInfo.systemId = m_system;
    result = xrCreateSession(m_instance, &sessionInfo, &m_session);
    if (XR_FAILED(result)) {
        m_session = XR_NULL_HANDLE;
        return Refused("xrCreateSession", result);
    }
    m_sessionState = XR_SESSION_STATE_IDLE;
    auto spaceInfo = XrStruct<XrReferenceSpaceCreateInfo>(XR_TYPE_REFERENCE_SPACE_CREATE_INFO);
    spaceInfo.referenceSpaceType = XR_REFERENCE_SPACE_TYPE_LOCAL;
    spaceInfo.poseInReferenceSpace.orientation.w = 1.0f;
    result = xrCreateReferenceSpace(m_session, &spaceInfo, &m_space);
    if (XR_FAILED(result)) {
        m_space = XR_NULL_HANDLE;
        return Refused("xrCreateReferenceSpace", result);
    }
    return m_swapchains.Create(m_session, m_viewConfig, m_depthOffered);
}

glm::ivec2 OpenXrHeadset::EyeSize(int eye) const { return m_swapchains.Size(eye); }

void OpenXrHeadset::PollEvents() {
    auto event = XrStruct<XrEventDataBuffer>(XR_TYPE_EVENT_DATA_BUFFER);
    while (m_instance != XR_NULL_HANDLE && xrPollEvent(m_instance, &event) == XR_SUCCESS) {
        if (event.type == XR_TYPE_EVENT_DATA_INSTANCE_LOSS_PENDING) {
            m_gone = true;
        } else if (event.type == XR_TYPE_EVENT_DATA_SESSION_STATE_CHANGED) {
            const auto& changed = reinterpret_cast<const XrEventDataSessionStateChanged&>(event);
            if (changed.session == m_session) {
                m_sessionState = changed.state;
                switch (changed.state) {
                case XR_SESSION_STATE_READY: {
                    auto beginInfo = XrStruct<XrSessionBeginInfo>(XR_TYPE_SESSION_BEGIN_INFO);
                    beginInfo.primaryViewConfigurationType = XR_VIEW_CONFIGURATION_TYPE_PRIMARY_STEREO;
                    const XrResult result = xrBeginSession(m_session, &beginInfo);
                    m_running = XR_SUCCEEDED(result);
                    if (!m_running) {
                        Refused("xrBeginSession", result);
                        m_gone = true;
                    }
                    break;
                }
                case XR_SESSION_STATE_STOPPING:
                    xrEndSession(m_session);
                    m_running = false;
                    break;
                case XR_SESSION_STATE_LOSS_PENDING:
                case XR_SESSION_STATE_EXITING:
                    m_gone = true;
                    break;
                default:
                    break;
                }
            }
        }
        event = XrStruct<XrEventDataBuffer>(XR_TYPE_EVENT_DATA_BUFFER);
    }
}

bool OpenXrHeadset::BeginFrame(HeadsetEyeView views[2]) {
    m_frameBegun = false;
    m_eyesDrawn = false;
    if (m_session == XR_NULL_HANDLE) return false;
    PollEvents();
    if (m_gone || !m_running) return false;

    auto waitInfo = XrStruct<XrFrameWaitInfo>(XR_TYPE_FRAME_WAIT_INFO);
    auto frameState = XrStruct<XrFrameState>(XR_TYPE_FRAME_STATE);
    XrResult result = xrWaitFrame(m_session, &waitInfo, &frameState);
    if (XR_SUCCEEDED(result)) {
        auto beginInfo = XrStruct<XrFrameBeginInfo>(XR_TYPE_FRAME_BEGIN_INFO);
        result = xrBeginFrame(m_session, &beginInfo);
    }
    if (XR_FAILED(result)) {
        // A lost session is an unplugged headset; anything else is said once, then the same.
        if (result != XR_ERROR_SESSION_LOST && result != XR_ERROR_INSTANCE_LOST) Refused("xrBeginFrame", result);
        m_gone = true;
        return false;
    }
    m_frameBegun = true;
    m_displayTime = frameState.predictedDisplayTime;
    if (!frameState.shouldRender) return false;

    auto locateInfo = XrStruct<XrViewLocateInfo>(XR_TYPE_VIEW_LOCATE_INFO);
    locateInfo.viewConfigurationType = XR_VIEW_CONFIGURATION_TYPE_PRIMARY_STEREO;
    locateInfo.displayTime = m_displayTime;
    locateInfo.space = m_space;
    auto viewState = XrStruct<XrViewState>(XR_TYPE_VIEW_STATE);
    m_views[0] = m_views[1] = XrStruct<XrView>(XR_TYPE_VIEW);
    uint32_t count = 0;
    result = xrLocateViews(m_session, &locateInfo, &viewState, 2, &count, m_views);
    const XrViewStateFlags needed = XR_VIEW_STATE_ORIENTATION_VALID_BIT | XR_VIEW_STATE_POSITION_VALID_BIT;
    // Without a pose (tracking lost) the frame goes to the runtime without layers.
    if (XR_FAILED(result) || count != 2 || (viewState.viewStateFlags & needed) != needed) return false;
    for (int eye = 0; eye < 2; ++eye) {
        const XrPosef& pose = m_views[eye].pose;
        views[eye].position = glm::vec3(pose.position.x, pose.position.y, pose.position.z);
        views[eye].orientation = glm::quat(pose.orientation.w, pose.orientation.x, pose.orientation.y, pose.orientation.z);
        views[eye].projection = Projection(m_views[eye].fov);
    }
    m_eyesDrawn = true;
    return true;
}

unsigned OpenXrHeadset::AcquireEyeTexture(int eye) { return m_eyesDrawn ? m_swapchains.Acquire(eye) : 0; }

unsigned OpenXrHeadset::AcquireEyeDepthTexture(int eye) { return m_eyesDrawn ? m_swapchains.AcquireDepth(eye) : 0; }

void OpenXrHeadset::ReleaseEyeTexture(int eye) { m_swapchains.Release(eye); }

bool OpenXrHeadset::SubmitFrame() {
    if (!m_frameBegun) return true;
    m_frameBegun = false;
    XrCompositionLayerProjectionView projectionViews[2]{};
    XrCompositionLayerDepthInfoKHR depthInfo[2]{};
    for (int eye = 0; eye < 2; ++eye) {
        XrCompositionLayerProjectionView& view = projectionViews[eye];
        view.type = XR_TYPE_COMPOSITION_LAYER_PROJECTION_VIEW;
        view.pose = m_views[eye].pose;
        view.fov = m_views[eye].fov;
        view.subImage.swapchain = m_swapchains.Colour(eye);
        view.subImage.imageRect.extent = {m_swapchains.Size(eye).x, m_swapchains.Size(eye).y};
        if (XrSwapchain depth = m_swapchains.DepthDrawn(eye); depth != XR_NULL_HANDLE) {
            depthInfo[eye].type = XR_TYPE_COMPOSITION_LAYER_DEPTH_INFO_KHR;
            depthInfo[eye].subImage.swapchain = depth;
            depthInfo[eye].subImage.imageRect.extent = view.subImage.imageRect.extent;
            depthInfo[eye].minDepth = 0.0f;
            depthInfo[eye].maxDepth = 1.0f;
            depthInfo[eye].nearZ = kNear;
            depthInfo[eye].farZ = kFar;
            view.next = &depthInfo[eye];
        }
    }
    // An eye whose image could not be had this frame leaves the frame without a layer.
    const bool layered = m_eyesDrawn && m_swapchains.Released(0) && m_swapchains.Released(1);
    auto layer = XrStruct<XrCompositionLayerProjection>(XR_TYPE_COMPOSITION_LAYER_PROJECTION);
    layer.space = m_space;
    layer.viewCount = 2;
    layer.views = projectionViews;
    const XrCompositionLayerBaseHeader* layers[1] = {reinterpret_cast<const XrCompositionLayerBaseHeader*>(&layer)};
    auto endInfo = XrStruct<XrFrameEndInfo>(XR_TYPE_FRAME_END_INFO);
    endInfo.displayTime = m_displayTime;
    endInfo.environmentBlendMode = m_blendMode;
    endInfo.layerCount = layered ? 1 : 0;
    endInfo.layers = layered ? layers : nullptr;
    const XrResult result = xrEndFrame(m_session, &endInfo);
    if (result == XR_ERROR_SESSION_LOST || result == XR_ERROR_INSTANCE_LOST) {
        m_gone = true; // the status check hands the game back to the window
        return true;
    }
    if (XR_FAILED(result)) {
        ReportProblem(Error, std::string("OpenXR: xrEndFrame failed (") + ResultName(result) + ")");
        return false;
    }
    return true;
}

HeadsetMirror OpenXrHeadset::Mirror() const { return m_swapchains.Mirror(); }

bool OpenXrHeadset::HeadsetPresent() {
    if (m_instance == XR_NULL_HANDLE || m_session == XR_NULL_HANDLE) return false;
    PollEvents();
    return !m_gone;
}

void OpenXrHeadset::Close() {
    // The GL objects of our own go only with their context current (not at process exit).
    const bool glCurrent = m_session != XR_NULL_HANDLE && glXGetCurrentContext() != nullptr;
    m_swapchains.Destroy(glCurrent);
    if (m_space != XR_NULL_HANDLE) xrDestroySpace(m_space);
    if (m_session != XR_NULL_HANDLE) xrDestroySession(m_session);
    if (m_instance != XR_NULL_HANDLE) xrDestroyInstance(m_instance);
    m_space = XR_NULL_HANDLE;
    m_session = XR_NULL_HANDLE;
    m_instance = XR_NULL_HANDLE;
    m_system = XR_NULL_SYSTEM_ID;
    m_sessionState = XR_SESSION_STATE_UNKNOWN;
    m_running = m_gone = m_frameBegun = m_eyesDrawn = false;
}

} // namespace zumek
