// The --frame-times recorder: real wall time on a frozen engine clock, the drawn objects, the file.
#include "game/FrameTimeRecorder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

#include "graphics/AnimatedSprite.h"
#include "graphics/Sprite.h"
#include "objects/Object.h"
#include "platform/Clock.h"

using namespace zumek;

namespace {

std::filesystem::path ScratchFile(const char* name) {
    return std::filesystem::temp_directory_path() / (std::string("zumek_frame_times_") + name);
}

struct Line {
    double wallMs = -1;
    int drawn = -1;
    long long clockMs = -1;
};

std::vector<Line> ReadLines(const std::filesystem::path& path) {
    std::ifstream file(path);
    std::vector<Line> lines;
    Line line;
    while (file >> line.wallMs >> line.drawn >> line.clockMs) lines.push_back(line);
    return lines;
}

} // namespace

TEST(FrameTimeRecorder, WritesWallTimeWhileTheEngineClockStandsStill) {
    Clock::UseManual(0);
    auto path = ScratchFile("wall");
    FrameTimeRecorder recorder;
    ASSERT_TRUE(recorder.Open(path.string()));
    std::vector<Object*> none;
    recorder.Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    Clock::Advance(16);
    recorder.Update(0.016f, none);
    Clock::Advance(16);
    recorder.Update(0.016f, none);
    recorder.Close();
    Clock::UseReal();

    auto lines = ReadLines(path);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_GE(lines[0].wallMs, 20.0); // the real clock, not the fixed 16 ms step
    EXPECT_GE(lines[1].wallMs, 0.0);
    EXPECT_EQ(lines[0].clockMs, 16);
    EXPECT_EQ(lines[1].clockMs, 32);
    std::filesystem::remove(path);
}

TEST(FrameTimeRecorder, CountsVisibleSpritesAndAnimatedSpritesOnly) {
    std::vector<std::unique_ptr<Object>> owned;
    auto make = [&](const char* id) {
        owned.push_back(std::make_unique<Object>(id, "thing", "test", ""));
        return owned.back().get();
    };
    make("plain");
    make("sprite")->AddComponent(std::make_unique<Sprite>());
    auto* hidden = make("hidden")->AddComponent(std::make_unique<Sprite>());
    hidden->SetHidden(true);
    make("animated")->AddComponent(std::make_unique<AnimatedSprite>());
    std::vector<Object*> objects = {nullptr};
    for (auto& object : owned) objects.push_back(object.get());
    EXPECT_EQ(FrameTimeRecorder::CountDrawn(objects), 2);

    auto path = ScratchFile("drawn");
    FrameTimeRecorder recorder;
    ASSERT_TRUE(recorder.Open(path.string()));
    recorder.Update(0.016f, objects);
    recorder.Close();
    auto lines = ReadLines(path);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].drawn, 2);
    std::filesystem::remove(path);
}

TEST(FrameTimeRecorder, AFileInAMissingFolderCannotBeOpened) {
    FrameTimeRecorder recorder;
    EXPECT_FALSE(recorder.Open((ScratchFile("missing") / "no" / "frames.txt").string()));
    std::vector<Object*> none;
    recorder.Update(0.016f, none); // nothing to write to, and no crash
}
