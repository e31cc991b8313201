// Applying changed content: a level without a player rebuilt as written, and a changed archetype
// read again (a level rebuilt with the player kept where he stands: tests/scenes/hot_reload.sh).
#include "game/HotReload.h"

#include "objects/ObjectManager.h"
#include "objects/PlaceManager.h"
#include "objects/Transform.h"
#include "tests/content/ContentFixture.h"

using namespace zumek;

namespace {

class HotReloadTest : public test::ContentFixture {
protected:
    void SetUp() override {
        ContentFixture::SetUp();
        WriteArchetype("player", R"(key="player" idPrefix="player" tag="player")", Transform(0, 1, 0));
        WriteArchetype("post", R"(key="post" idPrefix="post" tag="post")", Transform(5, 0, 0));
        WriteLevel("room", R"(<archetype key="player" id="player"/><archetype key="post" id="post"/>)");
        PlaceManager::Instance().Push("room");
    }
    void TearDown() override {
        PlaceManager::Instance().Pop();
        PlaceManager::Instance().Update();
        ObjectManager::Instance().DestroyAllObjects();
        ContentFixture::TearDown();
    }
    static std::string Transform(float x, float y, float z) {
        return "<component type=\"transform\"><translate x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) +
               "\" z=\"" + std::to_string(z) + "\"/><rotation x=\"0\" y=\"0\" z=\"0\"/><scale x=\"1\" y=\"1\" z=\"1\"/></component>";
    }
    static glm::vec3 PositionOf(const std::string& id) {
        Object* object = ObjectManager::Instance().GetObject(id);
        return object ? object->GetComponent<zumek::Transform>()->GetPosition() : glm::vec3(-999.0f);
    }
};

TEST_F(HotReloadTest, ALevelWithoutAPlayerLoadsAsWritten) {
    WriteLevel("room", R"(<archetype key="post" id="post"/>)");
    HotReload::ReloadCurrentPlace();
    EXPECT_EQ(ObjectManager::Instance().GetObjectByTag("player"), nullptr);
    EXPECT_EQ(ObjectManager::Instance().CountObjects("room"), 1u);
}

TEST_F(HotReloadTest, ChangedArchetypeIsReadAgain) {
    WriteArchetype("post", R"(key="post" idPrefix="post" tag="post")", Transform(-3, 0, 0));
    HotReload reload(Paths::Resolve("resources"), Paths::GameFolder() + "/resources", nullptr);
    reload.Apply({{ContentKind::Archetype, "post"}});
    EXPECT_EQ(PositionOf("post"), glm::vec3(-3, 0, 0));
    EXPECT_EQ(PositionOf("player"), glm::vec3(0, 1, 0));
}

} // namespace
