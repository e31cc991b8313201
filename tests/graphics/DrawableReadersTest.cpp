// The readers of the drawable components: sprites and huds (defaults, the reader's own
// multiplier, colours, texture lists), animated sprites (two shader keys and a model, all
// required), lights (attenuation terms with their messages, colour and volume defaults) and
// particles (required values, shader triples, the scratch vector shared by the nine vector
// elements).
#include <tinyxml2.h>

#include "graphics/AnimatedSpriteSerializer.h"
#include "graphics/Hud.h"
#include "graphics/LightSerializer.h"
#include "graphics/ParticlesSerializer.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteReader.h"
#include "tests/content/ContentFixture.h"

using namespace zumek;

namespace {

class SpriteReaderTest : public test::ContentFixture {};

TEST_F(SpriteReaderTest, AnEmptyDescriptionIsNoErrorAndTheReadersOwnMultiplier) {
    auto sprite = ReadComponent<Sprite>(R"(<component type="sprite"/>)");
    ASSERT_TRUE(sprite);
    EXPECT_EQ(sprite->GetMultiplier(), 0); // the reader's 0, not the sprite's own 1
    EXPECT_TRUE(Errors().empty());
}

TEST_F(SpriteReaderTest, ReadsEverySettingAndTexturesInOrder) {
    auto sprite = ReadComponent<Sprite>(R"(<component type="sprite">
        <shader>PHONG_SHADER</shader><model>sphere</model><multiplier>4</multiplier>
        <SpriteColor r="0.5" b="0.25"/>
        <textures>
          <properties name="wood.png" property="MAIN_TEXTURE"/>
          <properties name="bumps.png" property="NORMAL_MAP_TEXTURE"/>
        </textures></component>)");
    ASSERT_TRUE(sprite);
    EXPECT_EQ(sprite->GetEffect(), "PHONG_SHADER");
    EXPECT_EQ(sprite->GetModel(), "sphere");
    EXPECT_EQ(sprite->GetMultiplier(), 4);
    EXPECT_EQ(sprite->GetColor(), glm::vec3(0.5f, 1.0f, 0.25f));
    EXPECT_EQ(sprite->GetBoundingColor(), sprite->GetColor());
    ASSERT_EQ(sprite->GetTextures().size(), 2u);
    EXPECT_EQ(sprite->GetTextures()[0].fileName, "wood.png");
    EXPECT_EQ(sprite->GetTextures()[1].slotName, "NORMAL_MAP_TEXTURE");
    EXPECT_TRUE(sprite->UsesTexture());
    EXPECT_TRUE(sprite->UsesNormalMap());
    EXPECT_TRUE(Errors().empty());
}

TEST_F(SpriteReaderTest, BadTextureEntriesAndMultiplierAreReportedAndSkipped) {
    auto sprite = ReadComponent<Sprite>(R"(<component type="sprite"><multiplier>many</multiplier>
        <textures><properties name="a.png"/><properties name="b.png" property="GLOW"/>
          <properties name="c.png" property="INFO_TEXTURE"/></textures></component>)");
    ASSERT_TRUE(sprite);
    EXPECT_EQ(sprite->GetMultiplier(), 0);
    ASSERT_EQ(sprite->GetTextures().size(), 1u);
    EXPECT_EQ(sprite->GetTextures()[0].fileName, "c.png");
    EXPECT_FALSE(sprite->UsesNormalMap());
    EXPECT_EQ(Errors(), (std::vector<std::string>{"Reading multiplier element", "Reading texture properties",
                                                  "Reading texture properties"}));
}

TEST_F(SpriteReaderTest, HudElementsReadAsSpriteOrHudByReader) {
    tinyxml2::XMLDocument document;
    document.Parse(R"(<component type="hud"><model>plane</model></component>)");
    const tinyxml2::XMLElement& element = *document.FirstChildElement();
    ComponentSource source{"test.xml"};
    std::unique_ptr<Sprite> sprite = SpriteReader<Sprite>(element, source).Deserialize();
    std::unique_ptr<Hud> hud = SpriteReader<Hud>(element, source).Deserialize();
    EXPECT_EQ(sprite->GetModel(), "plane");
    EXPECT_EQ(hud->GetModel(), "plane");
    EXPECT_EQ(hud->GetEffect(), "NORMAL_SHADER");
}

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

TEST_F(LightSerializerTest, MissingTermsAreZeroWithTheirMessageAndMissingComponentsTheirDefault) {
    auto light = ReadComponent<Light>(R"(<component type="light"><intensity constant="1" exponential="2"/>
        <LightColor g="0.5"/><Volume z="8"/></component>)");
    ASSERT_TRUE(light);
    EXPECT_FLOAT_EQ(light->GetLinear(), 0.0f);
    EXPECT_EQ(light->GetColor(), glm::vec3(1, 0.5f, 1));
    EXPECT_EQ(light->GetVolume(), glm::vec3(2, 2, 8));
    EXPECT_EQ(Errors(), std::vector<std::string>{"Reading liner intensity attribute"});

    EngineLog::Instance().Clear();
    auto empty = ReadComponent<Light>(R"(<component type="light"/>)");
    ASSERT_TRUE(empty);
    EXPECT_FLOAT_EQ(empty->GetConstant() + empty->GetLinear() + empty->GetExponential(), 0.0f);
    EXPECT_EQ(Errors(), std::vector<std::string>{"Reading intensity attribute"});
}

class ParticlesSerializerTest : public test::ContentFixture {};

TEST_F(ParticlesSerializerTest, ReadsCountTextureAndShaders) {
    auto particles = ReadComponent<Particles>(R"(<component type="particles"><maxparticles>500</maxparticles>
        <texture name="spark.png"/>
        <shaders INITIALIZE_CP="PARTICLE_SHADER_INITIALIZATION" UPDATE_CP="PARTICLE_SHADER_COMPUTE_GRAVITY"
                 DISPLAY="PARTICLE_SHADER"/></component>)");
    ASSERT_TRUE(particles);
    const ParticleSettings& settings = particles->GetSettings();
    EXPECT_EQ(particles->GetCount(), 500u);
    EXPECT_EQ(settings.texture, "spark.png");
    EXPECT_EQ(settings.initializeShader, "PARTICLE_SHADER_INITIALIZATION");
    EXPECT_EQ(settings.updateShader, "PARTICLE_SHADER_COMPUTE_GRAVITY");
    EXPECT_EQ(settings.displayShader, "PARTICLE_SHADER");
    EXPECT_TRUE(Errors().empty());
}

TEST_F(ParticlesSerializerTest, MissingComponentsRepeatTheElementReadBeforeAndTheFirstStartsFromOnes) {
    auto particles = ReadComponent<Particles>(R"(<component type="particles"><maxparticles>10</maxparticles>
        <PositionShift x="0.1"/><StartColor g="0.2" b="0.3"/><Life y="7"/></component>)");
    ASSERT_TRUE(particles);
    const ParticleSettings& settings = particles->GetSettings();
    EXPECT_EQ(settings.positionShift, glm::vec4(0.1f, 1.0f, 1.0f, 1.0f));
    EXPECT_EQ(settings.startColor, glm::vec4(0.1f, 0.2f, 0.3f, 1.0f));
    EXPECT_EQ(settings.endColor, glm::vec4(1.0f)); // absent: its default
    EXPECT_EQ(settings.life, glm::vec4(0.1f, 7.0f, 0.3f, 1.0f));
}

TEST_F(ParticlesSerializerTest, RequiredValuesMissingSkipTheComponent) {
    EXPECT_FALSE(ReadComponent<Particles>(R"(<component type="particles"><texture name="a.png"/></component>)"));
    EXPECT_FALSE(ReadComponent<Particles>(R"(<component type="particles"><maxparticles>-5</maxparticles></component>)"));
    EXPECT_FALSE(ReadComponent<Particles>(R"(<component type="particles"><maxparticles>lots</maxparticles></component>)"));
    EXPECT_FALSE(ReadComponent<Particles>(R"(<component type="particles"><maxparticles>5</maxparticles>
        <shaders INITIALIZE_CP="A" UPDATE_CP="B"/></component>)"));
    EXPECT_EQ(Errors(), std::vector<std::string>(4, "Reading particles"));
    // Without INITIALIZE_CP the other two are not read.
    auto plain = ReadComponent<Particles>(R"(<component type="particles"><maxparticles>5</maxparticles>
        <shaders UPDATE_CP="B"/></component>)");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->GetSettings().updateShader, "");
}

} // namespace
