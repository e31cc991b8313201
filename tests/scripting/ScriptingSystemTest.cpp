// The scripting system's protocol: the start sequence, the per-frame calls and their arguments
// over whole frames of the loop, attach calls nested in a script's own object creation,
// collisions, calls by format, errors that leave the game running, and the refusal after shutdown.
#include "scripting/ScriptingSystem.h"

#include "engine/MainEngine.h"
#include "objects/ObjectWorld.h"
#include "objects/Transform.h"
#include "platform/Assert.h"
#include "platform/Clock.h"
#include "tests/scripting/ScriptFixture.h"

using namespace zumek;

namespace {

class ScriptingSystemTest : public test::ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        WriteArchetypeAt("plain", "thing", 0, 0, 0);
        WriteArchetypeAt("counter", "thing", 1, 0, 0, 1, test::ScriptXml("Counter"));
        WriteArchetypeAt("spawner", "thing", 2, 0, 0, 1, test::ScriptXml("Spawner"));
        WriteArchetypeAt("child", "thing", 3, 0, 0, 1, test::ScriptXml("Child"));
        WriteLevel("proto", R"(<archetype key="plain" id="plain"/><archetype key="counter" id="a"/>
                               <archetype key="counter" id="b"/><archetype key="spawner" id="spawner"/>)");
    }
    ScriptingSystem& scripting = ScriptingSystem::Instance();
};

TEST_F(ScriptingSystemTest, StartAndTheFrameLoopDriveTheProtocolInOrderWithItsArguments) {
    EXPECT_EQ(Start("protocol"), "Config ran\n"
                                 "main ran Config true V3 false\n"
                                 "InitializeScriptingSystem V3 true Math true\n"
                                 "Init\n");
    EXPECT_TRUE(ScriptClassProvider::Instance().IsLoaded("Math"));
    Clock::UseManual(0);
    MainEngine engine("proto");
    ObjectWorld world;
    engine.SetWorld(&world);
    engine.SetFrameSystems({&scripting});
    engine.SetFixedFrameMs(10);
    engine.SetFrameLimit(2);
    testing::internal::CaptureStdout();
    engine.Run();
    engine.Shutdown();
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, "Counter loaded\n"
                       "AttachComponentToObject a proto Counter\n"
                       "AttachComponentToObject b proto Counter\n"
                       "AttachComponentToObject spawner proto Spawner\n"
                       "AttachComponentToObject child1 proto Child\n"
                       "Spawner spawner created child1\n"
                       "InitializePendingObjects\nSendPendingEvents\nUpdateScriptComponent 0.010 proto\n"
                       "InitializePendingObjects\nSendPendingEvents\nUpdateScriptComponent 0.010 proto\n"
                       "DeleteGameObject plain proto\n"
                       "DeleteGameObject a proto\n"
                       "DeleteGameObject b proto\n"
                       "DeleteGameObject spawner proto\n"
                       "DeleteGameObject child1 proto\n"
                       "Finalize\nRestartScriptingSystem\n");
    EXPECT_TRUE(ScriptingSystem::IsLuaClosed());
}

TEST_F(ScriptingSystemTest, AScriptPushingItsOwnLevelDuringItsCreationLeavesTheFirstPushWhole) {
    WriteArchetypeAt("repusher", "thing", 4, 0, 0, 1, test::ScriptXml("Repusher"));
    WriteLevel("again", R"(<archetype key="plain"/><archetype key="repusher"/>
                           <archetype key="plain" id="last"><component type="transform">
                             <translate x="7" y="8" z="9"/><rotation x="0" y="0" z="0"/><scale x="1" y="1" z="1"/>
                           </component></archetype>)");
    Start("protocol");
    testing::internal::CaptureStdout();
    PlaceManager::Instance().Push("again");
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("Repusher repusher1 pushed again\n"), std::string::npos) << printed;
    // The inner push made plain2, repusher2 and "last"; the outer one went on with its own copy of
    // the level and made "last" again, from that entry's prototype.
    EXPECT_EQ(ObjectManager::Instance().CountObjects("again"), 5u);
    Object* last = ObjectManager::Instance().GetObject("last");
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->GetComponent<Transform>()->GetPosition(), glm::vec3(7, 8, 9));
}

