// F12's file names: numbered, never overwriting a shot already there.
#include "game/ScreenshotKey.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

using namespace zumek;
namespace fs = std::filesystem;

TEST(ScreenshotKey, NextNumberFollowsTheHighestShot) {
    const fs::path folder = fs::temp_directory_path() / ("zumek-shots-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    EXPECT_EQ(NextScreenshotPath(folder.string()), (folder / "shot-0001.png").string()) << "a missing folder";
    fs::create_directories(folder);
    for (const char* name : {"shot-0001.png", "shot-0007.png", "shot-0099.png.bak", "shot-abc.png", "other-0500.png"})
        std::ofstream(folder / name) << "x";
    EXPECT_EQ(NextScreenshotPath(folder.string()), (folder / "shot-0008.png").string());
    std::ofstream(folder / "shot-12345.png") << "x";
    EXPECT_EQ(NextScreenshotPath(folder.string()), (folder / "shot-12346.png").string()) << "past four digits";
    fs::remove_all(folder);
}
