// The animated sprite reader: two shader keys and a model, all required.
#include "graphics/AnimatedSpriteSerializer.h"

#include "tests/content/ContentFixture.h"

using namespace zumek;

namespace {

class AnimatedSpriteSerializerTest : public test::ContentFixture {};

TEST_F(AnimatedSpriteSerializerTest, ReadsShadersAndModel) {
    auto sprite = ReadComponent<AnimatedSprite>(R"(<component type="animatedSprite">
        <shader key="SKINNING_SHADER" boneShader="BONE_SHADER"/><model>walker</model></component>)");
    ASSERT_TRUE(sprite);
    EXPECT_EQ(sprite->GetShaderKey(), "SKINNING_SHADER");
    EXPECT_EQ(sprite->GetBoneShaderKey(), "BONE_SHADER");
    EXPECT_EQ(sprite->GetModel(), "walker");
}

TEST_F(AnimatedSpriteSerializerTest, AnyMissingPartSkipsTheComponentWithOneError) {
    EXPECT_FALSE(ReadComponent<AnimatedSprite>(R"(<component type="animatedSprite"><model>w</model></component>)"));
    EXPECT_FALSE(ReadComponent<AnimatedSprite>(
        R"(<component type="animatedSprite"><shader key="S"/><model>w</model></component>)"));
    EXPECT_FALSE(ReadComponent<AnimatedSprite>(
        R"(<component type="animatedSprite"><shader key="S" boneShader="B"/></component>)"));
    EXPECT_EQ(Errors(), std::vector<std::string>(3, "Reading animated sprite"));
}

} // namespace
