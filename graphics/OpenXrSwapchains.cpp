// graphics/OpenXrSwapchains.cpp
#include "graphics/OpenXrSwapchains.h"

#include <GL/glew.h>

#include <algorithm>

#define XR_USE_GRAPHICS_API_OPENGL
#define XR_USE_PLATFORM_XLIB
#include <GL/glx.h>
#include <openxr/openxr_platform.h>

#include "engine/EngineLog.h"
#include "graphics/OpenXrStruct.h"
#include "platform/Assert.h"

namespace zumek {

int64_t ChooseSwapchainFormat(const std::vector<int64_t>& offered, const std::vector<int64_t>& preferred) {
    for (int64_t format : preferred)
        if (std::find(offered.begin(), offered.end(), format) != offered.end()) return format;
    return offered.empty() ? 0 : offered.front();
}

namespace {

std::vector<int64_t> OfferedFormats(XrSession session) {
    uint32_t count = 0;
    if (XR_FAILED(xrEnumerateSwapchainFormats(session, 0, &count, nullptr))) return {};
    std::vector<int64_t> formats(count);
    if (XR_FAILED(xrEnumerateSwapchainFormats(session, count, &count, formats.data()))) return {};
    formats.resize(count);
    return formats;
}

bool IsDepthFormat(int64_t format) {
    return format == GL_DEPTH_COMPONENT16 || format == GL_DEPTH_COMPONENT24 || format == GL_DEPTH_COMPONENT32 ||
           format == GL_DEPTH_COMPONENT32F || format == GL_DEPTH24_STENCIL8 || format == GL_DEPTH32F_STENCIL8;
}

} // namespace

bool OpenXrSwapchains::CreateChain(Chain& chain, int64_t format, XrSwapchainUsageFlags usage, glm::ivec2 size,
                                   const char* what) {
    auto info = XrStruct<XrSwapchainCreateInfo>(XR_TYPE_SWAPCHAIN_CREATE_INFO);
    info.usageFlags = usage;
    info.format = format;
    info.sampleCount = 1;
    info.width = static_cast<uint32_t>(size.x);
    info.height = static_cast<uint32_t>(size.y);
    info.faceCount = 1;
    info.arraySize = 1;
    info.mipCount = 1;
    XrResult result = xrCreateSwapchain(m_session, &info, &chain.handle);
    uint32_t count = 0;
    if (XR_SUCCEEDED(result)) result = xrEnumerateSwapchainImages(chain.handle, 0, &count, nullptr);
    std::vector<XrSwapchainImageOpenGLKHR> images(count, XrStruct<XrSwapchainImageOpenGLKHR>(XR_TYPE_SWAPCHAIN_IMAGE_OPENGL_KHR));
    if (XR_SUCCEEDED(result) && count > 0)
        result = xrEnumerateSwapchainImages(chain.handle, count, &count,
                                            reinterpret_cast<XrSwapchainImageBaseHeader*>(images.data()));
    if (XR_FAILED(result) || count == 0) {
        ReportProblem(Error, std::string("OpenXR: the runtime refused the ") + what + " swapchain (" +
                                 std::to_string(result) + "); " + (IsDepthFormat(format) ? "no depth layer" : "no headset") +
                                 " is used");
        if (chain.handle != XR_NULL_HANDLE) xrDestroySwapchain(chain.handle);
        chain = Chain{};
        return false;
    }
    chain.images.clear();
    for (uint32_t i = 0; i < count; ++i) chain.images.push_back(images[i].image);
    return true;
}

bool OpenXrSwapchains::Create(XrSession session, const XrViewConfigurationView views[2], bool withDepth) {
    m_session = session;
    const std::vector<int64_t> offered = OfferedFormats(session);
    m_colourFormat = ChooseSwapchainFormat(offered, {GL_SRGB8_ALPHA8, GL_RGBA8});
    m_depthFormat = 0;
    if (withDepth) {
        std::vector<int64_t> depthOffered;
        for (int64_t format : offered)
            if (IsDepthFormat(format)) depthOffered.push_back(format);
        m_depthFormat = ChooseSwapchainFormat(depthOffered, {GL_DEPTH_COMPONENT32F, GL_DEPTH_COMPONENT24, GL_DEPTH_COMPONENT32});
    }
    for (int eye = 0; eye < 2; ++eye) {
        Eye& target = m_eye[eye];
        target.size = {static_cast<int>(views[eye].recommendedImageRectWidth),
                       static_cast<int>(views[eye].recommendedImageRectHeight)};
        if (!CreateChain(target.colourChain, m_colourFormat,
                         XR_SWAPCHAIN_USAGE_COLOR_ATTACHMENT_BIT | XR_SWAPCHAIN_USAGE_SAMPLED_BIT |
                             XR_SWAPCHAIN_USAGE_TRANSFER_SRC_BIT,
                         target.size, eye == 0 ? "left eye's colour" : "right eye's colour")) {
            Destroy(true);
            return false;
        }
        if (m_depthFormat)
            CreateChain(target.depthChain, m_depthFormat, XR_SWAPCHAIN_USAGE_DEPTH_STENCIL_ATTACHMENT_BIT, target.size,
                        eye == 0 ? "left eye's depth" : "right eye's depth");
        for (uint32_t image : target.colourChain.images) {
            glBindTexture(GL_TEXTURE_2D, image);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        }
        glBindTexture(GL_TEXTURE_2D, 0);
    }

    m_mirrorSize = {m_eye[0].size.x + m_eye[1].size.x, std::max(m_eye[0].size.y, m_eye[1].size.y)};
    glGenTextures(1, &m_mirrorTexture);
    glBindTexture(GL_TEXTURE_2D, m_mirrorTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    // The same encoding as the eye images: the copy moves the values as they are.
    const GLenum mirrorFormat = m_colourFormat == GL_SRGB8_ALPHA8 ? GL_SRGB8_ALPHA8 : GL_RGBA8;
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(mirrorFormat), m_mirrorSize.x, m_mirrorSize.y, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    glGenFramebuffers(1, &m_mirrorFramebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_mirrorFramebuffer);
    glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_mirrorTexture, 0);
    const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glClearBufferfv(GL_COLOR, 0, black);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glGenFramebuffers(1, &m_copyFramebuffer);
    return true;
}

unsigned OpenXrSwapchains::AcquireFrom(Chain& chain) {
    if (chain.handle == XR_NULL_HANDLE) return 0;
    ASSERT(chain.acquired < 0, "chain.acquired < 0");
    auto acquireInfo = XrStruct<XrSwapchainImageAcquireInfo>(XR_TYPE_SWAPCHAIN_IMAGE_ACQUIRE_INFO);
    uint32_t index = 0;
    if (XR_FAILED(xrAcquireSwapchainImage(chain.handle, &acquireInfo, &index)) || index >= chain.images.size()) return 0;
    chain.acquired = static_cast<int>(index);
    auto waitInfo = XrStruct<XrSwapchainImageWaitInfo>(XR_TYPE_SWAPCHAIN_IMAGE_WAIT_INFO);
    waitInfo.timeout = XR_INFINITE_DURATION;
    if (XR_FAILED(xrWaitSwapchainImage(chain.handle, &waitInfo))) {
        // Never waited for: it cannot be released either, and the frame goes without it.
        chain.acquired = -1;
        return 0;
    }
    return chain.images[index];
}

void OpenXrSwapchains::ReleaseTo(Chain& chain) {
    if (chain.handle == XR_NULL_HANDLE || chain.acquired < 0) return;
    auto releaseInfo = XrStruct<XrSwapchainImageReleaseInfo>(XR_TYPE_SWAPCHAIN_IMAGE_RELEASE_INFO);
    xrReleaseSwapchainImage(chain.handle, &releaseInfo);
    chain.acquired = -1;
}

unsigned OpenXrSwapchains::Acquire(int eye) {
    ASSERT(eye == 0 || eye == 1, "eye == 0 || eye == 1");
    m_eye[eye].colourReleased = false;
    return AcquireFrom(m_eye[eye].colourChain);
}

unsigned OpenXrSwapchains::AcquireDepth(int eye) {
    ASSERT(eye == 0 || eye == 1, "eye == 0 || eye == 1");
    const unsigned texture = AcquireFrom(m_eye[eye].depthChain);
    m_eye[eye].depthDrawn = texture != 0;
    return texture;
}

void OpenXrSwapchains::CopyToMirror(int eye, unsigned texture) {
    if (!texture || !m_mirrorFramebuffer) return;
    const glm::ivec2 size = m_eye[eye].size;
    const int x0 = eye == 0 ? 0 : m_eye[0].size.x;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_copyFramebuffer);
    glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_mirrorFramebuffer);
    glBlitFramebuffer(0, 0, size.x, size.y, x0, 0, x0 + size.x, size.y, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, 0, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
}

