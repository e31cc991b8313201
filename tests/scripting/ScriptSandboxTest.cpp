// The sandbox around the game's scripts: calls that run programs, load native or binary code or
// reach files outside the game's folders are refused with one log line naming the script, while
// the level states and resources keep working; a script that allocates without end or loops for
// ever is stopped and the game goes on.
#include <filesystem>
#include <fstream>

#include "scripting/ScriptSandbox.h"
#include "tests/scripting/ScriptFixture.h"

namespace zumek::test {
namespace {

namespace fs = std::filesystem;

class ScriptSandboxTest : public ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        std::ofstream(m_root + "/secret.txt") << "secret\n";
        testing::internal::CaptureStdout();
        ScriptingSystem::Instance().Initialize();
        testing::internal::GetCapturedStdout();
    }

    std::string ScriptFolder() { return m_root + "/documents/Tovalik/resources/scripts/"; }
    std::string StateFolder() { return m_root + "/documents/Tovalik/resources/levelstates/"; }

    /// Writes the player's script `name`.lua defining the global function `name` with `body`,
    /// and loads it; returns the file's path (its chunk name).
    std::string Script(const std::string& name, const std::string& body) {
        fs::create_directories(ScriptFolder());
        std::ofstream(ScriptFolder() + name + ".lua") << "ROOT = '" << m_root << "'\nfunction " << name << "()\n" << body << "\nend\n";
        LoadClass(name);
        return ScriptFolder() + name + ".lua";
    }
    /// Runs `body` as the protocol call `name` from the player's script folder; returns what it printed.
    std::string Run(const std::string& name, const std::string& body) {
        Script(name, body);
        return Procedure(name.c_str());
    }
    /// How many log lines say `call` of the script `name` was refused.
    long Refusals(const std::string& name, const std::string& call) {
        return static_cast<long>(LoggedStarting("Script " + ScriptFolder() + name + ".lua: " + call).size());
    }
    ScriptLimits& limits = ScriptingSystem::Instance().GetLimits();
};

TEST_F(ScriptSandboxTest, ProgramsNativeCodeAndLeavingTheGameAreRefusedAndLogged) {
    const std::string printed = Run("Programs", R"(
        print(os.execute("touch " .. ROOT .. "/ran"))
        print(io.popen("touch " .. ROOT .. "/ran"))
        print(os.exit(3))
        print(package.loadlib("libc.so.6", "puts"))
        print(debug.sethook())
        print(io.tmpfile(), os.tmpname()))");
    EXPECT_EQ(printed, "nil\tos.execute: refused in game scripts (scripts may not run programs)\n"
                       "nil\tio.popen: refused in game scripts (scripts may not run programs)\n"
                       "nil\tos.exit: refused in game scripts (scripts may not end the game)\n"
                       "nil\tpackage.loadlib: refused in game scripts (scripts may not load native code)\n"
                       "nil\tdebug.sethook: refused in game scripts (scripts use only debug.traceback and debug.getinfo)\n"
                       "nil\tnil\tos.tmpname: refused in game scripts (scripts write files only below the game's folder)\n");
    EXPECT_FALSE(fs::exists(m_root + "/ran"));
    for (const char* call : {"os.execute", "io.popen", "os.exit", "package.loadlib", "debug.sethook", "io.tmpfile", "os.tmpname"})
        EXPECT_EQ(Refusals("Programs", std::string(call) + " refused"), 1) << call;
}

TEST_F(ScriptSandboxTest, RequireFindsLuaModulesOnlyNeverNativeOrBinaryOnes) {
    // A native module where package.cpath says: Lua's own searcher would hand it to dlopen.
    WriteFile("resources/scripts/native.so", "\x7f" "ELF not really");
    WriteFile("resources/scripts/Shared.lua", "return {answer = 42}\n");
    EXPECT_EQ(Run("Modules", R"(
        package.cpath = ROOT .. "/resources/scripts/?.so"
        local ok, message = pcall(require, "native")
        print(ok, message:find("native module '" .. ROOT .. "/resources/scripts/native.so' refused", 1, true) ~= nil)
        print(require("Shared").answer)
        local binary = string.dump(function() return 1 end)
        print(load(binary))
        print(load("return 7", "text", "b")()))"),
              "false\ttrue\n42\nnil\tattempt to load a binary chunk (mode is 't')\n7\n");
    EXPECT_EQ(Refusals("Modules", "require of the native module \"" + m_root + "/resources/scripts/native.so\" refused"), 1);
    EXPECT_EQ(Refusals("Modules", "load of a binary chunk refused"), 1);

    // A module path that leads out of the resource folders finds nothing there.
    EXPECT_EQ(Run("Escape", R"(
        package.path = ROOT .. "/?.txt"
        local ok, message = pcall(require, "secret")
        print(ok, message:find("refused", 1, true) ~= nil))"),
              "false\ttrue\n");
    EXPECT_EQ(Refusals("Escape", "require of \"" + m_root + "/secret.txt\" refused"), 1);
}

