// graphics/OpenXrSwapchains.h
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include <openxr/openxr.h>

#include "graphics/HeadsetBackend.h"

namespace zumek {

/// The first of `preferred` that the runtime offers, else the runtime's own first choice
/// (0 when it offers nothing).
int64_t ChooseSwapchainFormat(const std::vector<int64_t>& offered, const std::vector<int64_t>& preferred);

/// The images of one eye: a colour swapchain (sRGB where offered), a depth swapchain when the
/// runtime takes depth layers, and the mirror: OpenXR gives none, so each eye's image is copied
/// into a GL texture of our own (both eyes side by side) before it goes back to the runtime.
class OpenXrSwapchains {
public:
    OpenXrSwapchains() = default;
    OpenXrSwapchains(const OpenXrSwapchains&) = delete;
    OpenXrSwapchains& operator=(const OpenXrSwapchains&) = delete;

    /// With the GL context current. False (one log line, everything made so far released) when
    /// an eye's colour swapchain cannot be had; a depth swapchain the runtime refuses only
    /// leaves depth out.
    bool Create(XrSession session, const XrViewConfigurationView views[2], bool withDepth);
    /// Acquires and waits for the eye's next colour image; its GL name (0 on failure).
    unsigned Acquire(int eye);
    /// Acquires and waits for the eye's next depth image; its GL name (0: none this frame).
    unsigned AcquireDepth(int eye);
    /// Copies the eye's colour image into its half of the mirror, then hands the images back.
    void Release(int eye);

    /// The eye's colour image of this frame was drawn and handed back.
    bool Released(int eye) const { return m_eye[eye].colourReleased; }
    glm::ivec2 Size(int eye) const;
    XrSwapchain Colour(int eye) const;
    /// The eye's depth swapchain when depth was drawn into it this frame (else null).
    XrSwapchain DepthDrawn(int eye) const;
    int64_t ColourFormat() const { return m_colourFormat; }
    int64_t DepthFormat() const { return m_depthFormat; }
    HeadsetMirror Mirror() const;

    /// Destroys the swapchains; the GL objects of our own only when `glCurrent` (the context
    /// they belong to is current), else they are forgotten.
    void Destroy(bool glCurrent);

private:
    struct Chain {
        XrSwapchain handle = XR_NULL_HANDLE;
        std::vector<uint32_t> images;
        int acquired = -1; ///< index of the image held, -1 none
    };
    struct Eye {
        Chain colourChain;
        Chain depthChain;
        bool depthDrawn = false;
        bool colourReleased = false;
        glm::ivec2 size{0};
    };

    bool CreateChain(Chain& chain, int64_t format, XrSwapchainUsageFlags usage, glm::ivec2 size, const char* what);
    unsigned AcquireFrom(Chain& chain);
    void ReleaseTo(Chain& chain);
    void CopyToMirror(int eye, unsigned texture);

    XrSession m_session = XR_NULL_HANDLE;
    Eye m_eye[2];
    int64_t m_colourFormat = 0;
    int64_t m_depthFormat = 0;
    unsigned m_mirrorTexture = 0;
    unsigned m_mirrorFramebuffer = 0; ///< draw side of the copy, the mirror attached
    unsigned m_copyFramebuffer = 0;   ///< read side of the copy, an eye image attached
    glm::ivec2 m_mirrorSize{0};
};

} // namespace zumek
