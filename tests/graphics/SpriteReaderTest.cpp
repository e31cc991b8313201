// The sprite and hud readers: defaults, the reader's own multiplier, colours and texture lists.
#include "graphics/SpriteReader.h"

#include <tinyxml2.h>

#include "graphics/Hud.h"
#include "graphics/Sprite.h"
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

} // namespace
