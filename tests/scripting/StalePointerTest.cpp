// Pointers scripts keep after their object is gone, pointers of the wrong class and arguments of
// the wrong kind: every library function does nothing (or returns nil) with one log line, and the
// game carries on.
#include "graphics/Sprite.h"
#include "physics/Body.h"
#include "tests/scripting/ScriptFixture.h"

using namespace zumek;

namespace {

class StalePointerTest : public test::ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        WriteArchetypeAt("kept", "kept", 0, 0, 0, 1,
                         test::ScriptXml("Keeper") + R"(<component type="sprite"><model>cube</model></component>)" + test::kSphereBodyXml);
        WriteLevel("stale", R"(<archetype key="kept" id="kept"/>)");
        StartCases("CallEverything");
        PlaceManager::Instance().Push("stale");
        Frame(); // the Keeper's Init takes its pointers
    }
};

TEST_F(StalePointerTest, PointersKeptAfterTheObjectIsDestroyedAreRefused) {
    EXPECT_EQ(Lua("Keeper.UseKept()"), "kept ud false\n0 0 0\n100\nstill running\n");
    Lua("ObjectManager.DestroyObject('kept')");
    ObjectManager::Instance().DestroyDeadObjects();
    testing::internal::CaptureStderr();
    EXPECT_EQ(Lua("Keeper.UseKept()"), "nil nil false\n\n\nstill running\n");
    std::string errors = testing::internal::GetCapturedStderr();
    for (const char* text : {"Object.GetId: argument #1 is a stale pointer", "Object.GetTransformComponent: argument #1 is a stale pointer",
                             "Object.IsAtGoal: argument #1 is a stale pointer", "Transform.GetPosition: argument #1 is a stale pointer",
                             "Transform.SetPosition: argument #1 is a stale pointer", "Body.AddForce: argument #1 is a stale pointer",
                             "Body.GetMass: argument #1 is a stale pointer", "Sprite.SetColor: argument #1 is a stale pointer"})
        EXPECT_EQ(LoggedStarting(text).size(), 1u) << text;
    // Standard error names where the script made the call.
    EXPECT_NE(errors.find("Keeper.lua:12:"), std::string::npos) << errors;
    // The same misuse again, from the same place, is not written again.
    size_t written = ScriptProblems::Instance().Written();
    Lua("Keeper.UseKept()");
    EXPECT_EQ(ScriptProblems::Instance().Written(), written);
}

TEST_F(StalePointerTest, AComponentOfAnotherClassIsNeverCast) {
    Object* kept = ObjectManager::Instance().GetObject("kept");
    glm::vec3 colour = kept->GetComponent<Sprite>()->GetColor();
    Lua("local o = ObjectManager.GetObject('kept')\n"
        "Sprite.SetColor(Object.GetBodyComponent(o), 0, 0, 0)\n"
        "Light.SetColor(Object.GetSpriteComponent(o), 0, 0, 0)\n"
        "Body.SetVelocity(o, 5, 5, 5)\n"
        "Object.GetId(Object.GetTransformComponent(o))");
    EXPECT_EQ(kept->GetComponent<Sprite>()->GetColor(), colour);
    EXPECT_EQ(kept->GetComponent<Body>()->GetVelocity(), glm::vec3(0.0f));
    EXPECT_EQ(LoggedStarting("Sprite.SetColor: argument #1 is a Body, not a SpriteBase").size(), 1u);
    EXPECT_EQ(LoggedStarting("Light.SetColor: argument #1 is a Sprite, not a Light").size(), 1u);
    EXPECT_EQ(LoggedStarting("Body.SetVelocity: argument #1 is an Object, not a Body").size(), 1u);
    EXPECT_EQ(LoggedStarting("Object.GetId: argument #1 is a Transform, not an Object").size(), 1u);
}

TEST_F(StalePointerTest, EveryLibraryFunctionSurvivesStaleWrongAndMissingArguments) {
    Lua("staleObject = ObjectManager.GetObject('kept')\n"
        "staleBody = Object.GetBodyComponent(staleObject)\n"
        "liveBody = nil");
    ObjectManager::Instance().DestroyPlaceObjects("stale");
    Create("kept", "other");
    Lua("liveBody = Object.GetBodyComponent(ObjectManager.GetObject('other'))");
    // 128 functions in the 19 libraries (Scripting.Log and Warn and the four Input.Arrow queries
    // included); none raises a Lua error whatever it is given.
    EXPECT_EQ(Lua("CallEverything()"), "128 0\n");
    EXPECT_EQ(Lua("CallEverything(staleObject, 1, 2, 3, 4, 5, 6)"), "128 0\n");
    EXPECT_EQ(Lua("CallEverything(staleBody, 'x', {}, true)"), "128 0\n");
    EXPECT_EQ(Lua("CallEverything(liveBody, -1, 1e300, 0/0)"), "128 0\n");
    EXPECT_EQ(Lua("CallEverything(Vec.Build(1, 2, 3), Vec.Build(0, 0, 0), 2)"), "128 0\n");
    EXPECT_EQ(Lua("print('still running')"), "still running\n");
}

} // namespace
