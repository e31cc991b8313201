// The body reader: names to values, fallbacks with their messages, and the mass that follows.
#include "physics/BodySerializer.h"

#include "physics/BoxCollider.h"
#include "physics/SphereCollider.h"
#include "tests/content/ContentFixture.h"

using namespace zumek;

namespace {

class BodySerializerTest : public test::ContentFixture {};

TEST_F(BodySerializerTest, ReadsSettingsAndDerivesMass) {
    auto body = ReadComponent<Body>(R"(<component type="body"><isStatic>false</isStatic><collider>Box</collider>
        <material>Domino</material><extents x="0.2" y="1" z="0.5"/></component>)");
    ASSERT_TRUE(body);
    EXPECT_FALSE(body->IsStatic());
    EXPECT_EQ(body->GetShape(), Body::kShapeBox);
    EXPECT_EQ(body->GetMaterial().id, 4);
    EXPECT_FLOAT_EQ(body->GetInverseMass(), 2.0f); // 1 / (0.1 * 5)
    auto* box = dynamic_cast<BoxCollider*>(body->GetCollider());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->HalfExtents(), glm::vec3(0.1f, 0.5f, 0.25f));
    EXPECT_FALSE(box->IsGhost());
    EXPECT_TRUE(Errors().empty());
}

TEST_F(BodySerializerTest, NamesAreExactAndUnknownOnesGiveAPlaneOfWallWithAMessageEach) {
    testing::internal::CaptureStderr();
    auto body = ReadComponent<Body>(R"(<component type="body"><isStatic>1</isStatic><collider>sphere</collider>
        <material>Rubber</material><extents x="1" y="1" z="1"/></component>)");
    const std::string errors = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(body);
    EXPECT_TRUE(body->IsStatic());
    EXPECT_EQ(body->GetShape(), Body::kShapePlane);
    EXPECT_EQ(body->GetCollider()->GetType(), Body::kShapePlane);
    EXPECT_EQ(body->GetMaterial().id, kFallbackMaterial);
    EXPECT_EQ(Errors(), (std::vector<std::string>{"Error reading property collider", "Error reading property material"}));
    EXPECT_NE(errors.find("test.xml"), std::string::npos) << errors;
    EXPECT_NE(errors.find("'sphere' is not Sphere, Plane, Box or Ghost; using Plane"), std::string::npos) << errors;
    EXPECT_NE(errors.find("'Rubber' is not one of Ground, Wall, Ball"), std::string::npos) << errors;

    // The names meaning a plane and the wall material are no mistake.
    auto plane = ReadComponent<Body>(R"(<component type="body"><isStatic>1</isStatic><collider>Plane</collider>
        <material>Wall</material><extents x="1" y="1" z="1"/></component>)");
    ASSERT_TRUE(plane);
    EXPECT_EQ(Errors().size(), 2u);
}

TEST_F(BodySerializerTest, EmptyBodyFallsBackWithEveryMessage) {
    auto body = ReadComponent<Body>(R"(<component type="body"/>)");
    ASSERT_TRUE(body);
    EXPECT_TRUE(body->IsStatic());
    EXPECT_EQ(body->GetShape(), Body::kShapeBox);
    EXPECT_EQ(body->GetMaterial().id, 0);
    EXPECT_EQ(body->GetExtents(), glm::vec3(0, 0, 1));
    EXPECT_EQ(Errors(), (std::vector<std::string>{"Error reading property isStatic", "Error reading property collider",
                                                  "Error reading property material", "Error reading Extents"}));
}

TEST_F(BodySerializerTest, MissingExtentComponentIsOneAndAVolumelessBodyIsImmovable) {
    auto sphere = ReadComponent<Body>(R"(<component type="body"><isStatic>false</isStatic><collider>Sphere</collider>
        <material>Ball</material><extents x="0.5" z="0.5"/></component>)");
    ASSERT_TRUE(sphere);
    EXPECT_EQ(sphere->GetExtents(), glm::vec3(0.5f, 1.0f, 0.5f));
    EXPECT_FLOAT_EQ(static_cast<SphereCollider*>(sphere->GetCollider())->Radius(), 0.25f);
    EXPECT_EQ(Errors(), std::vector<std::string>{"Error reading Extents Y"});

    // Without extents a moving body would get an infinite inverse mass.
    auto flat = ReadComponent<Body>(R"(<component type="body"><isStatic>false</isStatic><collider>Box</collider>
        <material>Cube</material></component>)");
    ASSERT_TRUE(flat);
    EXPECT_EQ(flat->GetInverseMass(), 0.0f);
    EXPECT_EQ(flat->GetLocalInverseInertia(), glm::mat3(0.0f));
}

} // namespace
