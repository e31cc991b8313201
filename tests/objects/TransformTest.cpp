// Transform matrices and parenting: local and world matrices, attaching and detaching that keep
// the world placement, and parent chains from level data that loop.
#include "objects/Transform.h"

#include <glm/gtc/matrix_transform.hpp>

#include "objects/ObjectManager.h"
#include "objects/PlaceManager.h"
#include "tests/content/ContentFixture.h"

using namespace zumek;

namespace {

void ExpectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

glm::vec3 WorldPosition(Transform& transform) { return glm::vec3(transform.GetWorldMatrix()[3]); }

class TransformTest : public test::ContentFixture {
protected:
    /// An object of a bare archetype at `position` with `rotationDegrees`.
    Transform& Place(const std::string& id, const glm::vec3& position, const glm::vec3& rotationDegrees = glm::vec3(0)) {
        ObjectCreateSignal request;
        request.archetype = "thing";
        request.id = id;
        const Transform prototype(position, glm::vec3(1), rotationDegrees);
        request.components.push_back(&prototype);
        Object* object = ObjectManager::Instance().CreateObject(request, "");
        return *object->GetComponent<Transform>();
    }
    void SetUp() override {
        ContentFixture::SetUp();
        WriteArchetype("thing", R"(key="thing" idPrefix="thing" tag="thing")");
        WriteLevel("scene", "");
        PlaceManager::Instance().Push("scene");
    }
};

TEST_F(TransformTest, LocalMatrixScalesThenRotatesThenTranslates) {
    Transform transform(glm::vec3(1, 0, 0), glm::vec3(2), glm::vec3(0, 0, 90));
    glm::vec4 point = transform.GetLocalMatrix() * glm::vec4(1, 0, 0, 1);
    ExpectNear(glm::vec3(point), glm::vec3(1, 2, 0));
    // X first, then Y: a point on z turned 90 degrees about x lands on -y, then stays under y.
    Transform turned(glm::vec3(0), glm::vec3(1), glm::vec3(90, 90, 0));
    ExpectNear(glm::vec3(turned.GetLocalMatrix() * glm::vec4(0, 0, 1, 1)), glm::vec3(0, -1, 0));
}

TEST_F(TransformTest, AttachingReparentingAndDetachingKeepTheWorldPosition) {
    Transform& parent = Place("parent", glm::vec3(2, 0, 0));
    Place("other", glm::vec3(10, 0, 4));
    Transform& child = Place("child", glm::vec3(5, 0, 0));
    Object* owner = child.GetOwner();
    owner->SetParentId("parent");
    ExpectNear(WorldPosition(child), glm::vec3(5, 0, 0));
    ExpectNear(child.LocalPosition(), glm::vec3(3, 0, 0));
    ExpectNear(child.GetPosition(), glm::vec3(5, 0, 0));

    parent.SetPosition(glm::vec3(2, 1, 0));
    ExpectNear(WorldPosition(child), glm::vec3(5, 1, 0));

    owner->SetParentId("other");
    ExpectNear(WorldPosition(child), glm::vec3(5, 1, 0));
    ExpectNear(child.LocalPosition(), glm::vec3(-5, 1, -4));

    owner->SetParentId("");
    ExpectNear(WorldPosition(child), glm::vec3(5, 1, 0));
    ExpectNear(child.LocalPosition(), glm::vec3(5, 1, 0));
    EXPECT_TRUE(child.ParentCache().empty());
}

TEST_F(TransformTest, RotatedParentCarriesItsChildRound) {
    Transform& parent = Place("parent", glm::vec3(2, 0, 0), glm::vec3(0, 90, 0));
    Transform& child = Place("child", glm::vec3(5, 0, 0));
    child.GetOwner()->SetParentId("parent");
    ExpectNear(WorldPosition(child), glm::vec3(5, 0, 0));
    // A quarter turn about y is where Euler extraction is least precise: a tenth of a degree.
    ExpectNear(child.GetRotationDegrees(), glm::vec3(0, 0, 0), 0.1f);

    // Half a turn more of the parent swings the child to the other side.
    parent.SetRotation(glm::vec3(0, 270, 0));
    ExpectNear(WorldPosition(child), glm::vec3(-1, 0, 0));

    // World setters under a parent: the child goes exactly where it is told.
    child.SetPosition(glm::vec3(0, 3, 0));
    ExpectNear(WorldPosition(child), glm::vec3(0, 3, 0));
    child.SetRotation(glm::vec3(0, 30, 0));
    child.GetWorldMatrix();
    ExpectNear(child.GetRotationDegrees(), glm::vec3(0, 30, 0), 0.1f);
}

TEST_F(TransformTest, StoredWorldMatrixWinsOverTheFields) {
    Transform& transform = Place("body", glm::vec3(1, 1, 1));
    glm::mat4 stored = glm::translate(glm::mat4(1.0f), glm::vec3(4, 5, 6));
    transform.SetWorldMatrix(stored);
    transform.SetPosition(glm::vec3(0));
    EXPECT_EQ(transform.GetWorldMatrix(), stored);
    EXPECT_EQ(transform.GetLocalMatrix(), stored);
}

TEST_F(TransformTest, MissingParentCountsAsNoneAndALoopingChainIsCutWithOneError) {
    Transform& orphan = Place("orphan", glm::vec3(1, 2, 3));
    orphan.GetOwner()->SetParentId("nobody");
    ExpectNear(WorldPosition(orphan), glm::vec3(1, 2, 3));
    EXPECT_TRUE(orphan.ParentCache().empty());

    Transform& a = Place("a", glm::vec3(1, 0, 0));
    Place("b", glm::vec3(0, 1, 0)).GetOwner()->SetParentId("a");
    a.GetOwner()->SetParentId("b");
    a.GetWorldMatrix();
    a.GetWorldMatrix();
    EXPECT_EQ(Errors().size(), 1u);
    Transform& self = Place("self", glm::vec3(0, 0, 7));
    self.GetOwner()->SetParentId("self");
    ExpectNear(WorldPosition(self), glm::vec3(0, 0, 7));
}

} // namespace
