// The Body and Physics libraries: velocities, mass, force and the script-owned fields of a body,
// and the ray test against tagged bodies.
#include "physics/Body.h"
#include "tests/scripting/ScriptFixture.h"

using namespace zumek;

namespace {

class BodyLibraryTest : public test::ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        // Spheres of radius 1 (scale 1) along the x axis; the one at x = 4 has no body.
        WriteArchetypeAt("ball", "target", 0, 0, 0, 1, test::kSphereBodyXml);
        WriteArchetypeAt("ghost", "target", 0, 0, 0, 1);
        WriteLevel("bodies", R"(<archetype key="ball" id="near"><component type="transform"><translate x="2" y="0" z="0"/>
                                    <rotation x="0" y="0" z="0"/><scale x="1" y="1" z="1"/></component></archetype>
                                <archetype key="ghost" id="nobody"><component type="transform"><translate x="-4" y="0" z="0"/>
                                    <rotation x="0" y="0" z="0"/><scale x="1" y="1" z="1"/></component></archetype>
                                <archetype key="ball" id="far"><component type="transform"><translate x="8" y="0" z="0"/>
                                    <rotation x="0" y="0" z="0"/><scale x="1" y="1" z="1"/></component></archetype>)");
        StartCases("BodyCases");
        PlaceManager::Instance().Push("bodies");
    }
    Body& BodyOf(const std::string& id) { return *ObjectManager::Instance().GetObject(id)->GetComponent<Body>(); }
};

TEST_F(BodyLibraryTest, ForceVelocityDampingGravityScaleAndMassReachTheBody) {
    // Waking, deep contacts and values out of range are the Body tests'.
    Lua("BodyCases.Force('near', 1, 2, 3)");
    EXPECT_EQ(BodyOf("near").GetForce(), glm::vec3(1, 2, 3));
    EXPECT_EQ(Lua("BodyCases.Motion('near')"), "0 0 0\n2 3 4\n0.5 2\n0 0 0\n0 number\n");
    EXPECT_EQ(BodyOf("near").GetVelocity(), glm::vec3(2, 3, 4));
    // Only a mass of zero changes the body: it becomes static.
    EXPECT_EQ(Lua("BodyCases.Mass('near')"), "true true\n0\n");
    EXPECT_TRUE(BodyOf("near").IsStatic());
}

TEST_F(BodyLibraryTest, RaycastHitsTheFirstTaggedBodyInCreationOrderInEitherDirection) {
    // From the origin towards +x: "near" (x = 2) is met first, at x = 1.
    EXPECT_EQ(Lua("BodyCases.Ray(0, 0, 0, 10, 0, 0, 'target')"), "near 1 0 0 -1 0 0\n");
    // Aimed away from "near": the line still counts behind the origin, and "near" comes first in
    // creation order though "far" lies ahead; the hit point is on its surface nearest the origin.
    EXPECT_EQ(Lua("BodyCases.Ray(5, 0, 0, 6, 0, 0, 'target')"), "near 3 0 0 1 0 0\n");
    // From inside a sphere the ray leaves it ahead.
    EXPECT_EQ(Lua("BodyCases.Ray(2.5, 0, 0, 3, 0, 0, 'target')"), "near 3 0 0 1 0 0\n");
    // A ray passing above everything, an unknown tag, a body-less object, and no direction at all.
    EXPECT_EQ(Lua("BodyCases.Ray(0, 3, 0, 10, 3, 0, 'target')"), "none 0 0 0 0 0 0\n");
    EXPECT_EQ(Lua("BodyCases.Ray(0, 0, 0, 10, 0, 0, 'nothing')"), "none 0 0 0 0 0 0\n");
    EXPECT_EQ(Lua("BodyCases.Ray(-10, 0, 0, -9, 0, 0, 'target')"), "near 1 0 0 -1 0 0\n");
    EXPECT_EQ(Lua("BodyCases.Ray(1, 1, 1, 1, 1, 1, 'target')"), "none 0 0 0 0 0 0\n");
    EXPECT_EQ(Lua("print(select('#', Physics.Raycast()))"), "7\n");
}

} // namespace
