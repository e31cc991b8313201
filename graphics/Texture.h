// graphics/Texture.h
#pragma once
#include <cstdint>

namespace zumek {

/// A texture loaded by the TextureProvider: owned by the provider for the whole run.
struct Texture {
    uint32_t name = 0;   ///< GL texture name
    uint32_t width = 0;  ///< pixels
    uint32_t height = 0; ///< pixels
};

} // namespace zumek
