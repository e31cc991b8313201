// The inspector's model: listing, selecting by click number, and live edits reaching the object.
#include "game/InspectorModel.h"

#include <cmath>

#include "engine/SignalManager.h"
#include "graphics/Light.h"
#include "graphics/Sprite.h"
#include "objects/ObjectManager.h"
#include "objects/PlaceManager.h"
#include "objects/Transform.h"
#include "physics/Body.h"
#include "tests/content/ContentFixture.h"

using namespace zumek;

namespace {

constexpr const char* kTransform =
    R"(<component type="transform"><translate x="1" y="2" z="3"/><rotation x="0" y="0" z="0"/><scale x="1" y="1" z="1"/></component>)";

class InspectorModelTest : public test::ContentFixture {
protected:
    void SetUp() override {
        ContentFixture::SetUp();
        WriteArchetype("crate", R"(key="crate" idPrefix="crate" tag="crate")",
                       std::string(kTransform) +
                           R"(<component type="body"><isStatic>false</isStatic><collider>Box</collider><material>Ball</material><extents x="1" y="1" z="1"/></component>
                              <component type="sprite"><model>cube</model><SpriteColor r="0.2" g="0.4" b="0.9"/></component>)");
        WriteArchetype("lamp", R"(key="lamp" idPrefix="lamp" tag="light")",
                       std::string(kTransform) + R"(<component type="light"><LightColor r="1" g="1" b="1"/></component>)");
        WriteLevel("inspected", R"(<archetype key="lamp" id="lamp"/><archetype key="crate" id="crate"/>)");
        PlaceManager::Instance().Push("inspected");
    }
    void TearDown() override {
        ObjectManager::Instance().DestroyAllObjects();
        PlaceManager::Instance().Pop();
        PlaceManager::Instance().Update();
        ObjectManager::Instance().DestroyAllObjects();
        ContentFixture::TearDown();
    }
    static Object& Get(const std::string& id) { return *ObjectManager::Instance().GetObject(id); }
};

TEST_F(InspectorModelTest, ListsThePlaceAndEachObjectWithItsComponents) {
    EXPECT_EQ(InspectorModel::PlaceStack().back(), "inspected");
    auto rows = InspectorModel::Rows(ObjectManager::Instance().GetObjects());
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].id, "lamp");
    EXPECT_EQ(rows[1].id, "crate");
    EXPECT_EQ(rows[1].tag, "crate");
    EXPECT_EQ(rows[1].components, (std::vector<std::string>{"body", "sprite", "transform"}));
    auto counts = InspectorModel::Count(ObjectManager::Instance().GetObjects(), 4);
    EXPECT_EQ(counts.objects, 2u);
    EXPECT_EQ(counts.bodies, 1u);
    EXPECT_EQ(counts.lights, 1u);
    EXPECT_EQ(counts.drawCalls, 1u);
}

TEST_F(InspectorModelTest, AClickSelectsByPickNumberOnlyWhileShownAndNotOverTheWindow) {
    InspectorModel model;
    const int32_t crate = Get("crate").GetNumber();
    SignalManager::Emit<ObjectSelectSignal>(ObjectSelectSignal{"", crate, true});
    EXPECT_EQ(model.SelectedId(), "") << "hidden: clicks belong to the game";
    model.Toggle();
    model.SetPickingEnabled(false);
    SignalManager::Emit<ObjectSelectSignal>(ObjectSelectSignal{"", crate, true});
    EXPECT_EQ(model.SelectedId(), "") << "a click on the window must not pick behind it";
    model.SetPickingEnabled(true);
    SignalManager::Emit<ObjectSelectSignal>(ObjectSelectSignal{"", crate, true});
    EXPECT_EQ(model.SelectedId(), "crate");
    EXPECT_FALSE(model.SelectByNumber(99999));
    EXPECT_EQ(model.SelectedId(), "crate") << "an unknown number keeps the selection";
}

TEST_F(InspectorModelTest, EditingThePositionMovesTheObjectAndItsBody) {
    InspectorModel model(false);
    ASSERT_TRUE(model.SelectByNumber(Get("crate").GetNumber()));
    Body& body = *Get("crate").GetComponent<Body>();
    body.Sleep();
    auto details = model.Inspect();
    ASSERT_TRUE(details && details->hasTransform && details->hasBody && details->hasSprite && !details->hasLight);
    EXPECT_EQ(details->position, glm::vec3(1, 2, 3));
    EXPECT_TRUE(details->asleep);
    details->position = glm::vec3(4, 5, 6);
    ASSERT_TRUE(model.Apply(*details));
    EXPECT_EQ(Get("crate").GetComponent<Transform>()->GetPosition(), glm::vec3(4, 5, 6));
    EXPECT_EQ(body.GetPosition(), glm::vec3(4, 5, 6));
    EXPECT_TRUE(body.IsAwake()) << "a body put somewhere new must not hang there asleep";
}

TEST_F(InspectorModelTest, ColoursAndBodyFieldsApplyAndBadValuesAreRefused) {
    InspectorModel model(false);
    model.Select("crate");
    auto details = *model.Inspect();
    details.spriteColor = glm::vec3(1.5f, 0.5f, -1.0f);
    details.velocity = glm::vec3(0, 3, 0);
    details.position = glm::vec3(NAN, 0, 0);
    ASSERT_TRUE(model.Apply(details));
    EXPECT_EQ(Get("crate").GetComponent<Sprite>()->GetColor(), glm::vec3(1.0f, 0.5f, 0.0f)) << "colours are clamped to 0..1";
    EXPECT_EQ(Get("crate").GetComponent<Body>()->GetVelocity(), glm::vec3(0, 3, 0));
    EXPECT_EQ(Get("crate").GetComponent<Transform>()->GetPosition(), glm::vec3(1, 2, 3)) << "NaN must not reach the object";

    model.Select("lamp");
    auto lamp = *model.Inspect();
    lamp.lightColor = glm::vec3(0.1f, 0.2f, 0.3f);
    ASSERT_TRUE(model.Apply(lamp));
    EXPECT_EQ(Get("lamp").GetComponent<Light>()->GetColor(), glm::vec3(0.1f, 0.2f, 0.3f));
    details.id = "crate";
    EXPECT_FALSE(model.Apply(details)) << "fields of another object than the selected one";
}

TEST_F(InspectorModelTest, ASelectionWhoseObjectIsGoneIsNoPointer) {
    InspectorModel model(false);
    model.Select("crate");
    auto details = *model.Inspect();
    ObjectManager::Instance().DestroyPlaceObjects("inspected");
    EXPECT_EQ(model.Selected(), nullptr);
    EXPECT_FALSE(model.Inspect().has_value());
    EXPECT_FALSE(model.Apply(details));
}

TEST_F(InspectorModelTest, TimeGraphsKeepTheLastFrames) {
    InspectorModel model(false);
    for (int i = 0; i < 200; ++i) model.RecordFrame(static_cast<float>(i), 0.5f);
    ASSERT_EQ(model.FrameTimes().size(), InspectorModel::kHistory);
    EXPECT_EQ(model.FrameTimes().back(), 199.0f);
    EXPECT_EQ(model.FrameTimes().front(), 200.0f - InspectorModel::kHistory);
}

} // namespace
