// The command-line contract.
#include "engine/CommandLine.h"

#include <gtest/gtest.h>

using namespace zumek;

TEST(CommandLine, ReadsEveryOption) {
    CommandLine o;
    std::string error;
    // --watch is a switch: the option after it is not taken for its value.
    ASSERT_EQ(o.Parse({"--root", "r", "--documents", "d", "--level", "level3", "--watch", "--frames", "120",
                       "--frame-ms", "25", "--size", "640x480", "--log", "l.txt", "--screenshot", "s.png",
                       "--replay", "in.txt", "--frame-times", "t.txt"},
                      error),
              CommandLine::Result::Run)
        << error;
    EXPECT_EQ(o.root, "r");
    EXPECT_EQ(o.documents, "d");
    EXPECT_EQ(o.level, "level3");
    EXPECT_EQ(o.frames, 120);
    EXPECT_EQ(o.frameMs, 25);
    EXPECT_EQ(o.width, 640);
    EXPECT_EQ(o.height, 480);
    EXPECT_EQ(o.logFile, "l.txt");
    EXPECT_EQ(o.screenshot, "s.png");
    EXPECT_EQ(o.replay, "in.txt");
    EXPECT_EQ(o.frameTimes, "t.txt");
    EXPECT_TRUE(o.watch);
}

TEST(CommandLine, HelpAndVersionWinOverRunning) {
    CommandLine a, b, c;
    std::string error;
    EXPECT_EQ(a.Parse({}, error), CommandLine::Result::Run);
    EXPECT_EQ(b.Parse({"--frames", "3", "--help"}, error), CommandLine::Result::Help);
    EXPECT_EQ(c.Parse({"--version"}, error), CommandLine::Result::Version);
}

TEST(CommandLine, RejectsMalformedOptionsWithAReason) {
    const std::vector<std::vector<std::string>> bad = {
        {"--bogus"}, {"stray"}, {"--frames"}, {"--frames", "0"}, {"--frames", "-1"}, {"--frames", "1e3"},
        {"--frames", "99999999999"}, {"--frame-ms", "x"}, {"--size", "640"}, {"--size", "640x"},
        {"--size", "x480"}, {"--size", "0x480"}, {"--size", "640x480x2"}, {"--level", ""}, {"--log"},
        {"--frame-times"}, {"--frame-times", ""},
    };
    for (const auto& args : bad) {
        CommandLine o;
        std::string error;
        EXPECT_EQ(o.Parse(args, error), CommandLine::Result::Error) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
}
