// Colliders: every overlap test on both sides of the 0.001 tolerance, and the contacts of each
// pair of shapes, including the degenerate ones (concentric spheres, a centre inside a box,
// equal boxes face to face), which must still give a unit normal from A to B and a depth >= 0.
#include <gtest/gtest.h>

#include <cmath>

#include <glm/geometric.hpp>

#include "physics/BoxCollider.h"
#include "physics/PlaneCollider.h"
#include "physics/SphereCollider.h"
#include "tests/physics/PhysicsScene.h"

using namespace zumek;
using zumek::test::PhysicsScene;

namespace {

const SphereCollider& Sphere(const Body& body) { return static_cast<const SphereCollider&>(*body.GetCollider()); }
const PlaneCollider& Plane(const Body& body) { return static_cast<const PlaneCollider&>(*body.GetCollider()); }
const BoxCollider& Box(const Body& body) { return static_cast<const BoxCollider&>(*body.GetCollider()); }

ContactList Contacts(const Body& a, const Body& b) {
    ContactList contacts;
    a.GetCollider()->GenerateContacts(*b.GetCollider(), contacts);
    return contacts;
}

// Every contact: finite, unit normal, depth >= 0, normal from A's centre towards B's side.
void ExpectSound(const ContactList& contacts) {
    for (const Contact& c : contacts) {
        EXPECT_TRUE(std::isfinite(c.point.x) && std::isfinite(c.point.y) && std::isfinite(c.point.z));
        EXPECT_NEAR(glm::length(c.normal), 1.0f, 1e-5f);
        EXPECT_GE(c.penetration, 0.0f);
    }
}

class ColliderTest : public ::testing::Test {
protected:
    PhysicsScene s;
};

TEST_F(ColliderTest, SpheresOverlapWithinTheTolerance) {
    Body& a = s.AddSphere({0, 0, 0}, 2.0f);
    Body& touching = s.AddSphere({2, 0, 0}, 2.0f);             // |d| = rA + rB
    Body& justIn = s.AddSphere({std::sqrt(4.0009f), 0, 0}, 2.0f); // |d|² − 4 = 0.0009
    Body& justOut = s.AddSphere({std::sqrt(4.002f), 0, 0}, 2.0f);
    EXPECT_TRUE(Sphere(a).IntersectsSphere(Sphere(touching)));
    EXPECT_TRUE(Sphere(a).Intersects(Sphere(justIn)));
    EXPECT_FALSE(Sphere(a).Intersects(Sphere(justOut)));

    EXPECT_TRUE(Sphere(a).ContainsPoint({0, 1.0004f, 0}));  // 1.0008 − 1 < 0.001
    EXPECT_FALSE(Sphere(a).ContainsPoint({0, 1.0006f, 0}));
}

TEST_F(ColliderTest, SpherePlaneIsTwoSidedAndPlanesNeverMeet) {
    Body& floor = s.AddPlane({0, 1, 0});
    Body& above = s.AddSphere({0, 1.5009f, 0}, 1.0f);
    Body& high = s.AddSphere({0, 1.502f, 0}, 1.0f);
    Body& below = s.AddSphere({0, 0.5005f, 0}, 1.0f);
    EXPECT_TRUE(Sphere(above).IntersectsPlane(Plane(floor)));
    EXPECT_TRUE(Plane(floor).Intersects(Sphere(above))); // the plane asks the sphere
    EXPECT_FALSE(Sphere(high).IntersectsPlane(Plane(floor)));
    EXPECT_TRUE(Sphere(below).IntersectsPlane(Plane(floor)));

    EXPECT_TRUE(Plane(floor).ContainsPoint({5, 1.0009f, -3}));
    EXPECT_FALSE(Plane(floor).ContainsPoint({5, 1.0011f, -3}));
    EXPECT_TRUE(Plane(floor).ContainsPoint({0, -100, 0})); // behind the plane is inside

    Body& other = s.AddPlane({0, 1, 0});
    EXPECT_FALSE(Plane(floor).Intersects(Plane(other)));
}

TEST_F(ColliderTest, BoxPointAndSphereTestsAreTheSameOnBothSides) {
    Body& box = s.AddBox({0, 0, 0}, {2, 4, 6});
    for (float side : {-1.0f, 1.0f}) {
        EXPECT_TRUE(Box(box).ContainsPoint({side * 1.0009f, 0, 0})) << side;
        EXPECT_FALSE(Box(box).ContainsPoint({side * 1.0011f, 0, 0})) << side;
        EXPECT_TRUE(Box(box).ContainsPoint({0, side * 2.0009f, 0})) << side;
        EXPECT_FALSE(Box(box).ContainsPoint({0, 0, side * 3.0011f})) << side;
    }
    // The box grown by the radius, not the rounded shape: a sphere off the corner overlaps.
    Body& offCorner = s.AddSphere({1.4f, 2.4f, 0}, 1.0f);
    EXPECT_TRUE(Box(box).IntersectsSphere(Sphere(offCorner)));
    EXPECT_TRUE(Sphere(offCorner).Intersects(Box(box)));
    Body& apart = s.AddSphere({1.5011f, 0, 0}, 1.0f);
    EXPECT_FALSE(Box(box).Intersects(Sphere(apart)));
    Body& apartBelow = s.AddSphere({0, -2.5011f, 0}, 1.0f);
    EXPECT_FALSE(Box(box).Intersects(Sphere(apartBelow)));
    Body& touchingBelow = s.AddSphere({0, -2.5009f, 0}, 1.0f);
    EXPECT_TRUE(Box(box).Intersects(Sphere(touchingBelow)));
}

TEST_F(ColliderTest, BoxPlaneUsesTheProjectedRadius) {
    Body& floor = s.AddPlane();
    // A unit cube turned 45° about z reaches down √2/2.
    Body& diamond = s.AddBox({0, 0.7071f + 0.0005f, 0}, glm::vec3(1.0f), "Cube", "box", {0, 0, 45});
    Body& lifted = s.AddBox({0, 0.7071f + 0.003f, 0}, glm::vec3(1.0f), "Cube", "box", {0, 0, 45});
    Body& under = s.AddBox({0, -0.7071f, 0}, glm::vec3(1.0f), "Cube", "box", {0, 0, 45});
    EXPECT_TRUE(Box(diamond).IntersectsPlane(Plane(floor)));
    EXPECT_FALSE(Box(lifted).IntersectsPlane(Plane(floor)));
    EXPECT_TRUE(Plane(floor).Intersects(Box(under)));
}

TEST_F(ColliderTest, BoxesSeparateOnFaceAxesAndParallelEdgesGiveNoZeroAxis) {
    Body& a = s.AddBox({0, 0, 0}, glm::vec3(2.0f));
    Body& near = s.AddBox({2.0009f, 0.3f, 0.1f}, glm::vec3(2.0f));
    Body& far = s.AddBox({2.0011f, 0.3f, 0.1f}, glm::vec3(2.0f));
    EXPECT_TRUE(Box(a).IntersectsBox(Box(near)));
    EXPECT_FALSE(Box(a).IntersectsBox(Box(far)));

    // Parallel edges never give a zero axis: identical boxes stacked exactly overlap.
    Body& top = s.AddBox({0, 2, 0}, glm::vec3(2.0f));
    EXPECT_TRUE(Box(a).IntersectsBox(Box(top)));
}

TEST_F(ColliderTest, SphereContactsAlongTheLineOfCentres) {
    Body& a = s.AddSphere({0, 0, 0}, 2.0f);
    Body& b = s.AddSphere({0, 1.5f, 0}, 1.0f);
    ContactList contacts = Contacts(a, b);
    ASSERT_EQ(contacts.size(), 1u);
    EXPECT_EQ(contacts[0].bodyA, &a);
    EXPECT_EQ(contacts[0].normal, glm::vec3(0, 1, 0));
    EXPECT_EQ(contacts[0].point, glm::vec3(0, 1, 0));
    EXPECT_FLOAT_EQ(contacts[0].penetration, 0.0f);

    // Concentric: any direction would do; it must be a unit vector, never 0/0.
    Body& same = s.AddSphere({0, 0, 0}, 1.0f);
    contacts = Contacts(a, same);
    ASSERT_EQ(contacts.size(), 1u);
    ExpectSound(contacts);
    EXPECT_FLOAT_EQ(contacts[0].penetration, 1.5f);
}

TEST_F(ColliderTest, SpherePlaneContactPointsIntoThePlane) {
    Body& floor = s.AddPlane();
    Body& ball = s.AddSphere({0, 0.45f, 0}, 1.0f);
    for (const ContactList& contacts : {Contacts(ball, floor), Contacts(floor, ball)}) {
        ASSERT_EQ(contacts.size(), 1u);
        EXPECT_EQ(contacts[0].bodyA, &ball); // the plane hands the question to the sphere
        EXPECT_EQ(contacts[0].bodyB, &floor);
        EXPECT_EQ(contacts[0].normal, glm::vec3(0, -1, 0));
        EXPECT_NEAR(contacts[0].point.y, -0.05f, 1e-6f);
        EXPECT_NEAR(contacts[0].penetration, 0.05f, 1e-6f);
    }
}

TEST_F(ColliderTest, BoxPlaneContactsAtTheCornersBehindThePlane) {
    Body& floor = s.AddPlane();
    Body& flat = s.AddBox({0, 0.49f, 0}, glm::vec3(1.0f));
    ContactList contacts = Contacts(floor, flat);
    ASSERT_EQ(contacts.size(), 4u);
    for (const Contact& c : contacts) {
        EXPECT_EQ(c.bodyA, &flat);
        EXPECT_EQ(c.normal, glm::vec3(0, -1, 0));
        EXPECT_NEAR(c.penetration, 0.01f, 1e-6f);
        EXPECT_NEAR(c.point.y, -0.01f, 1e-6f);
    }
    Body& tilted = s.AddBox({0, 0.69f, 0}, glm::vec3(1.0f), "Cube", "box", {0, 0, 45});
    contacts = Contacts(tilted, floor);
    ASSERT_EQ(contacts.size(), 2u); // the lower edge: two corners
    EXPECT_NEAR(contacts[0].penetration, 0.7071f - 0.69f, 1e-4f);
}

TEST_F(ColliderTest, BoxSphereContactFromTheNearestSurfacePoint) {
    Body& box = s.AddBox({0, 0, 0}, glm::vec3(2.0f));
    Body& onTop = s.AddSphere({0.3f, 1.45f, 0}, 1.0f);
    for (const ContactList& contacts : {Contacts(box, onTop), Contacts(onTop, box)}) {
        ASSERT_EQ(contacts.size(), 1u);
        EXPECT_EQ(contacts[0].bodyA, &box); // the box is always A
        EXPECT_NEAR(contacts[0].normal.y, 1.0f, 1e-6f);
        EXPECT_NEAR(contacts[0].point.y, 1.0f, 1e-6f);
        EXPECT_NEAR(contacts[0].penetration, 0.05f, 1e-5f);
    }
    Body& offEdge = s.AddSphere({1.3f, 1.4f, 0}, 1.0f);
    ContactList contacts = Contacts(box, offEdge);
    ASSERT_EQ(contacts.size(), 1u);
    EXPECT_NEAR(contacts[0].normal.x, contacts[0].normal.y * 0.75f, 1e-5f); // from the edge (1, 1)
    ExpectSound(contacts);
}

TEST_F(ColliderTest, SphereCentreInsideABoxLeavesThroughTheNearestFace) {
    Body& box = s.AddBox({0, 0, 0}, {4, 2, 4});
    Body& inside = s.AddSphere({0.5f, 0.8f, -0.2f}, 0.5f); // 0.2 below the top face
    ContactList contacts = Contacts(box, inside);
    ASSERT_EQ(contacts.size(), 1u);
    ExpectSound(contacts);
    EXPECT_EQ(contacts[0].normal, glm::vec3(0, 1, 0));
    EXPECT_NEAR(contacts[0].penetration, 0.25f + 0.2f, 1e-5f);
    EXPECT_NEAR(contacts[0].point.y, 1.0f, 1e-6f);

    Body& centred = s.AddSphere({0, 0, 0}, 0.5f);
    contacts = Contacts(box, centred);
    ASSERT_EQ(contacts.size(), 1u);
    ExpectSound(contacts);
    EXPECT_NEAR(std::fabs(contacts[0].normal.y), 1.0f, 1e-6f); // y is the thinnest way out
}

TEST_F(ColliderTest, BoxCornerInsideGivesTheFaceNormalFromAToB) {
    Body& base = s.AddBox({0, 0, 0}, glm::vec3(2.0f));
    // A cube balanced on a corner, its lowest corner 0.05 into the top face.
    Body& point = s.AddBox({0, 1.0f + 0.8660254f - 0.05f, 0}, glm::vec3(1.0f), "Cube", "box", {45, 0, 35.26439f});
    for (bool baseFirst : {true, false}) {
        const Body& a = baseFirst ? base : point;
        const Body& b = baseFirst ? point : base;
        ContactList contacts = Contacts(a, b);
        ASSERT_GE(contacts.size(), 1u) << baseFirst;
        ExpectSound(contacts);
        const Contact& deepest = contacts[0];
        EXPECT_NEAR(deepest.normal.y, baseFirst ? 1.0f : -1.0f, 1e-5f) << baseFirst;
        EXPECT_NEAR(deepest.penetration, 0.05f, 1e-3f) << baseFirst;
        EXPECT_NEAR(deepest.point.y, 0.95f, 1e-3f) << baseFirst;
    }
}

TEST_F(ColliderTest, EqualBoxesFaceToFaceGetFaceContacts) {
    Body& lower = s.AddBox({0, 0, 0}, glm::vec3(1.0f));
    Body& upper = s.AddBox({0, 0.95f, 0}, glm::vec3(1.0f)); // 0.05 deep: no corner strictly inside
    ContactList contacts = Contacts(lower, upper);
    ASSERT_EQ(contacts.size(), 4u);
    ExpectSound(contacts);
    for (const Contact& c : contacts) {
        EXPECT_EQ(c.normal, glm::vec3(0, 1, 0));
        EXPECT_NEAR(c.penetration, 0.05f, 1e-5f);
    }
    contacts = Contacts(upper, lower);
    ASSERT_EQ(contacts.size(), 4u);
    EXPECT_EQ(contacts[0].normal, glm::vec3(0, -1, 0));
}

TEST_F(ColliderTest, CrossedEdgesSeparateOnlyOnTheirOwnAxisAndTouchingGiveOneEdgeContact) {
    // Two bars whose edges cross: every face axis overlaps, only the edge–edge axis (along y)
    // separates them.
    Body& ridge = s.AddBox({0, 0, 0}, {4, 1, 1}, "Cube", "box", {45, 0, 0});   // top edge along x
    Body& valley = s.AddBox({0, 1.4142136f + 0.02f, 0}, {1, 1, 4}, "Cube", "box", {0, 0, 45}); // bottom edge along z
    EXPECT_FALSE(Box(ridge).IntersectsBox(Box(valley)));
    valley.GetTransform()->SetPosition({0, 1.4142136f - 0.004f, 0});
    valley.CapturePose();
    EXPECT_TRUE(Box(ridge).Intersects(Box(valley)));
    ContactList contacts = Contacts(ridge, valley);
    ASSERT_EQ(contacts.size(), 1u);
    ExpectSound(contacts);
    EXPECT_NEAR(contacts[0].normal.y, 1.0f, 1e-5f);
    EXPECT_NEAR(contacts[0].point.x, 0.0f, 1e-4f);
    EXPECT_NEAR(contacts[0].point.y, 0.7071068f - 0.002f, 1e-4f);
    EXPECT_NEAR(contacts[0].penetration, 0.004f, 2e-4f);
}

} // namespace
