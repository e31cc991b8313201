// graphics/TextureDecoder.cpp
#include "graphics/TextureDecoder.h"

#include <climits>
#include <cstdio>
#include <filesystem>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
// A backstop past the limit below: larger pictures fail stb's own header check ("too large").
#define STBI_MAX_DIMENSIONS (1 << 14)
#include <stb/stb_image.h>

namespace zumek {

bool DecodeTexture(const uint8_t* bytes, size_t size, DecodedImage& image, std::string& reason) {
    image = DecodedImage{};
    if (!bytes || size == 0 || size > static_cast<size_t>(INT_MAX)) {
        reason = size == 0 ? "the file is empty" : "the file is too large";
        return false;
    }
    const int length = static_cast<int>(size);
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(bytes, length, &width, &height, &channels)) {
        reason = stbi_failure_reason() ? stbi_failure_reason() : "not a picture";
        return false;
    }
    if (width <= 0 || height <= 0 || width > kMaxTextureSide || height > kMaxTextureSide) {
        reason = "the picture is " + std::to_string(width) + " x " + std::to_string(height) + ", more than " +
                 std::to_string(kMaxTextureSide) + " a side";
        return false;
    }
    unsigned char* pixels = stbi_load_from_memory(bytes, length, &width, &height, &channels, 4);
    if (!pixels) {
        reason = stbi_failure_reason() ? stbi_failure_reason() : "the picture could not be decoded";
        return false;
    }
    image.width = width;
    image.height = height;
    image.rgba.assign(pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    stbi_image_free(pixels);
    return true;
}

bool DecodeTextureFile(const std::string& path, DecodedImage& image, std::string& reason) {
    image = DecodedImage{};
    std::error_code error;
    // A folder opens as a stream but fails (throws) on the first read: ask first.
    if (std::filesystem::is_directory(path, error)) {
        reason = "it is a folder, not a file";
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        reason = "Unable to open file";
        return false;
    }
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    size_t read = 0;
    while ((read = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + read);
        if (bytes.size() > static_cast<size_t>(INT_MAX)) break;
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        reason = "the file could not be read";
        return false;
    }
    return DecodeTexture(bytes.data(), bytes.size(), image, reason);
}

} // namespace zumek
