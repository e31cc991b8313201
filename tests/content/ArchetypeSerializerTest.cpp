// The archetype reader and its provider: fields, the components archetypes accept, bad files,
// and reading each key once.
#include "content/ArchetypeSerializer.h"

#include <filesystem>

#include "content/ArchetypeProvider.h"
#include "graphics/Hud.h"
#include "graphics/Sprite.h"
#include "objects/Camera.h"
#include "objects/Transform.h"
#include "tests/content/ContentFixture.h"

using namespace zumek;

namespace {

class ArchetypeSerializerTest : public test::ContentFixture {
protected:
    std::unique_ptr<Archetype> Read(const std::string& key) {
        return ArchetypeSerializer(key).Deserialize();
    }
};

TEST_F(ArchetypeSerializerTest, ReadsFieldsAndComponentsInDocumentOrder) {
    WriteArchetype("lamp", R"(key="lamp" idPrefix="lamp" tag="light" parentId="ceiling")",
                   R"(<component type="camera"/><component type="hud"/><component type="transform">
                        <translate x="1" y="2" z="3"/><rotation x="0" y="0" z="0"/><scale x="1" y="1" z="1"/></component>)");
    auto archetype = Read("lamp");
    ASSERT_TRUE(archetype);
    EXPECT_EQ(archetype->idPrefix, "lamp");
    EXPECT_EQ(archetype->tag, "light");
    EXPECT_EQ(archetype->parentId, "ceiling");
    ASSERT_EQ(archetype->components.size(), 3u);
    EXPECT_NE(dynamic_cast<Camera*>(archetype->components[0].get()), nullptr);
    // Inside an archetype a hud is a Hud, not a Sprite.
    EXPECT_NE(dynamic_cast<Hud*>(archetype->components[1].get()), nullptr);
    EXPECT_NE(dynamic_cast<Transform*>(archetype->components[2].get()), nullptr);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(ArchetypeSerializerTest, UnknownComponentTypeIsReportedAndSkipped) {
    WriteArchetype("odd", R"(key="odd" idPrefix="odd" tag="odd")",
                   R"(<component type="teleporter"/><component type="camera"/>)");
    auto archetype = Read("odd");
    ASSERT_TRUE(archetype);
    ASSERT_EQ(archetype->components.size(), 1u);
    EXPECT_NE(dynamic_cast<Camera*>(archetype->components[0].get()), nullptr);
    EXPECT_EQ(Errors(), std::vector<std::string>{"Unknown component type"});
}

TEST_F(ArchetypeSerializerTest, KeyThatDiffersFromTheFileIsReportedAndTheFileUsed) {
    WriteArchetype("crate", R"(key="box" idPrefix="crate" tag="crate")");
    auto archetype = Read("crate");
    ASSERT_TRUE(archetype);
    EXPECT_EQ(archetype->idPrefix, "crate");
    EXPECT_EQ(Errors(), std::vector<std::string>{"The archetype key does not match its file"});
}

TEST_F(ArchetypeSerializerTest, MissingPrefixOrTagOrFileGivesNoArchetype) {
    WriteArchetype("noprefix", R"(key="noprefix" tag="t")");
    WriteArchetype("notag", R"(key="notag" idPrefix="p")");
    WriteFile("resources/archetypes/broken.xml", "<archetype key=\"broken\" idPrefix=\"b\" tag=\"b\">");
    EXPECT_FALSE(Read("noprefix"));
    EXPECT_FALSE(Read("notag"));
    EXPECT_FALSE(Read("broken"));
    EXPECT_FALSE(Read("absent"));
    EXPECT_EQ(Errors(), (std::vector<std::string>{"The content file for the noprefix archetype could not be loaded.",
                                                  "The content file for the notag archetype could not be loaded.",
                                                  "The content file for the broken archetype could not be loaded.",
                                                  "The content file for the absent archetype could not be loaded."}));
}

TEST_F(ArchetypeSerializerTest, ProviderReadsEachKeyOnceAndRemembersMissingOnes) {
    WriteSimpleArchetype("once", "once", "t");
    ArchetypeProvider& provider = ArchetypeProvider::Instance();
    const Archetype* first = provider.Get("once");
    ASSERT_NE(first, nullptr);
    std::filesystem::remove(m_root + "/resources/archetypes/once.xml");
    EXPECT_EQ(provider.Get("once"), first);

    EXPECT_EQ(provider.Get("ghost"), nullptr);
    EXPECT_EQ(provider.Get("ghost"), nullptr);
    EXPECT_EQ(CountLogged("The content file for the ghost archetype could not be loaded."), 1);
}

} // namespace
