// Screenshots come out as PNGs that read back to the same pixels, the right way up.
#include "platform/PngWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#include <stb/stb_image.h>

using namespace zumek;

TEST(PngWriter, BottomUpRowsAreFlipped) {
    auto path = std::filesystem::temp_directory_path() / ("zumek-png-" + std::to_string(::getpid()) + ".png");
    // Two rows of two RGB pixels; the first row in memory is the bottom of the image.
    const uint8_t pixels[] = {255, 0, 0, 255, 0, 0, /* bottom: red */ 0, 0, 255, 0, 0, 255 /* top: blue */};
    ASSERT_TRUE(WritePng(path.string(), 2, 2, 3, pixels, true));
    int w = 0, h = 0, n = 0;
    unsigned char* data = stbi_load(path.c_str(), &w, &h, &n, 3);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 2);
    EXPECT_EQ(data[2], 255); // top-left is blue
    EXPECT_EQ(data[6 + 0], 255); // bottom-left is red
    stbi_image_free(data);
    std::filesystem::remove(path);
}

TEST(PngWriter, RefusesNonsense) {
    const uint8_t pixel[4] = {};
    EXPECT_FALSE(WritePng("/tmp/x.png", 0, 1, 3, pixel, false));
    EXPECT_FALSE(WritePng("/tmp/x.png", 1, 1, 2, pixel, false));
    EXPECT_FALSE(WritePng("/nonexistent-folder/x.png", 1, 1, 4, pixel, false));
}
