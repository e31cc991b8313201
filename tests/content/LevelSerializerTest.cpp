// The level reader: entries in document order, the log lines, what level files accept, and
// bad files and entries that leave the rest of the level loading.
#include "content/LevelSerializer.h"

#include "content/LevelProvider.h"
#include "graphics/Sprite.h"
#include "objects/Transform.h"
#include "scripting/Script.h"
#include "tests/content/ContentFixture.h"

using namespace zumek;

namespace {

class LevelSerializerTest : public test::ContentFixture {
protected:
    std::unique_ptr<Level> Read(const std::string& name) { return LevelSerializer(name).Deserialize(); }
};

TEST_F(LevelSerializerTest, EntriesBecomeRequestsInDocumentOrderWithLogLines) {
    WriteLevel("yard", R"(<archetype key="crate" id="c1" parentId="table"/>
                         <archetype key="ball"/>
                         <other key="ignored"/>
                         <archetype key="crate"/>)");
    auto level = Read("yard");
    ASSERT_EQ(level->objects.size(), 3u);
    EXPECT_EQ(level->name, "yard");
    EXPECT_EQ(level->objects[0].archetype, "crate");
    EXPECT_EQ(level->objects[0].id, "c1");
    EXPECT_EQ(level->objects[0].parentId, "table");
    EXPECT_EQ(level->objects[1].archetype, "ball");
    EXPECT_EQ(level->objects[1].id, "");
    EXPECT_EQ(level->objects[1].parentId, "");
    EXPECT_EQ(LogTexts(), (std::vector<std::string>{"Serializing Levelyard", "Serializing Archetypecrate",
                                                    "Serializing Archetypeball", "Serializing Archetypecrate"}));
}

TEST_F(LevelSerializerTest, HudAndUnknownTypesAreDroppedSilentlyOtherComponentsStay) {
    WriteLevel("menu", R"(<archetype key="item">
        <component type="hud"><model>cube</model></component>
        <component type="Transform"/>
        <component type="sprite"><model>sphere</model></component>
        <component type="script"><key>Door</key></component>
      </archetype>)");
    auto level = Read("menu");
    ASSERT_EQ(level->objects.size(), 1u);
    const auto& components = level->objects[0].components;
    ASSERT_EQ(components.size(), 2u);
    ASSERT_NE(dynamic_cast<const Sprite*>(components[0]), nullptr);
    EXPECT_EQ(static_cast<const Sprite*>(components[0])->GetModel(), "sphere");
    ASSERT_NE(dynamic_cast<const Script*>(components[1]), nullptr);
    EXPECT_EQ(static_cast<const Script*>(components[1])->GetClassName(), "Door");
    EXPECT_TRUE(Errors().empty());
}

TEST_F(LevelSerializerTest, MissingAndMalformedFilesGiveAnEmptyLevelAndOneError) {
    auto missing = Read("nowhere");
    EXPECT_EQ(missing->name, "nowhere");
    EXPECT_TRUE(missing->objects.empty());
    EXPECT_EQ(Errors(), std::vector<std::string>{"The Level file nowhere could not be loaded."});

    EngineLog::Instance().Clear();
    WriteFile("resources/levels/broken.xml", "<level><archetype key=\"a\"></level>");
    auto broken = Read("broken");
    EXPECT_TRUE(broken->objects.empty());
    EXPECT_EQ(Errors(), std::vector<std::string>{"The Level file broken could not be loaded."});

    EngineLog::Instance().Clear();
    WriteFile("resources/levels/rootless.xml", "<place><archetype key=\"a\"/></place>");
    EXPECT_TRUE(Read("rootless")->objects.empty());
    EXPECT_EQ(Errors(), std::vector<std::string>{"The Level file rootless could not be loaded."});
}

TEST_F(LevelSerializerTest, EntryWithoutKeyAndComponentsWithoutTypeOrScriptKeyAreSkipped) {
    WriteLevel("gaps", R"(<archetype id="lost"/>
                         <archetype key="ball"><component><translate x="1"/></component>
                           <component type="script"/><component type="script"><key/></component></archetype>)");
    auto level = Read("gaps");
    ASSERT_EQ(level->objects.size(), 1u);
    EXPECT_EQ(level->objects[0].archetype, "ball");
    EXPECT_TRUE(level->objects[0].components.empty());
    EXPECT_EQ(Errors(), (std::vector<std::string>{"A level entry has no archetype key", "A component has no type",
                                                  "Reading script key", "Reading script key"}));
}

TEST_F(LevelSerializerTest, ProviderReadsTheFileOnEveryRequest) {
    WriteLevel("again", R"(<archetype key="a"/>)");
    LevelProvider provider;
    const Level* first = provider.Get("again");
    WriteLevel("again", R"(<archetype key="a"/><archetype key="b"/>)");
    const Level* second = provider.Get("again");
    EXPECT_NE(first, second);
    EXPECT_EQ(first->objects.size(), 1u);
    EXPECT_EQ(second->objects.size(), 2u);
}

} // namespace
