// The Object, ObjectManager and Transform libraries: lookups, components by class, creation from a
// script, placement, the goal test and respawning.
#include "tests/scripting/ScriptFixture.h"

using namespace zumek;

namespace {

class ObjectLibraryTest : public test::ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        WriteArchetypeAt("thing", "thing", 1, 2, 3, 0.5f, test::ScriptXml("ObjectCases"));
        WriteArchetypeAt("goal", "goal", 0, 0, 10);
        WriteArchetypeAt("full", "rich", 0, 0, 0, 1,
                         test::ScriptXml("ObjectCases") + R"(<component type="camera"/><component type="light"/>
                             <component type="sprite"><model>cube</model></component><component type="pickinglistener"/>
                             <component type="particles"><maxparticles>4</maxparticles></component>)" +
                             test::kSphereBodyXml);
        WriteLevel("objects", R"(<archetype key="player"/><archetype key="thing" id="first"/>
                                 <archetype key="full" id="full"/>)");
        Start();
        LoadClass("Show");
        LoadClass("ObjectCases");
        PlaceManager::Instance().Push("objects");
    }
};

TEST_F(ObjectLibraryTest, ComponentsAreFoundByClassOrAreNil) {
    EXPECT_EQ(Lua("ObjectCases.Components('full')"), "full rich\n"
                                                      "true true true true false true true true true\n"
                                                      "true\n");
    EXPECT_EQ(Lua("ObjectCases.Components('first')"), "first thing\n"
                                                       "true true false false false false false false false\n"
                                                       "true\n");
}

TEST_F(ObjectLibraryTest, LookupsByIdTagAndPlayer) {
    EXPECT_EQ(Lua("ObjectCases.Lookups()"), "nil true\nplayer1\nfirst nil\n");
}

TEST_F(ObjectLibraryTest, ScriptCreatesAnObjectAtOnceAndDestroysItAtTheNextFrame) {
    EXPECT_EQ(Lua("createdId = ObjectCases.CreateAndDestroy()"), "thing1 thing\nnil\ntrue\n");
    ObjectManager::Instance().DestroyDeadObjects();
    EXPECT_EQ(ObjectManager::Instance().GetObject("thing1"), nullptr);
    EXPECT_EQ(Lua("Show(ObjectManager.GetObject(createdId))"), "nil\n");
}

TEST_F(ObjectLibraryTest, TransformReadsAndWritesThePlacement) {
    EXPECT_EQ(Lua("ObjectCases.Placement('first')"), "1 2 3\n"
                                                      "0.5 0.5 0.5\n"
                                                      "0 0 0\n"
                                                      "0 1 0\n"
                                                      "4 5 6\n"
                                                      "2 2 2\n"
                                                      "0 0 1.571\n"
                                                      "-1 0 0\n"
                                                      "7 0 0\n");
}

TEST_F(ObjectLibraryTest, AtGoalWithinReachOfTheGoalOrGoal1AndFalseWithoutEither) {
    EXPECT_EQ(Lua("ObjectCases.Goal('first')"), "false\n");
    Create("goal", "goal1");
    EXPECT_EQ(Lua("ObjectCases.Goal('first')"), "false\n");
    Lua("Transform.SetPosition(Object.GetTransformComponent(ObjectManager.GetObject('first')), 0, 1, 10)");
    EXPECT_EQ(Lua("ObjectCases.Goal('first')"), "true\n");
    ObjectManager::Instance().DestroyPlaceObjects("objects");
    PlaceManager::Instance().Push("objects");
    Create("goal", "elsewhere");
    Lua("Transform.SetPosition(Object.GetTransformComponent(ObjectManager.GetObject('first')), 0.5, 0, 9)");
    EXPECT_EQ(Lua("ObjectCases.Goal('first')"), "true\n");
}

TEST_F(ObjectLibraryTest, RespawnResetsEveryComponent) {
    EXPECT_EQ(Lua("ObjectCases.Respawn()"), "0 1 0\n0 0 0\n");
}

} // namespace
