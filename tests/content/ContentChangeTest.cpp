// Which content a changed file holds, shipped or in the user's folder.
#include "content/ContentChange.h"

#include <gtest/gtest.h>

using namespace zumek;

namespace {

const std::string kShipped = "/game/resources";
const std::string kUser = "/home/u/Documents/Tovalik/resources/";

std::string Describe(const std::string& path) {
    auto change = ClassifyContentFile(path, kShipped, kUser);
    if (!change) return "none";
    static const char* const kNames[] = {"level", "archetype", "script", "shader", "texture", "sound", "model"};
    return std::string(kNames[static_cast<int>(change->kind)]) + " " + change->key;
}

TEST(ContentChange, ShippedAndUserFilesNameTheirContentKey) {
    EXPECT_EQ(Describe("/game/resources/levels/level1.xml"), "level level1");
    EXPECT_EQ(Describe("/home/u/Documents/Tovalik/resources/levels/level1.xml"), "level level1");
    EXPECT_EQ(Describe("/game/resources/archetypes/crate.xml"), "archetype crate");
    EXPECT_EQ(Describe("/game/resources/scripts/Goal.lua"), "script Goal");
    EXPECT_EQ(Describe("/game/resources/shaders/GBuffer.frag"), "shader GBuffer.frag");
    EXPECT_EQ(Describe("/game/resources/textures/metal.png"), "texture metal.png");
    EXPECT_EQ(Describe("/game/resources/sounds/hum.ogg"), "sound sounds/hum.ogg");
    EXPECT_EQ(Describe("/game/resources/soundbanks/Master.bank"), "sound soundbanks/Master.bank");
}

TEST(ContentChange, OtherFilesAreNoContent) {
    for (const char* path : {"/game/resources/levels/level1.xml~", "/game/resources/levels/.level1.xml.swp",
                             "/game/resources/levels/notes.txt", "/game/resources2/levels/level1.xml",
                             "/game/resources/level1.xml", "/home/u/Documents/Tovalik/resources/levelstates/state_level1",
                             "/elsewhere/levels/level1.xml", "/game/resources/scripts/4913"})
        EXPECT_EQ(Describe(path), "none") << path;
}

} // namespace