void OpenXrSwapchains::Release(int eye) {
    ASSERT(eye == 0 || eye == 1, "eye == 0 || eye == 1");
    Eye& target = m_eye[eye];
    if (target.colourChain.acquired >= 0) {
        CopyToMirror(eye, target.colourChain.images[static_cast<size_t>(target.colourChain.acquired)]);
        target.colourReleased = true;
    }
    ReleaseTo(target.colourChain);
    ReleaseTo(target.depthChain);
}

glm::ivec2 OpenXrSwapchains::Size(int eye) const {
    ASSERT(eye == 0 || eye == 1, "eye == 0 || eye == 1");
    return m_eye[eye].size;
}

XrSwapchain OpenXrSwapchains::Colour(int eye) const {
    ASSERT(eye == 0 || eye == 1, "eye == 0 || eye == 1");
    return m_eye[eye].colourChain.handle;
}

XrSwapchain OpenXrSwapchains::DepthDrawn(int eye) const {
    ASSERT(eye == 0 || eye == 1, "eye == 0 || eye == 1");
    return m_eye[eye].depthDrawn ? m_eye[eye].depthChain.handle : XR_NULL_HANDLE;
}

HeadsetMirror OpenXrSwapchains::Mirror() const {
    HeadsetMirror mirror;
    mirror.texture = m_mirrorTexture;
    mirror.size = m_mirrorSize;
    mirror.topDown = false; // GL images: rows from the bottom
    return mirror;
}

void OpenXrSwapchains::Destroy(bool glCurrent) {
    for (Eye& target : m_eye) {
        for (Chain* chain : {&target.colourChain, &target.depthChain})
            if (chain->handle != XR_NULL_HANDLE) xrDestroySwapchain(chain->handle);
        target = Eye{};
    }
    if (glCurrent) {
        if (m_copyFramebuffer) glDeleteFramebuffers(1, &m_copyFramebuffer);
        if (m_mirrorFramebuffer) glDeleteFramebuffers(1, &m_mirrorFramebuffer);
        if (m_mirrorTexture) glDeleteTextures(1, &m_mirrorTexture);
    }
    m_copyFramebuffer = m_mirrorFramebuffer = m_mirrorTexture = 0;
    m_mirrorSize = glm::ivec2(0);
    m_session = XR_NULL_HANDLE;
}

} // namespace zumek