TEST_F(ScriptSandboxTest, ReadingOutsideTheResourceFoldersIsRefused) {
    fs::create_directories(m_root + "/resources/textures");
    fs::create_symlink(m_root + "/secret.txt", m_root + "/resources/textures/link.png");
    const std::string printed = Run("Reader", R"(
        print(io.open("/etc/passwd"))
        print(io.open(ROOT .. "/resources/../secret.txt", "rb"))
        print(io.open(ROOT .. "/resources/textures/link.png"))
        print(pcall(io.lines, "/etc/passwd"))
        print(loadfile("/etc/passwd"))
        print(pcall(dofile, ROOT .. "/secret.txt"))
        print(pcall(dofile)))");
    EXPECT_EQ(printed, "nil\t/etc/passwd: access refused\t13\n"
                       "nil\t" + m_root + "/resources/../secret.txt: access refused\t13\n"
                       "nil\t" + m_root + "/resources/textures/link.png: access refused\t13\n"
                       "false\t/etc/passwd: access refused\n"
                       "nil\t/etc/passwd: access refused\t13\n"
                       "false\t" + m_root + "/secret.txt: access refused\n"
                       "false\tdofile: standard input refused in game scripts\n");
    EXPECT_EQ(Refusals("Reader", "io.open of \"/etc/passwd\" refused"), 1);
    EXPECT_EQ(Refusals("Reader", "io.open of \"" + m_root + "/resources/textures/link.png\" refused"), 1);
    EXPECT_EQ(Refusals("Reader", "dofile from standard input refused"), 1);
}

TEST_F(ScriptSandboxTest, WritingRemovingAndRenamingOutsideTheGameFolderAreRefused) {
    fs::create_directories(StateFolder());
    fs::create_symlink(m_root + "/secret.txt", StateFolder() + "state_link");
    fs::create_symlink(m_root + "/planted.txt", StateFolder() + "state_dangling");
    const std::string printed = Run("Writer", R"(
        print(io.open(ROOT .. "/outside.txt", "w"))
        print(io.open(LEVEL_STATE_FOLDER .. "../../../../outside.txt", "a"))
        print(io.open(LEVEL_STATE_FOLDER .. "state_link", "w"))
        print(io.open(LEVEL_STATE_FOLDER .. "state_dangling", "w"))
        print(io.open(ROOT .. "/resources/scripts/Game.lua", "r+"))
        print(os.remove(ROOT .. "/secret.txt"))
        print(os.rename(ROOT .. "/secret.txt", LEVEL_STATE_FOLDER .. "stolen"))
        print(pcall(io.output, ROOT .. "/outside.txt")))");
    EXPECT_EQ(printed, "nil\t" + m_root + "/outside.txt: access refused\t13\n"
                       "nil\t" + StateFolder() + "../../../../outside.txt: access refused\t13\n"
                       "nil\t" + StateFolder() + "state_link: access refused\t13\n"
                       "nil\t" + StateFolder() + "state_dangling: access refused\t13\n"
                       "nil\t" + m_root + "/resources/scripts/Game.lua: access refused\t13\n"
                       "nil\t" + m_root + "/secret.txt: access refused\t13\n"
                       "nil\t" + m_root + "/secret.txt: access refused\t13\n"
                       "false\t" + m_root + "/outside.txt: access refused\n");
    EXPECT_FALSE(fs::exists(m_root + "/outside.txt"));
    EXPECT_FALSE(fs::exists(m_root + "/planted.txt")) << "a dangling link is not followed";
    std::ifstream secret(m_root + "/secret.txt");
    std::string line;
    EXPECT_TRUE(std::getline(secret, line) && line == "secret") << "the file outside is untouched";
    EXPECT_EQ(Refusals("Writer", "os.remove of \"" + m_root + "/secret.txt\" refused"), 1);
    EXPECT_EQ(Refusals("Writer", "os.rename of \"" + m_root + "/secret.txt\" refused"), 1);
    EXPECT_EQ(Refusals("Writer", "io.open of \"" + m_root + "/outside.txt\" refused"), 1);
    // The move back out of the game folder: the second name is judged as well.
    std::ofstream(StateFolder() + "state_level9") << "x";
    EXPECT_EQ(Run("Mover", "print(os.rename(LEVEL_STATE_FOLDER .. 'state_level9', ROOT .. '/moved'))"),
              "nil\t" + m_root + "/moved: access refused\t13\n");
    EXPECT_TRUE(fs::exists(StateFolder() + "state_level9"));
}

