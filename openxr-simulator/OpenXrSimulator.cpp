// openxr-simulator/OpenXrSimulator.cpp
// An OpenXR runtime of our own with a simulated headset, for trying the game's OpenXR path
// without a headset and for the tests, loaded by the Khronos loader through its manifest
// (XR_RUNTIME_JSON): a simulated head-mounted display with a stereo view (eyes 64 mm apart),
// the OpenGL binding on the caller's GLX context and depth layers. Environment (read once):
//   XR_SIM_EYE_SIZE=WxH             each eye's recommended image size (default 640x720)
//   XR_SIM_LOSE_SESSION_AFTER=N     the session is lost after N ended frames
//   XR_SIM_NO_OPENGL=1              XR_KHR_opengl_enable is not offered
//   XR_SIM_NO_DEPTH=1               XR_KHR_composition_layer_depth is not offered
//   XR_SIM_NO_HEADSET=1             no head-mounted display is connected
//   XR_SIM_MONO=1                   the headset has a mono view only
// Functions are internal: only the negotiation entry point and the counters are exported.
#include "openxr-simulator/OpenXrSimulator.h"

#include "graphics/OpenXrStruct.h"

#include <openxr/openxr_reflection.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

XrSimSettings g_settings;
XrSimStats g_stats;

namespace {

// What the loader's negotiation passes (the loader's interface header is not in Debian's
// libopenxr-dev 1.0.20; these are its published layouts).
enum XrLoaderInterfaceStructs { XR_LOADER_INTERFACE_STRUCT_LOADER_INFO = 1, XR_LOADER_INTERFACE_STRUCT_RUNTIME_REQUEST = 3 };
struct XrNegotiateLoaderInfo {
    XrLoaderInterfaceStructs structType;
    uint32_t structVersion;
    size_t structSize;
    uint32_t minInterfaceVersion;
    uint32_t maxInterfaceVersion;
    XrVersion minApiVersion;
    XrVersion maxApiVersion;
};
struct XrNegotiateRuntimeRequest {
    XrLoaderInterfaceStructs structType;
    uint32_t structVersion;
    size_t structSize;
    uint32_t runtimeInterfaceVersion;
    XrVersion runtimeApiVersion;
    PFN_xrGetInstanceProcAddr getInstanceProcAddr;
};

constexpr XrSystemId kSystem = 1;
std::set<XrInstance> g_instances;

long NumberFrom(const char* name) {
    const char* text = std::getenv(name);
    if (!text || !*text) return -1;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return *end == '\0' && value >= 0 ? value : -1;
}

bool FlagFrom(const char* name) {
    const char* text = std::getenv(name);
    return text && std::strcmp(text, "1") == 0;
}

void ReadSettings() {
    g_settings = XrSimSettings{};
    if (const char* size = std::getenv("XR_SIM_EYE_SIZE"); size && *size) {
        int width = 0, height = 0;
        if (std::sscanf(size, "%dx%d", &width, &height) == 2 && width > 0 && height > 0)
            g_settings.eyeWidth = width, g_settings.eyeHeight = height;
    }
    g_settings.loseSessionAfter = NumberFrom("XR_SIM_LOSE_SESSION_AFTER");
    g_settings.noOpenGl = FlagFrom("XR_SIM_NO_OPENGL");
    g_settings.noDepth = FlagFrom("XR_SIM_NO_DEPTH");
    g_settings.noHeadset = FlagFrom("XR_SIM_NO_HEADSET");
    g_settings.mono = FlagFrom("XR_SIM_MONO");
}

template <class T>
XrResult Enumerate(const std::vector<T>& values, uint32_t capacity, uint32_t* count, T* out) {
    if (!count) return XR_ERROR_VALIDATION_FAILURE;
    *count = static_cast<uint32_t>(values.size());
    if (capacity == 0) return XR_SUCCESS;
    if (capacity < values.size()) return XR_ERROR_SIZE_INSUFFICIENT;
    for (size_t i = 0; i < values.size(); ++i) out[i] = values[i];
    return XR_SUCCESS;
}

std::vector<XrExtensionProperties> Extensions() {
    std::vector<XrExtensionProperties> extensions;
    auto add = [&](const char* name, uint32_t version) {
        auto properties = zumek::XrStruct<XrExtensionProperties>(XR_TYPE_EXTENSION_PROPERTIES);
        std::strncpy(properties.extensionName, name, XR_MAX_EXTENSION_NAME_SIZE - 1);
        properties.extensionVersion = version;
        extensions.push_back(properties);
    };
    if (!g_settings.noOpenGl) add(XR_KHR_OPENGL_ENABLE_EXTENSION_NAME, XR_KHR_opengl_enable_SPEC_VERSION);
    if (!g_settings.noDepth)
        add(XR_KHR_COMPOSITION_LAYER_DEPTH_EXTENSION_NAME, XR_KHR_composition_layer_depth_SPEC_VERSION);
    return extensions;
}

XRAPI_ATTR XrResult XRAPI_CALL EnumerateInstanceExtensionProperties(const char* layerName, uint32_t capacity,
                                                                    uint32_t* count, XrExtensionProperties* properties) {
    if (layerName && *layerName) return XR_ERROR_API_LAYER_NOT_PRESENT;
    const std::vector<XrExtensionProperties> extensions = Extensions();
    if (!count) return XR_ERROR_VALIDATION_FAILURE;
    *count = static_cast<uint32_t>(extensions.size());
    if (capacity == 0) return XR_SUCCESS;
    if (capacity < extensions.size()) return XR_ERROR_SIZE_INSUFFICIENT;
    for (size_t i = 0; i < extensions.size(); ++i) {
        if (properties[i].type != XR_TYPE_EXTENSION_PROPERTIES) return Misuse(XR_ERROR_VALIDATION_FAILURE, "extension properties of the wrong type");
        std::memcpy(properties[i].extensionName, extensions[i].extensionName, sizeof extensions[i].extensionName);
        properties[i].extensionVersion = extensions[i].extensionVersion;
    }
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL CreateInstance(const XrInstanceCreateInfo* info, XrInstance* instance) {
    if (!info || !instance || info->type != XR_TYPE_INSTANCE_CREATE_INFO) return XR_ERROR_VALIDATION_FAILURE;
    if (XR_VERSION_MAJOR(info->applicationInfo.apiVersion) != 1) return XR_ERROR_API_VERSION_UNSUPPORTED;
    auto* record = new XrInstance_T;
    const std::vector<XrExtensionProperties> offered = Extensions();
    for (uint32_t i = 0; i < info->enabledExtensionCount; ++i) {
        const char* name = info->enabledExtensionNames[i];
        const bool known = std::any_of(offered.begin(), offered.end(),
                                       [&](const XrExtensionProperties& p) { return std::strcmp(p.extensionName, name) == 0; });
        if (!known) {
            delete record;
            return XR_ERROR_EXTENSION_NOT_PRESENT;
        }
        if (std::strcmp(name, XR_KHR_COMPOSITION_LAYER_DEPTH_EXTENSION_NAME) == 0) record->depthEnabled = true;
    }
    g_instances.insert(record);
    ++g_stats.instancesLive;
    *instance = record;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL DestroyInstance(XrInstance instance) {
    if (!IsLive(instance)) return XR_ERROR_HANDLE_INVALID;
    DestroySessionsOf(instance);
    g_instances.erase(instance);
    --g_stats.instancesLive;
    delete instance;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL GetInstanceProperties(XrInstance instance, XrInstanceProperties* properties) {
    if (!IsLive(instance)) return XR_ERROR_HANDLE_INVALID;
    if (!properties || properties->type != XR_TYPE_INSTANCE_PROPERTIES) return XR_ERROR_VALIDATION_FAILURE;
    properties->runtimeVersion = XR_MAKE_VERSION(0, 1, 0);
    std::strncpy(properties->runtimeName, "Zumek OpenXR simulator", XR_MAX_RUNTIME_NAME_SIZE - 1);
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL PollEvent(XrInstance instance, XrEventDataBuffer* event) {
    if (!IsLive(instance)) return XR_ERROR_HANDLE_INVALID;
    if (!event) return XR_ERROR_VALIDATION_FAILURE;
    if (instance->events.empty()) return XR_EVENT_UNAVAILABLE;
    *event = instance->events.front();
    instance->events.pop_front();
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL ResultToString(XrInstance instance, XrResult value, char buffer[XR_MAX_RESULT_STRING_SIZE]) {
    if (!IsLive(instance)) return XR_ERROR_HANDLE_INVALID;
    const char* name = "XR_UNKNOWN_RESULT";
#define ZUMEK_XR_NAME(n, v) \
    if (value == v) name = #n;
    XR_LIST_ENUM_XrResult(ZUMEK_XR_NAME)
#undef ZUMEK_XR_NAME
    std::strncpy(buffer, name, XR_MAX_RESULT_STRING_SIZE - 1);
    buffer[XR_MAX_RESULT_STRING_SIZE - 1] = '\0';
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL StructureTypeToString(XrInstance instance, XrStructureType value,
                                                     char buffer[XR_MAX_STRUCTURE_NAME_SIZE]) {
    if (!IsLive(instance)) return XR_ERROR_HANDLE_INVALID;
    const char* name = "XR_UNKNOWN_STRUCTURE_TYPE";
#define ZUMEK_XR_NAME(n, v) \
    if (value == v) name = #n;
    XR_LIST_ENUM_XrStructureType(ZUMEK_XR_NAME)
#undef ZUMEK_XR_NAME
    std::strncpy(buffer, name, XR_MAX_STRUCTURE_NAME_SIZE - 1);
    buffer[XR_MAX_STRUCTURE_NAME_SIZE - 1] = '\0';
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL GetSystem(XrInstance instance, const XrSystemGetInfo* info, XrSystemId* system) {
    if (!IsLive(instance)) return XR_ERROR_HANDLE_INVALID;
    if (!info || !system || info->type != XR_TYPE_SYSTEM_GET_INFO) return XR_ERROR_VALIDATION_FAILURE;
    if (info->formFactor != XR_FORM_FACTOR_HEAD_MOUNTED_DISPLAY) return XR_ERROR_FORM_FACTOR_UNSUPPORTED;
    if (g_settings.noHeadset) return XR_ERROR_FORM_FACTOR_UNAVAILABLE;
    *system = kSystem;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL GetSystemProperties(XrInstance instance, XrSystemId system, XrSystemProperties* properties) {
    if (!IsLive(instance)) return XR_ERROR_HANDLE_INVALID;
    if (system != kSystem) return XR_ERROR_SYSTEM_INVALID;
    if (!properties || properties->type != XR_TYPE_SYSTEM_PROPERTIES) return XR_ERROR_VALIDATION_FAILURE;
    properties->systemId = kSystem;
    properties->vendorId = 0;
    std::strncpy(properties->systemName, "Simulated OpenXR headset", XR_MAX_SYSTEM_NAME_SIZE - 1);
    properties->graphicsProperties.maxSwapchainImageWidth = 4096;
    properties->graphicsProperties.maxSwapchainImageHeight = 4096;
    properties->graphicsProperties.maxLayerCount = XR_MIN_COMPOSITION_LAYERS_SUPPORTED;
    properties->trackingProperties.orientationTracking = XR_TRUE;
    properties->trackingProperties.positionTracking = XR_TRUE;
    return XR_SUCCESS;
}

XrViewConfigurationType ViewConfiguration() {
    return g_settings.mono ? XR_VIEW_CONFIGURATION_TYPE_PRIMARY_MONO : XR_VIEW_CONFIGURATION_TYPE_PRIMARY_STEREO;
}

XRAPI_ATTR XrResult XRAPI_CALL EnumerateViewConfigurations(XrInstance instance, XrSystemId system, uint32_t capacity,
                                                           uint32_t* count, XrViewConfigurationType* types) {
    if (!IsLive(instance)) return XR_ERROR_HANDLE_INVALID;
    if (system != kSystem) return XR_ERROR_SYSTEM_INVALID;
    return Enumerate(std::vector<XrViewConfigurationType>{ViewConfiguration()}, capacity, count, types);
}

XRAPI_ATTR XrResult XRAPI_CALL GetViewConfigurationProperties(XrInstance instance, XrSystemId system,
                                                              XrViewConfigurationType type,
                                                              XrViewConfigurationProperties* properties) {
    if (!IsLive(instance)) return XR_ERROR_HANDLE_INVALID;
    if (system != kSystem) return XR_ERROR_SYSTEM_INVALID;
    if (type != ViewConfiguration()) return XR_ERROR_VIEW_CONFIGURATION_TYPE_UNSUPPORTED;
    if (!properties || properties->type != XR_TYPE_VIEW_CONFIGURATION_PROPERTIES) return XR_ERROR_VALIDATION_FAILURE;
    properties->viewConfigurationType = type;
    properties->fovMutable = XR_FALSE;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL EnumerateViewConfigurationViews(XrInstance instance, XrSystemId system,
                                                               XrViewConfigurationType type, uint32_t capacity,
                                                               uint32_t* count, XrViewConfigurationView* views) {
    if (!IsLive(instance)) return XR_ERROR_HANDLE_INVALID;
    if (system != kSystem) return XR_ERROR_SYSTEM_INVALID;
    if (type != ViewConfiguration()) return XR_ERROR_VIEW_CONFIGURATION_TYPE_UNSUPPORTED;
    const uint32_t viewCount = g_settings.mono ? 1 : 2;
    if (!count) return XR_ERROR_VALIDATION_FAILURE;
    *count = viewCount;
    if (capacity == 0) return XR_SUCCESS;
    if (capacity < viewCount) return XR_ERROR_SIZE_INSUFFICIENT;
    for (uint32_t i = 0; i < viewCount; ++i) {
        if (views[i].type != XR_TYPE_VIEW_CONFIGURATION_VIEW) return Misuse(XR_ERROR_VALIDATION_FAILURE, "views of the wrong type");
        views[i].recommendedImageRectWidth = static_cast<uint32_t>(g_settings.eyeWidth);
        views[i].recommendedImageRectHeight = static_cast<uint32_t>(g_settings.eyeHeight);
        views[i].maxImageRectWidth = views[i].maxImageRectHeight = 4096;
        views[i].recommendedSwapchainSampleCount = views[i].maxSwapchainSampleCount = 1;
    }
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL EnumerateEnvironmentBlendModes(XrInstance instance, XrSystemId system,
                                                              XrViewConfigurationType type, uint32_t capacity,
                                                              uint32_t* count, XrEnvironmentBlendMode* modes) {
    if (!IsLive(instance)) return XR_ERROR_HANDLE_INVALID;
    if (system != kSystem) return XR_ERROR_SYSTEM_INVALID;
    if (type != ViewConfiguration()) return XR_ERROR_VIEW_CONFIGURATION_TYPE_UNSUPPORTED;
    return Enumerate(std::vector<XrEnvironmentBlendMode>{XR_ENVIRONMENT_BLEND_MODE_OPAQUE}, capacity, count, modes);
}

XRAPI_ATTR XrResult XRAPI_CALL GetOpenGLGraphicsRequirements(XrInstance instance, XrSystemId system,
                                                             XrGraphicsRequirementsOpenGLKHR* requirements) {
    if (!IsLive(instance)) return XR_ERROR_HANDLE_INVALID;
    if (system != kSystem) return XR_ERROR_SYSTEM_INVALID;
    if (!requirements || requirements->type != XR_TYPE_GRAPHICS_REQUIREMENTS_OPENGL_KHR) return XR_ERROR_VALIDATION_FAILURE;
    requirements->minApiVersionSupported = XR_MAKE_VERSION(4, 1, 0);
    requirements->maxApiVersionSupported = XR_MAKE_VERSION(4, 6, 0);
    instance->requirementsQueried = true;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL GetInstanceProcAddr(XrInstance instance, const char* name, PFN_xrVoidFunction* function);

PFN_xrVoidFunction InstanceFunction(const std::string& name) {
#define ZUMEK_XR_ENTRY(xrName, local) \
    if (name == #xrName) return reinterpret_cast<PFN_xrVoidFunction>(&local);
    ZUMEK_XR_ENTRY(xrGetInstanceProcAddr, GetInstanceProcAddr)
    ZUMEK_XR_ENTRY(xrEnumerateInstanceExtensionProperties, EnumerateInstanceExtensionProperties)
    ZUMEK_XR_ENTRY(xrCreateInstance, CreateInstance)
    ZUMEK_XR_ENTRY(xrDestroyInstance, DestroyInstance)
    ZUMEK_XR_ENTRY(xrGetInstanceProperties, GetInstanceProperties)
    ZUMEK_XR_ENTRY(xrPollEvent, PollEvent)
    ZUMEK_XR_ENTRY(xrResultToString, ResultToString)
    ZUMEK_XR_ENTRY(xrStructureTypeToString, StructureTypeToString)
    ZUMEK_XR_ENTRY(xrGetSystem, GetSystem)
    ZUMEK_XR_ENTRY(xrGetSystemProperties, GetSystemProperties)
    ZUMEK_XR_ENTRY(xrEnumerateViewConfigurations, EnumerateViewConfigurations)
    ZUMEK_XR_ENTRY(xrGetViewConfigurationProperties, GetViewConfigurationProperties)
    ZUMEK_XR_ENTRY(xrEnumerateViewConfigurationViews, EnumerateViewConfigurationViews)
    ZUMEK_XR_ENTRY(xrEnumerateEnvironmentBlendModes, EnumerateEnvironmentBlendModes)
    if (!g_settings.noOpenGl) {
        ZUMEK_XR_ENTRY(xrGetOpenGLGraphicsRequirementsKHR, GetOpenGLGraphicsRequirements)
    }
#undef ZUMEK_XR_ENTRY
    return nullptr;
}

XRAPI_ATTR XrResult XRAPI_CALL GetInstanceProcAddr(XrInstance instance, const char* name, PFN_xrVoidFunction* function) {
    if (!name || !function) return XR_ERROR_VALIDATION_FAILURE;
    const std::string text(name);
    const bool withoutInstance = text == "xrEnumerateInstanceExtensionProperties" || text == "xrCreateInstance" ||
                                 text == "xrEnumerateApiLayerProperties";
    if (instance == XR_NULL_HANDLE && !withoutInstance) {
        *function = nullptr;
        return XR_ERROR_HANDLE_INVALID;
    }
    if (instance != XR_NULL_HANDLE && !IsLive(instance)) {
        *function = nullptr;
        return XR_ERROR_HANDLE_INVALID;
    }
    *function = InstanceFunction(text);
    if (!*function) *function = SessionFunction(text);
    return *function ? XR_SUCCESS : XR_ERROR_FUNCTION_UNSUPPORTED;
}

} // namespace

XrResult Misuse(XrResult result, const std::string& text) {
    ++g_stats.misuses;
    std::fprintf(stderr, "openxr simulator: %s\n", text.c_str());
    return result;
}

bool IsLive(XrInstance instance) { return instance != XR_NULL_HANDLE && g_instances.count(instance) != 0; }

void QueueSessionState(XrSession session, XrSessionState state) {
    session->state = state;
    auto buffer = zumek::XrStruct<XrEventDataBuffer>(XR_TYPE_EVENT_DATA_BUFFER);
    auto& changed = reinterpret_cast<XrEventDataSessionStateChanged&>(buffer);
    changed.type = XR_TYPE_EVENT_DATA_SESSION_STATE_CHANGED;
    changed.next = nullptr;
    changed.session = session;
    changed.state = state;
    changed.time = session->predictedTime;
    session->instance->events.push_back(buffer);
}

extern "C" {

__attribute__((visibility("default"))) XrSimStats* XrSimGetStats() { return &g_stats; }

__attribute__((visibility("default"))) void XrSimResetFrameStats() {
    g_stats.framesEnded = g_stats.framesWithLayer = g_stats.framesWithDepth = g_stats.misuses = 0;
}

__attribute__((visibility("default"))) XrResult xrNegotiateLoaderRuntimeInterface(const XrNegotiateLoaderInfo* loaderInfo,
                                                                                  XrNegotiateRuntimeRequest* request) {
    if (!loaderInfo || !request || loaderInfo->structType != XR_LOADER_INTERFACE_STRUCT_LOADER_INFO ||
        loaderInfo->structSize != sizeof(XrNegotiateLoaderInfo) || request->structType != XR_LOADER_INTERFACE_STRUCT_RUNTIME_REQUEST ||
        request->structSize != sizeof(XrNegotiateRuntimeRequest) || loaderInfo->minInterfaceVersion > 1 ||
        loaderInfo->maxInterfaceVersion < 1)
        return XR_ERROR_INITIALIZATION_FAILED;
    ReadSettings();
    request->runtimeInterfaceVersion = 1;
    request->runtimeApiVersion = XR_CURRENT_API_VERSION;
    request->getInstanceProcAddr = &GetInstanceProcAddr;
    return XR_SUCCESS;
}

} // extern "C"
