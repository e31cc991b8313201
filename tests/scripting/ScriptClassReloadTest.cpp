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

TEST_F(ScriptClassReloadTest, ExistingInstancesTakeTheNewClassWholeAndABrokenFileKeepsIt) {
    // (A running instance taking each new version, as an editor saves the file: tests/scenes/hot_reload.sh.)
    WriteFile("resources/scripts/Counter.lua", "Counter = {extra = 2}\nfunction Counter:Say() print('v2 ' .. self.id) end\n");
    bool reloaded = false;
    ASSERT_TRUE(Reload("Counter", reloaded));
    EXPECT_TRUE(reloaded);
    EXPECT_EQ(Lua("instance:Say()"), "v2 a\n");
    EXPECT_EQ(Lua("print(Counter.version, Counter.extra)"), "nil\t2\n") << "the class is the new file's, whole";

    WriteFile("resources/scripts/Counter.lua", "Counter = {}\nfunction Counter:Say( print('x') end\n");
    EXPECT_FALSE(Reload("Counter", reloaded));
    EXPECT_FALSE(reloaded);
    EXPECT_EQ(Lua("instance:Say()"), "v2 a\n");
    WriteFile("resources/scripts/Counter.lua", "Counter = {Say = function() end}\nerror('fails half way')\n");
    EXPECT_FALSE(Reload("Counter", reloaded));
    EXPECT_EQ(Lua("instance:Say()"), "v2 a\n") << "a file that fails after setting its global keeps the old class";
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
