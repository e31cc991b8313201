// tests/graphics/TextureDecoderTest.cpp
// Texture decoding without a GL context: pictures decode, garbage and pictures too large to
// be a texture are refused before anything is allocated for them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>
#include <zlib.h>

#include "graphics/TextureDecoder.h"

namespace zumek {
namespace {

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void Chunk(std::vector<uint8_t>& png, const char* kind, const std::vector<uint8_t>& body) {
    Put32(png, static_cast<uint32_t>(body.size()));
    std::vector<uint8_t> typed(kind, kind + 4);
    typed.insert(typed.end(), body.begin(), body.end());
    png.insert(png.end(), typed.begin(), typed.end());
    Put32(png, static_cast<uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

/// An 8-bit RGB PNG whose header says `width` x `height`, with `rows` rows of red pixels.
std::vector<uint8_t> Png(uint32_t width, uint32_t height, uint32_t rows) {
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<uint8_t> header;
    Put32(header, width);
    Put32(header, height);
    header.insert(header.end(), {8, 2, 0, 0, 0});
    Chunk(png, "IHDR", header);
    std::vector<uint8_t> raw;
    for (uint32_t y = 0; y < rows; ++y) {
        raw.push_back(0);
        for (uint32_t x = 0; x < width; ++x) raw.insert(raw.end(), {255, 0, 0});
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    compress(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()));
    packed.resize(packedSize);
    Chunk(png, "IDAT", packed);
    Chunk(png, "IEND", {});
    return png;
}

TEST(TextureDecoder, APictureDecodesToRgba) {
    const std::vector<uint8_t> png = Png(3, 2, 2);
    DecodedImage image;
    std::string reason;
    ASSERT_TRUE(DecodeTexture(png.data(), png.size(), image, reason)) << reason;
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    ASSERT_EQ(image.rgba.size(), 3u * 2u * 4u);
    EXPECT_EQ(image.rgba[0], 255);
    EXPECT_EQ(image.rgba[1], 0);
    EXPECT_EQ(image.rgba[3], 255);
}

TEST(TextureDecoder, AHugePictureClaimedByASmallFileIsRefusedUnread) {
    // 10000 x 10000 would ask for 400 MB of RGBA, 30000 x 30000 for 3.6 GB; the files are a few
    // dozen bytes.
    DecodedImage image;
    std::string reason;
    const std::vector<uint8_t> large = Png(10000, 10000, 0);
    EXPECT_FALSE(DecodeTexture(large.data(), large.size(), image, reason));
    EXPECT_NE(reason.find("10000 x 10000"), std::string::npos) << reason;
    const std::vector<uint8_t> huge = Png(30000, 30000, 0);
    EXPECT_FALSE(DecodeTexture(huge.data(), huge.size(), image, reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_TRUE(image.rgba.empty());
}

TEST(TextureDecoder, GarbageEmptyAndTruncatedFilesAreRefused) {
    DecodedImage image;
    std::string reason;
    const std::string garbage = "this is not a picture at all";
    EXPECT_FALSE(DecodeTexture(reinterpret_cast<const uint8_t*>(garbage.data()), garbage.size(), image, reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(DecodeTexture(nullptr, 0, image, reason));
    std::vector<uint8_t> truncated = Png(64, 64, 64);
    truncated.resize(truncated.size() / 2);
    EXPECT_FALSE(DecodeTexture(truncated.data(), truncated.size(), image, reason));
    EXPECT_FALSE(DecodeTextureFile("/nonexistent/texture.png", image, reason));
    EXPECT_EQ(reason, "Unable to open file");
    // A folder where the file should be opens but cannot be read.
    EXPECT_FALSE(DecodeTextureFile("/tmp", image, reason));
    EXPECT_EQ(reason, "it is a folder, not a file");
}

} // namespace
} // namespace zumek
