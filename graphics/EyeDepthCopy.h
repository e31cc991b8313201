// graphics/EyeDepthCopy.h
#pragma once

namespace zumek {

/// Writes the scene's depth (the G-buffer's depth texture) into the depth image of the bound
/// framebuffer, across its whole viewport, leaving the colour as it is. A headset eye drawn by
/// the deferred lighting pass has colour but no depth of its own; a runtime that takes depth
/// images with the colour (for reprojection and composition) gets the scene's this way.
class EyeDepthCopy {
public:
    EyeDepthCopy() = default;
    ~EyeDepthCopy();
    EyeDepthCopy(const EyeDepthCopy&) = delete;
    EyeDepthCopy& operator=(const EyeDepthCopy&) = delete;

    /// Copies `sceneDepth`; nothing happens when its program is missing (the shader provider has
    /// said why). Drawn after the lighting pass, it takes and leaves the frame's resting state
    /// (colour and depth writes on, depth test on with GL_LESS, blending and culling off) without
    /// asking the driver for it: a query makes a threaded driver wait for its queue.
    void Draw(unsigned sceneDepth);

private:
    unsigned m_program = 0;
    int m_samplerLocation = -1;
    unsigned m_vertexArray = 0; ///< empty: the vertices come from their numbers
    unsigned m_sampler = 0;     ///< nearest texel, no mipmaps (the depth texture has none)
    bool m_looked = false;
};

} // namespace zumek
