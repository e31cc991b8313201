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
        StartHere();
    }

    std::string ScriptFolder() { return m_root + "/documents/Tovalik/resources/scripts/"; }

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

TEST_F(ScriptSandboxTest, EveryRefusedCallFailsWithOneLogLineAndTouchesNothing) {
    // Links out of the game's folders: a texture to the file outside, level states to it and to a
    // file that is not there yet.
    fs::create_directories(m_root + "/resources/textures");
    fs::create_symlink(m_root + "/secret.txt", m_root + "/resources/textures/link.png");
    fs::create_directories(StateFolder());
    fs::create_symlink(m_root + "/secret.txt", StateFolder() + "state_link");
    fs::create_symlink(m_root + "/planted.txt", StateFolder() + "state_dangling");
    std::ofstream(StateFolder() + "state_level9") << "x";
    const std::string root = m_root, states = StateFolder();
    const char* const kPrograms = " refused in game scripts (scripts may not run programs)";
    const char* const kBelow = " refused in game scripts (scripts write files only below the game's folder)";
    struct Call {
        std::string lua, printed;
        std::string logged; ///< the log line's text after "Script <file>: "
    };
    auto of = [](const char* call, const std::string& path) { return std::string(call) + " of \"" + path + "\" refused"; };
    /// A call on `path` that answers nil, the reason and EACCES.
    auto denied = [&](std::string lua, const char* call, const std::string& path) {
        return Call{std::move(lua), "nil\t" + path + ": access refused\t13", of(call, path)};
    };
    const Call calls[] = {
        // Programs, the game's end, native code, the debug hooks, temporary files, finalizers.
        {R"(os.execute("touch " .. ROOT .. "/ran"))", std::string("nil\tos.execute:") + kPrograms, "os.execute refused"},
        {R"(io.popen("touch " .. ROOT .. "/ran"))", std::string("nil\tio.popen:") + kPrograms, "io.popen refused"},
        {"os.exit(3)", "nil\tos.exit: refused in game scripts (scripts may not end the game)", "os.exit refused"},
        {R"(package.loadlib("libc.so.6", "puts"))",
         "nil\tpackage.loadlib: refused in game scripts (scripts may not load native code)", "package.loadlib refused"},
        {"debug.sethook()", "nil\tdebug.sethook: refused in game scripts (scripts use only debug.traceback and debug.getinfo)",
         "debug.sethook refused"},
        {"io.tmpfile()", std::string("nil\tio.tmpfile:") + kBelow, "io.tmpfile refused"},
        {"os.tmpname()", std::string("nil\tos.tmpname:") + kBelow, "os.tmpname refused"},
        {"pcall(setmetatable, {}, {__gc = function() while true do end end})",
         "false\tsetmetatable: a __gc finalizer is refused in game scripts", "setmetatable with __gc refused"},
        // Reading outside the resource folders, also by "..", a link or standard input.
        denied(R"(io.open("/etc/passwd"))", "io.open", "/etc/passwd"),
        denied(R"(io.open(ROOT .. "/resources/../secret.txt", "rb"))", "io.open", root + "/resources/../secret.txt"),
        denied(R"(io.open(ROOT .. "/resources/textures/link.png"))", "io.open", root + "/resources/textures/link.png"),
        {R"(pcall(io.lines, "/etc/passwd"))", "false\t/etc/passwd: access refused", of("io.lines or io.input", "/etc/passwd")},
        denied(R"(loadfile("/etc/passwd"))", "loadfile", "/etc/passwd"),
        {R"(pcall(dofile, ROOT .. "/secret.txt"))", "false\t" + root + "/secret.txt: access refused",
         of("dofile", root + "/secret.txt")},
        {"pcall(dofile)", "false\tdofile: standard input refused in game scripts", "dofile from standard input refused"},
        // Writing, removing and renaming outside the game folder, also through a link, even one
        // that leads nowhere yet; a move out of the folder is judged by its second name.
        denied(R"(io.open(ROOT .. "/outside.txt", "w"))", "io.open", root + "/outside.txt"),
        denied(R"(io.open(LEVEL_STATE_FOLDER .. "../../../../outside.txt", "a"))", "io.open", states + "../../../../outside.txt"),
        denied(R"(io.open(LEVEL_STATE_FOLDER .. "state_link", "w"))", "io.open", states + "state_link"),
        denied(R"(io.open(LEVEL_STATE_FOLDER .. "state_dangling", "w"))", "io.open", states + "state_dangling"),
        denied(R"(io.open(ROOT .. "/resources/scripts/Game.lua", "r+"))", "io.open", root + "/resources/scripts/Game.lua"),
        denied(R"(os.remove(ROOT .. "/secret.txt"))", "os.remove", root + "/secret.txt"),
        denied(R"(os.rename(ROOT .. "/secret.txt", LEVEL_STATE_FOLDER .. "stolen"))", "os.rename", root + "/secret.txt"),
        {R"(pcall(io.output, ROOT .. "/outside.txt"))", "false\t" + root + "/outside.txt: access refused",
         of("io.output", root + "/outside.txt")},
        denied(R"(os.rename(LEVEL_STATE_FOLDER .. "state_level9", ROOT .. "/moved"))", "os.rename", root + "/moved"),
    };
    for (size_t i = 0; i < std::size(calls); ++i) {
        const Call& call = calls[i];
        SCOPED_TRACE(call.lua);
        const std::string name = "Call" + std::to_string(i);
        EXPECT_EQ(Run(name, "print(" + call.lua + ")"), call.printed + "\n");
        EXPECT_EQ(Refusals(name, ""), 1) << "one log line for the call";
        EXPECT_EQ(Refusals(name, call.logged), 1);
    }
    EXPECT_FALSE(fs::exists(m_root + "/ran"));
    EXPECT_FALSE(fs::exists(m_root + "/outside.txt"));
    EXPECT_FALSE(fs::exists(m_root + "/moved"));
    EXPECT_FALSE(fs::exists(m_root + "/planted.txt")) << "a dangling link is not followed";
    EXPECT_TRUE(fs::exists(StateFolder() + "state_level9"));
    std::ifstream secret(m_root + "/secret.txt");
    std::string line;
    EXPECT_TRUE(std::getline(secret, line) && line == "secret") << "the file outside is untouched";
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

TEST_F(ScriptSandboxTest, AnEndlessLoopIsStoppedWhateverItTriesAndTheNextCallRuns) {
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

    // The state is not left stopped: the next call runs. (A frame call stopped in the game's
    // protocol, with the frames going on: tests/scenes/faults.sh.)
    EXPECT_EQ(Run("After", "print('runs')"), "runs\n");
}

} // namespace
} // namespace zumek::test
