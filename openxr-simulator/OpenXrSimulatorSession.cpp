// openxr-simulator/OpenXrSimulatorSession.cpp
// The OpenXR simulator: sessions, reference spaces, GL swapchains and the frame loop. A session
// goes IDLE -> READY at creation; once begun, its first ended frame brings SYNCHRONIZED,
// VISIBLE and FOCUSED, as a runtime sends them; frames are rendered from VISIBLE on. With
// XR_SIM_LOSE_SESSION_AFTER=N the N-th ended frame brings LOSS_PENDING and every frame call
// after it fails with XR_ERROR_SESSION_LOST.
#include "openxr-simulator/OpenXrSimulator.h"

#include "graphics/OpenXrStruct.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace {

constexpr float kEyeHalfDistance = 0.032f;    // metres: a 64 mm distance between the eyes
constexpr XrDuration kFramePeriod = 11111111; // nanoseconds: 90 frames a second
constexpr uint32_t kImagesPerSwapchain = 3;

std::set<XrSession> g_sessions;
std::set<XrSwapchain> g_swapchains;
std::set<XrSpace> g_spaces;

const std::vector<int64_t>& Formats() {
    static const std::vector<int64_t> formats = {GL_SRGB8_ALPHA8, GL_RGBA8, GL_DEPTH_COMPONENT32F, GL_DEPTH_COMPONENT24};
    return formats;
}

bool IsDepth(int64_t format) { return format == GL_DEPTH_COMPONENT32F || format == GL_DEPTH_COMPONENT24; }

bool IsLive(XrSwapchain swapchain) { return swapchain != XR_NULL_HANDLE && g_swapchains.count(swapchain) != 0; }
bool IsLive(XrSpace space) { return space != XR_NULL_HANDLE && g_spaces.count(space) != 0; }

/// The GL objects go with their context only: at process exit there may be none.
bool OwnContextCurrent(XrSession session) { return glXGetCurrentContext() == session->context; }

XRAPI_ATTR XrResult XRAPI_CALL CreateSession(XrInstance instance, const XrSessionCreateInfo* info, XrSession* session) {
    if (!IsLive(instance)) return XR_ERROR_HANDLE_INVALID;
    if (!info || !session || info->type != XR_TYPE_SESSION_CREATE_INFO) return XR_ERROR_VALIDATION_FAILURE;
    if (info->systemId != 1) return XR_ERROR_SYSTEM_INVALID;
    if (!instance->requirementsQueried)
        return Misuse(XR_ERROR_GRAPHICS_REQUIREMENTS_CALL_MISSING, "xrCreateSession before xrGetOpenGLGraphicsRequirementsKHR");
    const auto* binding = static_cast<const XrGraphicsBindingOpenGLXlibKHR*>(info->next);
    if (!binding || binding->type != XR_TYPE_GRAPHICS_BINDING_OPENGL_XLIB_KHR)
        return Misuse(XR_ERROR_GRAPHICS_DEVICE_INVALID, "xrCreateSession without an OpenGL Xlib binding");
    if (!binding->xDisplay || !binding->glxFBConfig || !binding->glxContext || !binding->glxDrawable ||
        binding->glxContext != glXGetCurrentContext() || binding->xDisplay != glXGetCurrentDisplay())
        return Misuse(XR_ERROR_GRAPHICS_DEVICE_INVALID, "xrCreateSession with a binding that is not the current GLX context");
    auto* record = new XrSession_T;
    record->instance = instance;
    record->context = binding->glxContext;
    g_sessions.insert(record);
    ++g_stats.sessionsLive;
    QueueSessionState(record, XR_SESSION_STATE_IDLE);
    QueueSessionState(record, XR_SESSION_STATE_READY);
    *session = record;
    return XR_SUCCESS;
}

void DestroySwapchainRecord(XrSwapchain swapchain) {
    XrSession session = swapchain->session;
    if (OwnContextCurrent(session) && !swapchain->images.empty())
        glDeleteTextures(static_cast<GLsizei>(swapchain->images.size()), swapchain->images.data());
    auto& list = session->swapchains;
    list.erase(std::remove(list.begin(), list.end(), swapchain), list.end());
    g_swapchains.erase(swapchain);
    --g_stats.swapchainsLive;
    delete swapchain;
}

void DestroySpaceRecord(XrSpace space) {
    auto& list = space->session->spaces;
    list.erase(std::remove(list.begin(), list.end(), space), list.end());
    g_spaces.erase(space);
    --g_stats.spacesLive;
    delete space;
}

