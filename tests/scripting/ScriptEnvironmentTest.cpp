// What the game's scripts find around the engine libraries: modules shared through require (the
// player's copy first), and the level-state folder with the game's saves written whole or not at
// all and read back safely whatever a file holds.
#include <filesystem>
#include <fstream>

#include "tests/scripting/ScriptFixture.h"

namespace zumek::test {
namespace {

class ScriptEnvironmentTest : public ScriptFixture {
protected:
    /// Starts the scripting system with the scratch documents folder (no overlay of the tests').
    void StartHere() {
        testing::internal::CaptureStdout();
        ScriptingSystem::Instance().Initialize();
        testing::internal::GetCapturedStdout();
    }
    std::string StateFolder() { return m_root + "/documents/Tovalik/resources/levelstates/"; }
};

TEST_F(ScriptEnvironmentTest, RequireFindsThePlayersCopyFirst) {
    std::filesystem::create_directories(m_root + "/documents/Tovalik/resources/scripts");
    std::ofstream(m_root + "/documents/Tovalik/resources/scripts/Hints.lua") << "return {level1 = {hint_a = 'mine'}}\n";
    StartHere();
    EXPECT_EQ(Lua("print(require('Hints').level1.hint_a)"), "mine\n") << "the user's copy overrides the shipped one";
    EXPECT_EQ(Lua("print(require('Game').NextPlace('level1'), require('Game').NextPlace('level8'))"), "level2\tending\n")
        << "shipped modules are found";
    EXPECT_EQ(Lua("print((pcall(require, 'no_such_module')))"), "false\n");
}

TEST_F(ScriptEnvironmentTest, SavesAreWrittenWholeAndReadBackAsSolved) {
    StartHere();
    ASSERT_TRUE(std::filesystem::is_directory(StateFolder())) << "the engine makes the level-state folder";
    EXPECT_EQ(Lua("print(LEVEL_STATE_FOLDER:sub(-31))"), "/Tovalik/resources/levelstates/\n");
    EXPECT_EQ(Lua("local Game = require 'Game'; print(Game.IsCompleted('level1'), Game.IsOpen(2))"), "false\tfalse\n");
    EXPECT_EQ(Lua("local Game = require 'Game'; print(Game.SaveCompleted('level1', 12.5))"), "true\n");
    std::ifstream saved(StateFolder() + "state_level1");
    std::string text((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "level=level1\ncompleted=1\nseconds=12.5\n");
    EXPECT_FALSE(std::filesystem::exists(StateFolder() + "state_level1.tmp")) << "no temporary file is left";
    EXPECT_EQ(Lua("local Game = require 'Game'; print(Game.IsCompleted('level1'), Game.IsOpen(2), Game.FirstUnfinished())"),
              "true\ttrue\tlevel2\n");
}

TEST_F(ScriptEnvironmentTest, BrokenStatesCountAsUnsolvedWithOneLineEach) {
    StartHere();
    const std::string folder = StateFolder();
    std::ofstream(folder + "state_level1") << "";                       // empty
    std::ofstream(folder + "state_level2") << "level=lev";              // truncated
    std::ofstream(folder + "state_level3", std::ios::binary) << std::string("\0\xff\x01level=level3\0", 16);
    std::ofstream(folder + "state_level4") << "level=level5\ncompleted=1\n"; // another level's
    EXPECT_EQ(Lua("local Game = require 'Game'\n"
                  "for i = 1, 2 do print(Game.IsCompleted('level1'), Game.IsCompleted('level2'),"
                  " Game.IsCompleted('level3'), Game.IsCompleted('level4')) end"),
              "false\tfalse\tfalse\tfalse\nfalse\tfalse\tfalse\tfalse\n");
    EXPECT_EQ(LoggedStarting("Level state " + folder + "state_level").size(), 4u) << "one line per file, not per read";
}

TEST_F(ScriptEnvironmentTest, ASaveThatCannotBeWrittenIsReportedAndKeepsTheOldState) {
    StartHere();
    const std::string folder = StateFolder();
    std::ofstream(folder + "state_level1") << "level=level1\ncompleted=1\n";
    // A folder in the way of the temporary file: the save fails, the old state stays.
    std::filesystem::create_directories(folder + "state_level1.tmp/x");
    EXPECT_EQ(Lua("local Game = require 'Game'; print(Game.SaveCompleted('level1', 1), Game.IsCompleted('level1'))"),
              "false\ttrue\n");
    EXPECT_EQ(LoggedStarting("Level state " + folder + "state_level1 cannot be saved").size(), 1u);
}

} // namespace
} // namespace zumek::test