TEST_F(ScriptSandboxTest, ResourcesAndLevelStatesStayUsable) {
    WriteFile("documents/Tovalik/resources/levels/mine.xml", "<level/>\n");
    EXPECT_EQ(Run("Player", R"(
        print(io.open(ROOT .. "/resources/scripts/Game.lua"):read("l"))
        print(io.open(ROOT .. "/documents/Tovalik/resources/levels/mine.xml", "rb"):read("a"))
        for line in io.lines(ROOT .. "/documents/Tovalik/resources/levels/mine.xml") do print(line) end
        print(loadfile(ROOT .. "/resources/scripts/Game.lua") ~= nil)
        local Game = require "Game"
        print(Game.SaveCompleted("level1", 3), Game.IsCompleted("level1"))
        local file = io.open(LEVEL_STATE_FOLDER .. "notes", "w")
        file:write("kept")
        file:close()
        print(os.rename(LEVEL_STATE_FOLDER .. "notes", LEVEL_STATE_FOLDER .. "notes2"))
        print(os.remove(LEVEL_STATE_FOLDER .. "notes2"), os.remove(LEVEL_STATE_FOLDER .. "state_level1"))
        print(Game.IsCompleted("level1"), debug.traceback("here"):sub(1, 4), type(debug.getinfo(1)))
        print(io.open(LEVEL_STATE_FOLDER .. "missing"))
        print(setmetatable({}, {__index = {seen = true}}).seen))"),
              "-- Game.lua: the helpers every game script shares (require \"Game\").\n"
              "<level/>\n\n<level/>\ntrue\ntrue\ttrue\ntrue\ntrue\ttrue\nfalse\there\ttable\n"
              "nil\t" + StateFolder() + "missing: No such file or directory\t2\n"
              "true\n");
    EXPECT_TRUE(LoggedStarting("Script ").empty()) << "nothing allowed is reported";
}

TEST_F(ScriptSandboxTest, FinalizersAreRefusedBecauseTheyCannotBeStopped) {
    EXPECT_EQ(Run("Finalizer", "print(pcall(setmetatable, {}, {__gc = function() while true do end end}))"),
              "false\tsetmetatable: a __gc finalizer is refused in game scripts\n");
    EXPECT_EQ(Refusals("Finalizer", "setmetatable with __gc refused"), 1);
}

TEST_F(ScriptSandboxTest, AScriptThatAllocatesWithoutEndIsStoppedAndTheStateStaysUsable) {
    limits.SetMemoryLimit(size_t{48} << 20);
    const std::string path = Script("Hog", R"(
        local t = {}
        for i = 1, 10 do
            -- Its own pcall does not keep it going: the call is stopped as a whole.
            pcall(function() local i = 0 while true do i = i + 1 t[i] = string.rep("x", 1000) .. i end end)
            print("kept going")
        end)");
    Script("Modest", R"(local t = {} for i = 1, 1000 do t[i] = string.rep("y", 100) .. i end
                        print(#t, collectgarbage("count") < 8 * 1024))");
    EXPECT_EQ(Procedure("Hog"), "");
    EXPECT_EQ(LoggedStarting("Lua call Hog stopped: script " + path + " went past the memory limit of 48 MiB").size(), 1u);
    EXPECT_EQ(LoggedStarting("Lua call Hog").size(), 1u) << "one line for the stop";
    EXPECT_EQ(Procedure("Modest"), "1000\ttrue\n") << "a later call works, in memory the stopped one freed";
    EXPECT_EQ(Procedure("Hog"), "") << "stopped again, the next time";
    EXPECT_EQ(Procedure("Modest"), "1000\ttrue\n");
}

TEST_F(ScriptSandboxTest, AnEndlessLoopIsStoppedWhateverItTriesAndTheNextFrameRuns) {
    limits.SetInstructionLimit(2'000'000);
    const std::string spin = Script("Spin", "while true do end");
    const std::string caught = Script("Caught", "while true do pcall(function() while true do end end) end");
    const std::string unhooked = Script("Unhooked", "debug.sethook() while true do end");
    const std::string coroutine = Script("InCoroutine", "coroutine.wrap(function() while true do end end)()");
    for (const auto& [name, path] : {std::pair{"Spin", spin}, {"Caught", caught}, {"Unhooked", unhooked}, {"InCoroutine", coroutine}}) {
        EXPECT_EQ(ScriptingSystem::Instance().CallScriptProcedure(name), LUA_ERRRUN) << name;
        EXPECT_EQ(LoggedStarting(std::string("Lua call ") + name + " stopped: script " + path + " ran past 2000000 instructions").size(), 1u) << name;
    }
    EXPECT_LE(limits.PeakInstructions(), 2'000'000u + ScriptLimits::kHookStep);

    // Through the game's own protocol: a script's Update loops at its second frame only.
    fs::create_directories(ScriptFolder());
    std::ofstream(ScriptFolder() + "Looper.lua") << "Looper = {}\nfunction Looper:Update(dt)\n"
                                                    "  self.frames = (self.frames or 0) + 1\n"
                                                    "  if self.frames == 2 then while true do end end\n"
                                                    "  print('frame', self.frames)\nend\n";
    WriteArchetypeAt("looper", "thing", 0, 0, 0, 1, ScriptXml("Looper"));
    ASSERT_NE(Create("looper", "looper1"), nullptr);
    EXPECT_EQ(Frame(), "frame\t1\n");
    EXPECT_EQ(Frame(), "");
    EXPECT_EQ(LoggedStarting("Lua call UpdateScriptComponent stopped: script " + ScriptFolder() + "Looper.lua ran past").size(), 1u);
    EXPECT_EQ(Frame(), "frame\t3\n") << "the next frame runs";
}

} // namespace
} // namespace zumek::test