XRAPI_ATTR XrResult XRAPI_CALL DestroySession(XrSession session) {
    if (!IsLive(session)) return XR_ERROR_HANDLE_INVALID;
    while (!session->swapchains.empty()) DestroySwapchainRecord(session->swapchains.back());
    while (!session->spaces.empty()) DestroySpaceRecord(session->spaces.back());
    // Its events still queued are dropped with it.
    auto& events = session->instance->events;
    events.erase(std::remove_if(events.begin(), events.end(),
                                [&](const XrEventDataBuffer& e) {
                                    return e.type == XR_TYPE_EVENT_DATA_SESSION_STATE_CHANGED &&
                                           reinterpret_cast<const XrEventDataSessionStateChanged&>(e).session == session;
                                }),
                 events.end());
    g_sessions.erase(session);
    --g_stats.sessionsLive;
    delete session;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL BeginSession(XrSession session, const XrSessionBeginInfo* info) {
    if (!IsLive(session)) return XR_ERROR_HANDLE_INVALID;
    if (!info || info->type != XR_TYPE_SESSION_BEGIN_INFO) return XR_ERROR_VALIDATION_FAILURE;
    if (session->lost) return XR_ERROR_SESSION_LOST;
    if (session->running) return XR_ERROR_SESSION_RUNNING;
    if (session->state != XR_SESSION_STATE_READY) return Misuse(XR_ERROR_SESSION_NOT_READY, "xrBeginSession before READY");
    if (info->primaryViewConfigurationType != XR_VIEW_CONFIGURATION_TYPE_PRIMARY_STEREO)
        return XR_ERROR_VIEW_CONFIGURATION_TYPE_UNSUPPORTED;
    session->running = true;
    ++g_stats.sessionsBegun;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL EndSession(XrSession session) {
    if (!IsLive(session)) return XR_ERROR_HANDLE_INVALID;
    if (session->lost) return XR_ERROR_SESSION_LOST;
    if (!session->running) return XR_ERROR_SESSION_NOT_RUNNING;
    if (session->state != XR_SESSION_STATE_STOPPING) return Misuse(XR_ERROR_SESSION_NOT_STOPPING, "xrEndSession before STOPPING");
    session->running = false;
    QueueSessionState(session, XR_SESSION_STATE_IDLE);
    QueueSessionState(session, XR_SESSION_STATE_EXITING);
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL RequestExitSession(XrSession session) {
    if (!IsLive(session)) return XR_ERROR_HANDLE_INVALID;
    if (session->lost) return XR_ERROR_SESSION_LOST;
    if (!session->running) return XR_ERROR_SESSION_NOT_RUNNING;
    QueueSessionState(session, XR_SESSION_STATE_STOPPING);
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL EnumerateReferenceSpaces(XrSession session, uint32_t capacity, uint32_t* count,
                                                        XrReferenceSpaceType* spaces) {
    if (!IsLive(session)) return XR_ERROR_HANDLE_INVALID;
    const XrReferenceSpaceType offered[] = {XR_REFERENCE_SPACE_TYPE_VIEW, XR_REFERENCE_SPACE_TYPE_LOCAL};
    if (!count) return XR_ERROR_VALIDATION_FAILURE;
    *count = 2;
    if (capacity == 0) return XR_SUCCESS;
    if (capacity < 2) return XR_ERROR_SIZE_INSUFFICIENT;
    std::copy(offered, offered + 2, spaces);
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL CreateReferenceSpace(XrSession session, const XrReferenceSpaceCreateInfo* info, XrSpace* space) {
    if (!IsLive(session)) return XR_ERROR_HANDLE_INVALID;
    if (!info || !space || info->type != XR_TYPE_REFERENCE_SPACE_CREATE_INFO) return XR_ERROR_VALIDATION_FAILURE;
    if (info->referenceSpaceType != XR_REFERENCE_SPACE_TYPE_LOCAL && info->referenceSpaceType != XR_REFERENCE_SPACE_TYPE_VIEW)
        return XR_ERROR_REFERENCE_SPACE_UNSUPPORTED;
    const XrQuaternionf& q = info->poseInReferenceSpace.orientation;
    if (std::fabs(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w - 1.0f) > 0.01f) return XR_ERROR_POSE_INVALID;
    auto* record = new XrSpace_T;
    record->session = session;
    session->spaces.push_back(record);
    g_spaces.insert(record);
    ++g_stats.spacesLive;
    *space = record;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL DestroySpace(XrSpace space) {
    if (!IsLive(space)) return XR_ERROR_HANDLE_INVALID;
    DestroySpaceRecord(space);
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL EnumerateSwapchainFormats(XrSession session, uint32_t capacity, uint32_t* count,
                                                         int64_t* formats) {
    if (!IsLive(session)) return XR_ERROR_HANDLE_INVALID;
    if (!count) return XR_ERROR_VALIDATION_FAILURE;
    *count = static_cast<uint32_t>(Formats().size());
    if (capacity == 0) return XR_SUCCESS;
    if (capacity < Formats().size()) return XR_ERROR_SIZE_INSUFFICIENT;
    std::copy(Formats().begin(), Formats().end(), formats);
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL CreateSwapchain(XrSession session, const XrSwapchainCreateInfo* info, XrSwapchain* swapchain) {
    if (!IsLive(session)) return XR_ERROR_HANDLE_INVALID;
    if (!info || !swapchain || info->type != XR_TYPE_SWAPCHAIN_CREATE_INFO) return XR_ERROR_VALIDATION_FAILURE;
    if (session->lost) return XR_ERROR_SESSION_LOST;
    if (std::find(Formats().begin(), Formats().end(), info->format) == Formats().end())
        return Misuse(XR_ERROR_SWAPCHAIN_FORMAT_UNSUPPORTED, "a swapchain of a format not offered");
    if (info->width == 0 || info->height == 0 || info->width > 4096 || info->height > 4096 || info->faceCount != 1 ||
        info->arraySize != 1 || info->mipCount != 1 || info->sampleCount != 1)
        return Misuse(XR_ERROR_VALIDATION_FAILURE, "a swapchain of an unsupported size or layout");
    if (!OwnContextCurrent(session)) return Misuse(XR_ERROR_GRAPHICS_DEVICE_INVALID, "xrCreateSwapchain without the session's context");
    auto* record = new XrSwapchain_T;
    record->session = session;
    record->format = info->format;
    record->width = info->width;
    record->height = info->height;
    record->images.resize(kImagesPerSwapchain);
    glGenTextures(kImagesPerSwapchain, record->images.data());
    const bool depth = IsDepth(info->format);
    for (GLuint image : record->images) {
        glBindTexture(GL_TEXTURE_2D, image);
        glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(info->format), static_cast<GLsizei>(info->width),
                     static_cast<GLsizei>(info->height), 0, depth ? GL_DEPTH_COMPONENT : GL_RGBA,
                     depth ? GL_FLOAT : GL_UNSIGNED_BYTE, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    session->swapchains.push_back(record);
    g_swapchains.insert(record);
    ++g_stats.swapchainsLive;
    *swapchain = record;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL DestroySwapchain(XrSwapchain swapchain) {
    if (!IsLive(swapchain)) return XR_ERROR_HANDLE_INVALID;
    DestroySwapchainRecord(swapchain);
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL EnumerateSwapchainImages(XrSwapchain swapchain, uint32_t capacity, uint32_t* count,
                                                        XrSwapchainImageBaseHeader* images) {
    if (!IsLive(swapchain)) return XR_ERROR_HANDLE_INVALID;
    if (!count) return XR_ERROR_VALIDATION_FAILURE;
    *count = static_cast<uint32_t>(swapchain->images.size());
    if (capacity == 0) return XR_SUCCESS;
    if (capacity < swapchain->images.size()) return XR_ERROR_SIZE_INSUFFICIENT;
    auto* gl = reinterpret_cast<XrSwapchainImageOpenGLKHR*>(images);
    for (size_t i = 0; i < swapchain->images.size(); ++i) {
        if (gl[i].type != XR_TYPE_SWAPCHAIN_IMAGE_OPENGL_KHR) return Misuse(XR_ERROR_VALIDATION_FAILURE, "swapchain images of the wrong type");
        gl[i].image = swapchain->images[i];
    }
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL AcquireSwapchainImage(XrSwapchain swapchain, const XrSwapchainImageAcquireInfo* info,
                                                     uint32_t* index) {
    if (!IsLive(swapchain)) return XR_ERROR_HANDLE_INVALID;
    if (info && info->type != XR_TYPE_SWAPCHAIN_IMAGE_ACQUIRE_INFO) return XR_ERROR_VALIDATION_FAILURE;
    if (!index) return XR_ERROR_VALIDATION_FAILURE;
    if (swapchain->acquired.size() >= swapchain->images.size())
        return Misuse(XR_ERROR_CALL_ORDER_INVALID, "every image of the swapchain is acquired already");
    *index = swapchain->next;
    swapchain->acquired.push_back(swapchain->next);
    swapchain->next = (swapchain->next + 1) % static_cast<uint32_t>(swapchain->images.size());
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL WaitSwapchainImage(XrSwapchain swapchain, const XrSwapchainImageWaitInfo* info) {
    if (!IsLive(swapchain)) return XR_ERROR_HANDLE_INVALID;
    if (!info || info->type != XR_TYPE_SWAPCHAIN_IMAGE_WAIT_INFO) return XR_ERROR_VALIDATION_FAILURE;
    if (swapchain->acquired.empty() || swapchain->waited)
        return Misuse(XR_ERROR_CALL_ORDER_INVALID, "xrWaitSwapchainImage without an image acquired and not waited for");
    swapchain->waited = true;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL ReleaseSwapchainImage(XrSwapchain swapchain, const XrSwapchainImageReleaseInfo* info) {
    if (!IsLive(swapchain)) return XR_ERROR_HANDLE_INVALID;
    if (info && info->type != XR_TYPE_SWAPCHAIN_IMAGE_RELEASE_INFO) return XR_ERROR_VALIDATION_FAILURE;
    if (swapchain->acquired.empty() || !swapchain->waited)
        return Misuse(XR_ERROR_CALL_ORDER_INVALID, "xrReleaseSwapchainImage without an image waited for");
    swapchain->lastReleased = swapchain->acquired.front();
    swapchain->acquired.pop_front();
    swapchain->waited = false;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL WaitFrame(XrSession session, const XrFrameWaitInfo* info, XrFrameState* state) {
    if (!IsLive(session)) return XR_ERROR_HANDLE_INVALID;
    if ((info && info->type != XR_TYPE_FRAME_WAIT_INFO) || !state || state->type != XR_TYPE_FRAME_STATE)
        return XR_ERROR_VALIDATION_FAILURE;
    if (session->lost) return XR_ERROR_SESSION_LOST;
    if (!session->running) return XR_ERROR_SESSION_NOT_RUNNING;
    session->predictedTime += kFramePeriod;
    session->frameWaited = true;
    state->predictedDisplayTime = session->predictedTime;
    state->predictedDisplayPeriod = kFramePeriod;
    state->shouldRender = session->state == XR_SESSION_STATE_VISIBLE || session->state == XR_SESSION_STATE_FOCUSED;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL BeginFrame(XrSession session, const XrFrameBeginInfo* info) {
    if (!IsLive(session)) return XR_ERROR_HANDLE_INVALID;
    if (info && info->type != XR_TYPE_FRAME_BEGIN_INFO) return XR_ERROR_VALIDATION_FAILURE;
    if (session->lost) return XR_ERROR_SESSION_LOST;
    if (!session->running) return XR_ERROR_SESSION_NOT_RUNNING;
    if (!session->frameWaited) return Misuse(XR_ERROR_CALL_ORDER_INVALID, "xrBeginFrame without xrWaitFrame");
    const bool discarded = session->frameBegun;
    session->frameWaited = false;
    session->frameBegun = true;
    return discarded ? XR_FRAME_DISCARDED : XR_SUCCESS;
}

XrResult CheckLayer(XrSession session, const XrCompositionLayerBaseHeader* header, bool& withDepth) {
    if (!header || header->type != XR_TYPE_COMPOSITION_LAYER_PROJECTION)
        return Misuse(XR_ERROR_LAYER_INVALID, "a layer that is not a projection layer");
    const auto* layer = reinterpret_cast<const XrCompositionLayerProjection*>(header);
    if (!IsLive(layer->space) || layer->space->session != session) return Misuse(XR_ERROR_HANDLE_INVALID, "a layer in no space of the session");
    if (layer->viewCount != 2 || !layer->views) return Misuse(XR_ERROR_VALIDATION_FAILURE, "a projection layer without two views");
    withDepth = true;
    for (uint32_t eye = 0; eye < 2; ++eye) {
        const XrCompositionLayerProjectionView& view = layer->views[eye];
        if (view.type != XR_TYPE_COMPOSITION_LAYER_PROJECTION_VIEW) return Misuse(XR_ERROR_VALIDATION_FAILURE, "a view of the wrong type");
        XrSwapchain chain = view.subImage.swapchain;
        if (!IsLive(chain) || chain->session != session || IsDepth(chain->format))
            return Misuse(XR_ERROR_HANDLE_INVALID, "a view without a colour swapchain of the session");
        if (chain->lastReleased < 0 || !chain->acquired.empty())
            return Misuse(XR_ERROR_LAYER_INVALID, "a view whose image was not released before xrEndFrame");
        const XrRect2Di& rect = view.subImage.imageRect;
        if (rect.offset.x < 0 || rect.offset.y < 0 || rect.extent.width <= 0 || rect.extent.height <= 0 ||
            static_cast<uint32_t>(rect.offset.x + rect.extent.width) > chain->width ||
            static_cast<uint32_t>(rect.offset.y + rect.extent.height) > chain->height)
            return Misuse(XR_ERROR_SWAPCHAIN_RECT_INVALID, "a view's rectangle outside its image");
        const auto* depth = static_cast<const XrCompositionLayerDepthInfoKHR*>(view.next);
        if (depth) {
            if (depth->type != XR_TYPE_COMPOSITION_LAYER_DEPTH_INFO_KHR || !session->instance->depthEnabled)
                return Misuse(XR_ERROR_VALIDATION_FAILURE, "a view's next is not a depth image of an enabled extension");
            if (!IsLive(depth->subImage.swapchain) || !IsDepth(depth->subImage.swapchain->format) ||
                !depth->subImage.swapchain->acquired.empty() || depth->subImage.swapchain->lastReleased < 0 ||
                !(depth->nearZ > 0.0f) || !(depth->farZ > depth->nearZ) || depth->minDepth != 0.0f || depth->maxDepth != 1.0f)
                return Misuse(XR_ERROR_VALIDATION_FAILURE, "a depth image that is not released or a depth range that is wrong");
            const auto* depthChain = depth->subImage.swapchain;
            g_stats.lastDepthImage[eye] = depthChain->images[static_cast<size_t>(depthChain->lastReleased)];
        } else {
            withDepth = false;
            g_stats.lastDepthImage[eye] = 0;
        }
        g_stats.lastEyeImage[eye] = chain->images[static_cast<size_t>(chain->lastReleased)];
        g_stats.lastEyeX[eye] = view.pose.position.x;
    }
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL EndFrame(XrSession session, const XrFrameEndInfo* info) {
    if (!IsLive(session)) return XR_ERROR_HANDLE_INVALID;
    if (!info || info->type != XR_TYPE_FRAME_END_INFO) return XR_ERROR_VALIDATION_FAILURE;
    if (session->lost) return XR_ERROR_SESSION_LOST;
    if (!session->running) return XR_ERROR_SESSION_NOT_RUNNING;
    if (!session->frameBegun) return Misuse(XR_ERROR_CALL_ORDER_INVALID, "xrEndFrame without xrBeginFrame");
    if (info->displayTime != session->predictedTime) return Misuse(XR_ERROR_TIME_INVALID, "xrEndFrame for another frame's time");
    if (info->environmentBlendMode != XR_ENVIRONMENT_BLEND_MODE_OPAQUE)
        return Misuse(XR_ERROR_ENVIRONMENT_BLEND_MODE_UNSUPPORTED, "a blend mode not offered");
    if (info->layerCount > 1) return Misuse(XR_ERROR_LAYER_LIMIT_EXCEEDED, "more than one layer");
    bool withDepth = false;
    if (info->layerCount == 1) {
        const XrResult result = CheckLayer(session, info->layers ? info->layers[0] : nullptr, withDepth);
        if (XR_FAILED(result)) return result;
        ++g_stats.framesWithLayer;
        if (withDepth) ++g_stats.framesWithDepth;
    }
    session->frameBegun = false;
    ++session->framesEnded;
    ++g_stats.framesEnded;
    if (session->framesEnded == 1) {
        QueueSessionState(session, XR_SESSION_STATE_SYNCHRONIZED);
        QueueSessionState(session, XR_SESSION_STATE_VISIBLE);
        QueueSessionState(session, XR_SESSION_STATE_FOCUSED);
    }
    if (g_settings.loseSessionAfter >= 0 && session->framesEnded == g_settings.loseSessionAfter) {
        session->lost = true;
        QueueSessionState(session, XR_SESSION_STATE_LOSS_PENDING);
    }
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL LocateViews(XrSession session, const XrViewLocateInfo* info, XrViewState* state,
                                           uint32_t capacity, uint32_t* count, XrView* views) {
    if (!IsLive(session)) return XR_ERROR_HANDLE_INVALID;
    if (!info || info->type != XR_TYPE_VIEW_LOCATE_INFO || !state || state->type != XR_TYPE_VIEW_STATE || !count)
        return XR_ERROR_VALIDATION_FAILURE;
    if (session->lost) return XR_ERROR_SESSION_LOST;
    if (info->viewConfigurationType != XR_VIEW_CONFIGURATION_TYPE_PRIMARY_STEREO) return XR_ERROR_VIEW_CONFIGURATION_TYPE_UNSUPPORTED;
    if (!IsLive(info->space) || info->space->session != session) return XR_ERROR_HANDLE_INVALID;
    if (info->displayTime <= 0) return XR_ERROR_TIME_INVALID;
    *count = 2;
    if (capacity == 0) return XR_SUCCESS;
    if (capacity < 2) return XR_ERROR_SIZE_INSUFFICIENT;
    state->viewStateFlags = XR_VIEW_STATE_ORIENTATION_VALID_BIT | XR_VIEW_STATE_POSITION_VALID_BIT |
                            XR_VIEW_STATE_ORIENTATION_TRACKED_BIT | XR_VIEW_STATE_POSITION_TRACKED_BIT;
    // 90 degrees across, the height's share of it by the image's aspect.
    const float vertical = std::atan(static_cast<float>(g_settings.eyeHeight) / static_cast<float>(g_settings.eyeWidth));
    for (uint32_t eye = 0; eye < 2; ++eye) {
        if (views[eye].type != XR_TYPE_VIEW) return Misuse(XR_ERROR_VALIDATION_FAILURE, "views of the wrong type");
        views[eye].pose.orientation = {0.0f, 0.0f, 0.0f, 1.0f};
        views[eye].pose.position = {eye == 0 ? -kEyeHalfDistance : kEyeHalfDistance, 0.0f, 0.0f};
        views[eye].fov = {-0.785398f, 0.785398f, vertical, -vertical};
    }
    return XR_SUCCESS;
}

} // namespace

bool IsLive(XrSession session) { return session != XR_NULL_HANDLE && g_sessions.count(session) != 0; }

void DestroySessionsOf(XrInstance instance) {
    std::vector<XrSession> sessions;
    for (XrSession session : g_sessions)
        if (session->instance == instance) sessions.push_back(session);
    for (XrSession session : sessions) DestroySession(session);
}

PFN_xrVoidFunction SessionFunction(const std::string& name) {
#define ZUMEK_XR_ENTRY(xrName, local) \
    if (name == #xrName) return reinterpret_cast<PFN_xrVoidFunction>(&local);
    ZUMEK_XR_ENTRY(xrCreateSession, CreateSession)
    ZUMEK_XR_ENTRY(xrDestroySession, DestroySession)
    ZUMEK_XR_ENTRY(xrBeginSession, BeginSession)
    ZUMEK_XR_ENTRY(xrEndSession, EndSession)
    ZUMEK_XR_ENTRY(xrRequestExitSession, RequestExitSession)
    ZUMEK_XR_ENTRY(xrEnumerateReferenceSpaces, EnumerateReferenceSpaces)
    ZUMEK_XR_ENTRY(xrCreateReferenceSpace, CreateReferenceSpace)
    ZUMEK_XR_ENTRY(xrDestroySpace, DestroySpace)
    ZUMEK_XR_ENTRY(xrEnumerateSwapchainFormats, EnumerateSwapchainFormats)
    ZUMEK_XR_ENTRY(xrCreateSwapchain, CreateSwapchain)
    ZUMEK_XR_ENTRY(xrDestroySwapchain, DestroySwapchain)
    ZUMEK_XR_ENTRY(xrEnumerateSwapchainImages, EnumerateSwapchainImages)
    ZUMEK_XR_ENTRY(xrAcquireSwapchainImage, AcquireSwapchainImage)
    ZUMEK_XR_ENTRY(xrWaitSwapchainImage, WaitSwapchainImage)
    ZUMEK_XR_ENTRY(xrReleaseSwapchainImage, ReleaseSwapchainImage)
    ZUMEK_XR_ENTRY(xrWaitFrame, WaitFrame)
    ZUMEK_XR_ENTRY(xrBeginFrame, BeginFrame)
    ZUMEK_XR_ENTRY(xrEndFrame, EndFrame)
    ZUMEK_XR_ENTRY(xrLocateViews, LocateViews)
#undef ZUMEK_XR_ENTRY
    return nullptr;
}
