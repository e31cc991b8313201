// graphics/GBuffer.h
#pragma once

namespace zumek {

/// The geometry buffer: a 1024 x 1024 framebuffer with seven float colour attachments and a
/// float depth attachment. Attachment i holds: 0 diffuse colour, 1 world position (w = 1 where
/// drawn), 2 normal, 3 texture coordinates, 4 eye vector, 5 shading parameters (specular,
/// shininess, lit flag), 6 pick id (R32F, 0 where nothing was drawn). Its size does not follow
/// the window: the lighting pass samples it with texture coordinates.
struct GBuffer {
    static constexpr int kColourCount = 7;
    static constexpr int kSize = 1024;
    /// Sampler names of the attachments, in attachment order (texture units 0-6).
    static const char* const kSamplerNames[kColourCount];

    unsigned int framebuffer = 0;
    unsigned int colour[kColourCount] = {};
    unsigned int depth = 0;
    int width = 0;
    int height = 0;

    /// Creates the framebuffer and its textures. An incomplete framebuffer prints
    /// "### GBuffer error, status: 0x...." and the game goes on (drawing nothing useful).
    void Build();
    /// Deletes the GL objects.
    void Release();
    /// Binds every colour texture i to texture unit i.
    void BindTextures() const;
};

} // namespace zumek
