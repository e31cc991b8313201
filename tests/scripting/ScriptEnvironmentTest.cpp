// What the game's scripts find around the engine libraries: modules shared through require (the
// player's copy first), and the level-state folder with the game's saves written whole or not at
// all.
#include <filesystem>
#include <fstream>

#include "tests/scripting/ScriptFixture.h"

namespace zumek::test {
namespace {

class ScriptEnvironmentTest : public ScriptFixture {};

TEST_F(ScriptEnvironmentTest, RequireFindsThePlayersCopyFirst) {
    std::filesystem::create_directories(m_root + "/documents/Tovalik/resources/scripts");
    std::ofstream(m_root + "/documents/Tovalik/resources/scripts/Hints.lua") << "return {level1 = {hint_a = 'mine'}}\n";
    StartHere();
    EXPECT_EQ(Lua("print(require('Hints').level1.hint_a)"), "mine\n") << "the user's copy overrides the shipped one";
    EXPECT_EQ(Lua("print(require('Game').NextPlace('level1'), require('Game').NextPlace('level8'))"), "level2\tending\n")
        << "shipped modules are found";
    EXPECT_EQ(Lua("print((pcall(require, 'no_such_module')))"), "false\n");
}

TEST_F(ScriptEnvironmentTest, ASaveThatCannotBeWrittenWholeIsReportedAndKeepsTheOldState) {
    // (A save read back is the sandbox test's; the saved file, with no temporary one left, the
    // level replay scene's; broken state files the menus and faults scenes'.)
    StartHere();
    EXPECT_EQ(Lua("Game = require 'Game'; print(Game.SaveCompleted('level1', 12.5))"), "true\n")
        << "the engine makes the level-state folder";
    // A folder in the way of the temporary file: the save fails, the old state stays.
    std::filesystem::create_directories(StateFolder() + "state_level1.tmp/x");
    EXPECT_EQ(Lua("print(Game.SaveCompleted('level1', 1), Game.IsCompleted('level1'))"), "false\ttrue\n");
    std::ifstream saved(StateFolder() + "state_level1");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), std::istreambuf_iterator<char>()),
              "level=level1\ncompleted=1\nseconds=12.5\n");
    EXPECT_EQ(LoggedStarting("Level state " + StateFolder() + "state_level1 cannot be saved").size(), 1u);
}

} // namespace
} // namespace zumek::test
