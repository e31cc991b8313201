// The light reader: attenuation terms with their messages, colour and volume defaults.
#include "graphics/LightSerializer.h"

#include "tests/content/ContentFixture.h"

using namespace zumek;

namespace {

class LightSerializerTest : public test::ContentFixture {};

TEST_F(LightSerializerTest, ReadsAllSettings) {
    auto light = ReadComponent<Light>(R"(<component type="light">
        <intensity constant="1" linear="0.5" exponential="0.25"/>
        <LightColor r="0.1" g="0.2" b="0.3"/><Volume x="4" y="5" z="6"/></component>)");
    ASSERT_TRUE(light);
    EXPECT_FLOAT_EQ(light->GetConstant(), 1.0f);
    EXPECT_FLOAT_EQ(light->GetLinear(), 0.5f);
    EXPECT_FLOAT_EQ(light->GetExponential(), 0.25f);
    EXPECT_EQ(light->GetColor(), glm::vec3(0.1f, 0.2f, 0.3f));
    EXPECT_EQ(light->GetVolume(), glm::vec3(4, 5, 6));
    EXPECT_TRUE(Errors().empty());
}

TEST_F(LightSerializerTest, MissingLinearTermIsZeroWithItsMessage) {
    auto light = ReadComponent<Light>(R"(<component type="light"><intensity constant="1" exponential="2"/>
        <LightColor g="0.5"/><Volume z="8"/></component>)");
    ASSERT_TRUE(light);
    EXPECT_FLOAT_EQ(light->GetLinear(), 0.0f);
    EXPECT_EQ(light->GetColor(), glm::vec3(1, 0.5f, 1));
    EXPECT_EQ(light->GetVolume(), glm::vec3(2, 2, 8));
    EXPECT_EQ(Errors(), std::vector<std::string>{"Reading liner intensity attribute"});
}

TEST_F(LightSerializerTest, EmptyLightHasZeroTermsWithItsMessage) {
    auto light = ReadComponent<Light>(R"(<component type="light"/>)");
    ASSERT_TRUE(light);
    EXPECT_FLOAT_EQ(light->GetConstant() + light->GetLinear() + light->GetExponential(), 0.0f);
    EXPECT_EQ(Errors(), std::vector<std::string>{"Reading intensity attribute"});
}

} // namespace
