// Reloading a script class while the game runs: existing instances take the new code, a broken
// file keeps the old class, and files that are no class are not run again.
#include "scripting/ScriptClassProvider.h"
#include "tests/scripting/ScriptFixture.h"

using namespace zumek;

namespace {

class ScriptClassReloadTest : public test::ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        Start();
        WriteFile("resources/scripts/Counter.lua", R"(Counter = {}
Counter.version = 1
function Counter:Say() print("v1 " .. self.id) end
)");
        LoadClass("Counter");
        Lua(R"(instance = setmetatable({id = "a"}, {__index = Counter}))");
    }
    bool Reload(const std::string& key, bool& reloaded) {
        testing::internal::CaptureStdout();
        bool ok = ScriptClassProvider::Instance().Reload(key, reloaded);
        ran = testing::internal::GetCapturedStdout();
        return ok;
    }
    std::string ran;
};

TEST_F(ScriptClassReloadTest, ExistingInstancesTakeTheNewCode) {
    WriteFile("resources/scripts/Counter.lua", R"(Counter = {}
Counter.extra = 2
function Counter:Say() print("v2 " .. self.id) end
)");
    bool reloaded = false;
    ASSERT_TRUE(Reload("Counter", reloaded));
    EXPECT_TRUE(reloaded);
    EXPECT_EQ(Lua("instance:Say()"), "v2 a\n");
    EXPECT_EQ(Lua("print(Counter.version, Counter.extra)"), "nil\t2\n") << "the class is the new file's, whole";
    EXPECT_EQ(Lua("print(getmetatable(instance).__index == Counter)"), "true\n") << "one class table, old and new instances";
}

TEST_F(ScriptClassReloadTest, ABrokenFileKeepsTheOldClass) {
    WriteFile("resources/scripts/Counter.lua", "Counter = {}\nfunction Counter:Say( print('x') end\n");
    bool reloaded = true;
    EXPECT_FALSE(Reload("Counter", reloaded));
    EXPECT_FALSE(reloaded);
    EXPECT_EQ(Lua("instance:Say()"), "v1 a\n");
    WriteFile("resources/scripts/Counter.lua", "Counter = {Say = function() end}\nerror('fails half way')\n");
    EXPECT_FALSE(Reload("Counter", reloaded));
    EXPECT_EQ(Lua("instance:Say()"), "v1 a\n") << "a file that fails after setting its global keeps the old class";
}

TEST_F(ScriptClassReloadTest, FilesThatAreNoLoadedClassAreNotRunAgain) {
    WriteFile("resources/scripts/Helper.lua", "print('helper ran')\nlocal M = {}\nreturn M\n");
    EXPECT_EQ(LoadClass("Helper"), "helper ran\n");
    bool reloaded = true;
    EXPECT_TRUE(Reload("Helper", reloaded));
    EXPECT_FALSE(reloaded);
    EXPECT_EQ(ran, "") << "a module's state must not be reset";
    EXPECT_TRUE(Reload("NeverLoaded", reloaded));
    EXPECT_FALSE(reloaded);
}

} // namespace
