// The Scripting, Sound, SignalManager, SettingManager and PlaceManager libraries: each request a
// script makes reaches its channel, setting or place stack.
#include "engine/InputEvent.h"
#include "input/InputEvents.h"
#include "tests/scripting/ScriptFixture.h"

using namespace zumek;

namespace {

class EngineLibraryTest : public test::ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        StartCases("EngineCases");
    }
};

TEST_F(EngineLibraryTest, SoundRequestsBecomeSignalsInOrder) {
    test::SignalRecorder<SfxSignal> effects;
    test::SignalRecorder<MusicSignal> music;
    test::SignalRecorder<Sound3DSignal> positioned;
    test::SignalRecorder<ListenerPositionSignal> listener;
    test::SignalRecorder<SoundSignal> commands;
    Lua("EngineCases.Sound()");
    ASSERT_EQ(effects.values.size(), 1u);
    EXPECT_EQ(effects.values[0].name, "click");
    ASSERT_EQ(music.values.size(), 2u);
    EXPECT_TRUE(music.values[0].name == "theme" && music.values[0].play);
    EXPECT_TRUE(music.values[1].name == "theme" && !music.values[1].play);
    ASSERT_EQ(positioned.values.size(), 2u);
    EXPECT_TRUE(positioned.values[0].play && positioned.values[0].x == 1 && positioned.values[0].z == 3);
    EXPECT_TRUE(!positioned.values[1].play && positioned.values[1].y == 5 && positioned.values[1].name == "hum");
    ASSERT_EQ(listener.values.size(), 1u);
    EXPECT_EQ(glm::vec3(listener.values[0].x, listener.values[0].y, listener.values[0].z), glm::vec3(7, 8, 9));
    EXPECT_EQ(commands.values, (std::vector<SoundSignal>{SOUND_PAUSE_MUSIC, SOUND_RESUME_MUSIC}));
}

TEST_F(EngineLibraryTest, SignalManagerPostsTheDestroyRequestAndSettingsAreRead) {
    // (The load and level-state requests, and QuitGame, are the menus scene's: the game's own
    // scripts send them there, tests/scenes/menus.sh.)
    ObjectManager::Instance(); // receives the destroy request too
    test::SignalRecorder<ObjectDestroySignal> destroys;
    Lua("EngineCases.Signals()");
    ASSERT_EQ(destroys.values.size(), 1u);
    EXPECT_EQ(destroys.values[0].id, "crate1");
    EXPECT_TRUE(Logged("crate1 has been marked as dead."));
    EXPECT_EQ(Lua("EngineCases.Settings()"), "true false\n");
    SettingManager::GetSetting<OculusSetting>() = OculusSetting(0);
    SettingManager::GetSetting<AnimationSetting>() = AnimationSetting(1);
    EXPECT_EQ(Lua("EngineCases.Settings()"), "false true\n");
}

TEST_F(EngineLibraryTest, ScriptingOutputsNothingAndRequestsPicking) {
    InputEvents::Instance().Clear();
    EXPECT_EQ(Lua("EngineCases.Scripting()"), "");
    EXPECT_TRUE(InputEvents::Instance().Test(input_event::QUERY_PICKING));
    EXPECT_EQ(InputEvents::Instance().clickPosition, glm::vec4(100, 50, 0, 0));
}

TEST_F(EngineLibraryTest, PlaceManagerPushesAtOncePopsAndSetsAtThePlaceUpdate) {
    WriteArchetypeAt("thing", "thing", 0, 0, 0);
    WriteLevel("first", R"(<archetype key="thing" id="one"/>)");
    WriteLevel("second", R"(<archetype key="thing" id="two"/>)");
    WriteLevel("third", R"(<archetype key="thing" id="three"/>)");
    PlaceManager& places = PlaceManager::Instance();
    places.Push("first");
    EXPECT_EQ(Lua("EngineCases.Places()"), "two\n");
    EXPECT_EQ(places.Places(), (std::vector<std::string>{"first", "second"}));
    places.Update();
    EXPECT_EQ(places.Places(), std::vector<std::string>{"first"});
    Lua("EngineCases.SetPlace('third')");
    EXPECT_EQ(places.CurrentPlace(), "first");
    places.Update();
    EXPECT_EQ(places.Places(), std::vector<std::string>{"third"});
    EXPECT_EQ(ObjectManager::Instance().CountObjects("first"), 0u);
}

} // namespace
