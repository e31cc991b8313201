// Replay files: every event form, comments, and the line numbers of malformed lines.
#include "engine/Replay.h"

#include <gtest/gtest.h>

using namespace zumek;

TEST(Replay, ParsesEveryEventIntoWindowMessages) {
    Replay replay;
    std::string error;
    ASSERT_TRUE(replay.Parse("# a comment\n"
                             "1 key A\n"
                             "\n"
                             "2 keydown Numpad1   # trailing comment\n"
                             "2 keyup F5\n"
                             "3 move 10 20\n"
                             "3 ldown 1 2\n"
                             "3 lup 3 4\n"
                             "3 rdown 5 6\n"
                             "3 rup 7 8\n"
                             "9 close\n",
                             error))
        << error;
    const auto& first = replay.MessagesFor(1);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].message, WM_KEYDOWN);
    EXPECT_EQ(first[0].wParam, 'A');
    EXPECT_EQ(first[1].message, WM_KEYUP);
    const auto& second = replay.MessagesFor(2);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0].wParam, 0x61u);
    EXPECT_EQ(second[1].message, WM_KEYUP);
    EXPECT_EQ(second[1].wParam, 0x74u);
    const auto& third = replay.MessagesFor(3);
    ASSERT_EQ(third.size(), 5u);
    EXPECT_EQ(third[0].message, WM_MOUSEMOVE);
    EXPECT_EQ(LowWord(third[0].lParam), 10u);
    EXPECT_EQ(HighWord(third[0].lParam), 20u);
    EXPECT_EQ(third[1].message, WM_LBUTTONDOWN);
    EXPECT_EQ(third[2].message, WM_LBUTTONUP);
    EXPECT_EQ(third[3].message, WM_RBUTTONDOWN);
    EXPECT_EQ(third[4].message, WM_RBUTTONUP);
    EXPECT_EQ(replay.MessagesFor(9).at(0).message, WM_CLOSE);
    EXPECT_TRUE(replay.MessagesFor(4).empty());
    EXPECT_EQ(replay.LastFrame(), 9);
}

TEST(Replay, MalformedLinesAreReportedWithTheirNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"1 key A\n0 key A\n", "line 2: \"0\" is not a frame number"},
        {"x key A\n", "line 1: \"x\" is not a frame number"},
        {"1\n", "line 1: an event is missing"},
        {"1 key\n", "line 1: \"key\" takes one key name"},
        {"1 key Shift Alt\n", "line 1: \"key\" takes one key name"},
        {"\n\n1 key Q7\n", "line 3: \"Q7\" is not a key name"},
        {"1 move 10\n", "line 1: \"move\" takes two coordinates"},
        {"1 lup -1 5\n", "line 1: coordinates must be whole numbers"},
        {"1 rup 70000 5\n", "line 1: coordinates must be whole numbers"},
        {"1 close now\n", "line 1: \"close\" takes no arguments"},
        {"1 dance\n", "line 1: unknown event \"dance\""},
    };
    for (const auto& [text, message] : cases) {
        Replay replay;
        std::string error;
        EXPECT_FALSE(replay.Parse(text, error)) << text;
        EXPECT_EQ(error.rfind(message, 0), 0u) << "got: " << error;
        EXPECT_TRUE(replay.Empty());
    }
}