TEST_F(ScriptingSystemTest, CollisionReachesEachScriptedPartyOnceWithTheVectorTurnedForTheSecond) {
    Start("protocol");
    PlaceManager::Instance().Push("proto");
    auto collide = [&](const std::string& first, const std::string& second) {
        testing::internal::CaptureStdout();
        SignalManager::Emit(CollisionSignal{first, second, "thing", "thing", 1.0f, 2.0f, -3.0f});
        return testing::internal::GetCapturedStdout();
    };
    EXPECT_EQ(collide("a", "plain"), "SendEvent proto a CollisionEvent plain 1.000 2.000 -3.000\n");
    EXPECT_EQ(collide("plain", "a"), "SendEvent proto a CollisionEvent plain -1.000 -2.000 3.000\n");
    EXPECT_EQ(collide("a", "b"), "SendEvent proto a CollisionEvent b 1.000 2.000 -3.000\n"
                                 "SendEvent proto b CollisionEvent a -1.000 -2.000 3.000\n");
    EXPECT_EQ(collide("plain", "plain"), "");
    EXPECT_EQ(collide("a", "gone"), "");
}

TEST_F(ScriptingSystemTest, ScriptSettingStopsOnlyTheFrameCalls) {
    Start("protocol");
    PlaceManager::Instance().Push("proto");
    SettingManager::GetSetting<ScriptSetting>() = ScriptSetting(1);
    EXPECT_EQ(Frame(), "");
    testing::internal::CaptureStdout();
    Create("counter", "late");
    SignalManager::Emit(CollisionSignal{"late", "plain", "thing", "thing", 1.0f, 0.0f, 0.0f});
    ObjectManager::Instance().DestroyPlaceObjects("proto");
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("AttachComponentToObject late proto Counter\n"), std::string::npos) << printed;
    EXPECT_NE(printed.find("SendEvent proto late CollisionEvent plain 1.000 0.000 0.000\n"), std::string::npos) << printed;
    EXPECT_NE(printed.find("DeleteGameObject plain proto\n"), std::string::npos) << printed;
    SettingManager::GetSetting<ScriptSetting>() = ScriptSetting(0);
    EXPECT_EQ(Frame(0.5f), "InitializePendingObjects\nSendPendingEvents\nUpdateScriptComponent 0.500 proto\n");
}

TEST_F(ScriptingSystemTest, CallByFormatPassesArgumentsAndStoresResults) {
    Start("protocol");
    double sum = 0;
    bool flag = false;
    std::string text;
    int twice = 0;
    testing::internal::CaptureStdout();
    int status = scripting.CallScriptFunction("Describe", "dfisu>dbsi", 1.5, 2.25f, 21, std::string("words"), nullptr, &sum,
                                              &flag, &text, &twice);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Describe 1.500 2.250 integer 21 words nil\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(sum, 3.75);
    EXPECT_TRUE(flag);
    EXPECT_EQ(text, "sum");
    EXPECT_EQ(twice, 42);

    int marker = 0;
    testing::internal::CaptureStdout();
    scripting.CallScriptFunction("Describe", "ddisu>", 1, 2, 3, "x", static_cast<const void*>(&marker));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Describe 1.000 2.000 integer 3 x userdata\n");

    // A result of the wrong type is reported; the converted value is stored all the same.
    double number = -1;
    int seven = 0;
    EXPECT_EQ(scripting.CallScriptFunction("WrongTypes", ">di", &number, &seven), 0);
    EXPECT_EQ(number, 0.0);
    EXPECT_EQ(seven, 7);
    EXPECT_EQ(LoggedStarting("Lua call WrongTypes: wrong result type, double").size(), 1u);
}

