// graphics/TextureDecoder.h
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zumek {

/// A decoded picture: 8-bit RGBA rows, the first row first as the file stores it.
struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
};

/// The largest side a texture may have. Larger pictures are refused before they are decoded:
/// a small file can claim a huge picture and ask for gigabytes, and no driver takes a texture
/// of more than 16384 texels a side.
inline constexpr int kMaxTextureSide = 8192;

/// Decodes the bytes of a PNG, JPEG, TGA, BMP, PSD, GIF, HDR or PNM file. False, with the
/// reason, for bytes that are no picture or a picture larger than kMaxTextureSide a side.
bool DecodeTexture(const uint8_t* bytes, size_t size, DecodedImage& image, std::string& reason);

/// Reads and decodes a file; false, with the reason, when it cannot be read or decoded.
bool DecodeTextureFile(const std::string& path, DecodedImage& image, std::string& reason);

} // namespace zumek
