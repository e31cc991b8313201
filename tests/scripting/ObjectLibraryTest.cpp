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
        StartCases("ObjectCases");
        PlaceManager::Instance().Push("objects");
    }
};

TEST_F(ObjectLibraryTest, ComponentsLookupsPlacementAndRespawnAsScriptsSeeThem) {
    struct Case {
        const char* call;
        const char* printed;
    };
    const Case cases[] = {
        // Components by class, nil where the object has none; the same component twice is equal.
        {"ObjectCases.Components('full')", "full rich\ntrue true true true false true true true true\ntrue\n"},
        {"ObjectCases.Components('first')", "first thing\ntrue true false false false false false false false\ntrue\n"},
        // Lookups by id, tag and the player; nil for what is not there.
        {"ObjectCases.Lookups()", "nil true\nplayer1\nfirst nil\n"},
        // Position, scale, rotation (degrees in, radians out) and up, read and written; missing
        // numbers read as 0.
        {"ObjectCases.Placement('first')", "1 2 3\n0.5 0.5 0.5\n0 0 0\n0 1 0\n4 5 6\n2 2 2\n0 0 1.571\n-1 0 0\n7 0 0\n"},
        // Respawn puts the player back and stops its body.
        {"ObjectCases.Respawn()", "0 1 0\n0 0 0\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        EXPECT_EQ(Lua(c.call), c.printed);
    }
}

TEST_F(ObjectLibraryTest, ScriptCreatesAnObjectAtOnceAndDestroysItAtTheNextFrame) {
    EXPECT_EQ(Lua("createdId = ObjectCases.CreateAndDestroy()"), "thing1 thing\nnil\ntrue\n");
    ObjectManager::Instance().DestroyDeadObjects();
    EXPECT_EQ(ObjectManager::Instance().GetObject("thing1"), nullptr);
    EXPECT_EQ(Lua("Show(ObjectManager.GetObject(createdId))"), "nil\n");
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

} // namespace
