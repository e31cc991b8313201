// platform/PngWriter.h
#pragma once
#include <cstdint>
#include <string>

namespace zumek {

/// Writes an 8-bit, non-interlaced PNG of `width` x `height` pixels with `channels` (3 = RGB,
/// 4 = RGBA) from rows of `pixels`. `bottomUp` is for GL read-backs, whose first row is the
/// bottom of the image. False when the file cannot be written.
bool WritePng(const std::string& path, int width, int height, int channels, const uint8_t* pixels, bool bottomUp);

} // namespace zumek