TEST_F(ScriptingSystemTest, FormatNotMatchingTheArgumentsIsAProgrammingError) {
    Start("protocol");
    std::vector<std::string> asserts;
    AssertHandler previous = SetAssertHandler([&](const char*, const std::string& message, const char*, int) { asserts.push_back(message); });
    testing::internal::CaptureStdout();
    EXPECT_NE(scripting.CallScriptFunction("Describe", "s>", 1.0), 0);
    EXPECT_NE(scripting.CallScriptFunction("Describe", "x>", 1.0), 0);
    EXPECT_NE(scripting.CallScriptFunction("Describe", "dd>", 1.0), 0);
    EXPECT_NE(scripting.CallScriptFunction("Describe", "d>", 1.0, 2.0), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    SetAssertHandler(previous);
    ASSERT_EQ(asserts.size(), 4u);
    EXPECT_NE(asserts[0].find("invalid option (s)"), std::string::npos) << asserts[0];
    EXPECT_NE(asserts[1].find("invalid option (x)"), std::string::npos) << asserts[1];
}

TEST_F(ScriptingSystemTest, AMissingProtocolFunctionIsNamedOnceAndTheRestOfEveryFrameRuns) {
    // (A call failing every frame, reported once with its traceback while the frames go on, and a
    // start without any protocol: tests/scenes/scripting.sh.)
    Start("protocol");
    PlaceManager::Instance().Push("proto");
    Lua("SendPendingEvents = nil");
    testing::internal::CaptureStderr();
    for (int frame = 0; frame < 5; ++frame) EXPECT_EQ(Frame(), "InitializePendingObjects\nUpdateScriptComponent 0.010 proto\n");
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(LoggedStarting("Lua call SendPendingEvents failed").size(), 1u);
    EXPECT_NE(errors.find("the global function SendPendingEvents is not defined"), std::string::npos) << errors;
    EXPECT_EQ(ScriptProblems::Instance().Repeats(), 4u) << "the repeats are counted";
}

TEST_F(ScriptingSystemTest, AFailingScriptFileIsReportedAndNeverRunAgain) {
    Start("protocol");
    testing::internal::CaptureStderr();
    EXPECT_EQ(LoadClass("Broken"), "Broken runs\n");
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("Broken.lua:4: attempt to index a nil value"), std::string::npos) << errors;
    EXPECT_NE(errors.find("stack traceback:"), std::string::npos) << errors;
    EXPECT_FALSE(ScriptClassProvider::Instance().Get("Broken")->ran);
    EXPECT_EQ(LoadClass("Broken"), "");
    // A missing file is recorded too, and the state keeps working.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(ScriptClassProvider::Instance().Get("Nowhere")->ran);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Nowhere.lua"), std::string::npos);
    EXPECT_EQ(Procedure("Init"), "Init\n");
}

TEST_F(ScriptingSystemTest, AfterShutdownEveryCallIsRefusedAndTheEngineGoesOn) {
    Start("protocol");
    PlaceManager::Instance().Push("proto");
    EXPECT_EQ(Procedure("Finalize"), "Finalize\n");
    testing::internal::CaptureStdout();
    scripting.Shutdown();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Finalize\nRestartScriptingSystem\n");
    EXPECT_EQ(scripting.GetState(), nullptr);

    testing::internal::CaptureStderr();
    EXPECT_NE(scripting.CallScriptProcedure("Init"), 0);
    EXPECT_EQ(Frame(), "");
    Create("counter", "afterwards");
    SignalManager::Emit(CollisionSignal{"a", "b", "thing", "thing", 1.0f, 0.0f, 0.0f});
    ObjectManager::Instance().DestroyAllObjects();
    EXPECT_FALSE(ScriptClassProvider::Instance().Get("Broken")->ran);
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("Lua call Init refused: the system does not exists now"), std::string::npos) << errors;
    for (const char* call : {"Init", "InitializePendingObjects", "AttachComponentToObject", "SendEvent", "DeleteGameObject"})
        EXPECT_EQ(LoggedStarting(std::string("Lua call ") + call + " refused").size(), 1u) << call;

    std::vector<std::string> asserts;
    AssertHandler previous = SetAssertHandler([&](const char* expression, const std::string&, const char*, int) { asserts.push_back(expression); });
    scripting.Shutdown();
    SetAssertHandler(previous);
    EXPECT_EQ(asserts, std::vector<std::string>{"s_luaClosed == false"});
}

} // namespace
