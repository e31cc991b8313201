// The transform reader: values, defaults and the exact messages of each fallback.
#include "content/TransformSerializer.h"

#include "tests/content/ContentFixture.h"

using namespace zumek;

namespace {

class TransformSerializerTest : public test::ContentFixture {};

TEST_F(TransformSerializerTest, ReadsAllThreeVectorsWithRotationInDegrees) {
    auto transform = ReadComponent<Transform>(
        R"(<component type="transform"><translate x="1" y="2.5" z="-3"/><rotation x="0" y="90" z="0"/>
           <scale x="2" y="3" z="4"/></component>)");
    ASSERT_TRUE(transform);
    EXPECT_EQ(transform->GetPosition(), glm::vec3(1, 2.5f, -3));
    EXPECT_EQ(transform->GetScale(), glm::vec3(2, 3, 4));
    EXPECT_FLOAT_EQ(transform->GetRotationDegrees().y, 90.0f);
    EXPECT_FLOAT_EQ(transform->GetRotation().y, 90.0f * 0.017453292f);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(TransformSerializerTest, OnlyTranslateGivesUnitScaleNoRotationAndTwoMessages) {
    auto transform = ReadComponent<Transform>(R"(<component type="transform"><translate x="1" y="2" z="3"/></component>)");
    ASSERT_TRUE(transform);
    EXPECT_EQ(transform->GetScale(), glm::vec3(1, 1, 1));
    EXPECT_EQ(transform->GetRotation(), glm::vec3(0, 0, 0));
    EXPECT_EQ(Errors(), (std::vector<std::string>{"Reading Rotation attribute", "Reading Scale attribute"}));
}

TEST_F(TransformSerializerTest, MissingScaleComponentIsZeroNotOne) {
    auto transform = ReadComponent<Transform>(
        R"(<component type="transform"><translate x="0" y="0" z="0"/><rotation x="0" y="0" z="0"/>
           <scale x="2" y="2"/></component>)");
    ASSERT_TRUE(transform);
    EXPECT_EQ(transform->GetScale(), glm::vec3(2, 2, 0));
    EXPECT_EQ(Errors(), std::vector<std::string>{"Reading Scale Z attribute"});
}

TEST_F(TransformSerializerTest, MissingRotationZSharesTheMissingElementText) {
    auto transform = ReadComponent<Transform>(
        R"(<component type="transform"><translate x="0" y="0" z="0"/><rotation x="10" y="20"/>
           <scale x="1" y="1" z="1"/></component>)");
    ASSERT_TRUE(transform);
    EXPECT_FLOAT_EQ(transform->GetRotationDegrees().z, 0.0f);
    EXPECT_EQ(Errors(), std::vector<std::string>{"Reading Rotation attribute"});
}

TEST_F(TransformSerializerTest, UnreadableNumbersFallBackWithTheirMessages) {
    auto transform = ReadComponent<Transform>(
        R"(<component type="transform"><translate x="abc" y=" 2" z="3.5m"/><rotation x="0" y="0" z="0"/>
           <scale x="1" y="1" z="1"/></component>)");
    ASSERT_TRUE(transform);
    // "%f" reading: leading blanks are skipped and trailing text ignored.
    EXPECT_EQ(transform->GetPosition(), glm::vec3(0, 2, 3.5f));
    EXPECT_EQ(Errors(), std::vector<std::string>{"Reading Translate X attribute"});
}

TEST_F(TransformSerializerTest, EmptyElementLogsEveryMissingElement) {
    auto transform = ReadComponent<Transform>(R"(<component type="transform"/>)");
    ASSERT_TRUE(transform);
    EXPECT_EQ(transform->GetPosition(), glm::vec3(0));
    EXPECT_EQ(transform->GetScale(), glm::vec3(1));
    EXPECT_EQ(Errors(), (std::vector<std::string>{"Reading Translate attribute", "Reading Rotation attribute",
                                                  "Reading Scale attribute"}));
}

} // namespace
