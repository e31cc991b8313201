// The transform reader: values, defaults and the exact messages of each fallback.
#include "content/TransformSerializer.h"

#include <glm/geometric.hpp>

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

TEST_F(TransformSerializerTest, MissingAndUnreadableValuesFallBackWithTheirMessages) {
    const std::string translate = R"(<translate x="0" y="0" z="0"/>)", rotation = R"(<rotation x="0" y="0" z="0"/>)",
                      scale = R"(<scale x="1" y="1" z="1"/>)";
    struct Case {
        const char* what;
        std::string elements;
        glm::vec3 position, rotationDegrees, scale;
        std::vector<std::string> errors;
    };
    const Case cases[] = {
        {"nothing", "", glm::vec3(0), glm::vec3(0), glm::vec3(1),
         {"Reading Translate attribute", "Reading Rotation attribute", "Reading Scale attribute"}},
        {"only a translate", R"(<translate x="1" y="2" z="3"/>)", {1, 2, 3}, glm::vec3(0), glm::vec3(1),
         {"Reading Rotation attribute", "Reading Scale attribute"}},
        {"a scale without z: zero, not one", translate + rotation + R"(<scale x="2" y="2"/>)", glm::vec3(0),
         glm::vec3(0), {2, 2, 0}, {"Reading Scale Z attribute"}},
        {"a rotation without z: the missing element's text", translate + R"(<rotation x="10" y="20"/>)" + scale,
         glm::vec3(0), {10, 20, 0}, glm::vec3(1), {"Reading Rotation attribute"}},
        // "%f" reading: leading blanks are skipped and trailing text ignored.
        {"unreadable numbers", R"(<translate x="abc" y=" 2" z="3.5m"/>)" + rotation + scale, {0, 2, 3.5f},
         glm::vec3(0), glm::vec3(1), {"Reading Translate X attribute"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EngineLog::Instance().Clear();
        auto transform = ReadComponent<Transform>(R"(<component type="transform">)" + c.elements + "</component>");
        ASSERT_TRUE(transform);
        EXPECT_EQ(transform->GetPosition(), c.position);
        EXPECT_LT(glm::distance(transform->GetRotationDegrees(), c.rotationDegrees), 1e-4f);
        EXPECT_EQ(transform->GetScale(), c.scale);
        EXPECT_EQ(Errors(), c.errors);
    }
}

} // namespace
