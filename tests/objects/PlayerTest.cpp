// The player remembers where it was built and goes back there on respawn.
#include "objects/Player.h"

#include "objects/ObjectManager.h"
#include "objects/PlaceManager.h"
#include "objects/Transform.h"
#include "tests/content/ContentFixture.h"

using namespace zumek;

namespace {

class PlayerTest : public test::ContentFixture {};

TEST_F(PlayerTest, RespawnReturnsThePlayerToWhereItWasBuilt) {
    WriteSimpleArchetype("player", "player", "player", 4.0f);
    WriteSimpleArchetype("crate", "crate", "box", 1.0f);
    WriteLevel("field", R"(<archetype key="player"><component type="transform"><translate x="2" y="3" z="4"/>
                             <rotation x="0" y="0" z="0"/><scale x="1" y="1" z="1"/></component></archetype>
                           <archetype key="crate"/>)");
    PlaceManager::Instance().Push("field");
    Object* player = ObjectManager::Instance().GetObject("player1");
    Object* crate = ObjectManager::Instance().GetObject("crate1");
    ASSERT_TRUE(player && crate);
    Transform* transform = player->GetComponent<Transform>();
    transform->SetPosition(glm::vec3(9, 9, 9));
    crate->GetComponent<Transform>()->SetPosition(glm::vec3(7, 7, 7));
    for (auto& entry : player->Components()) entry.second->Respawn();
    for (auto& entry : crate->Components()) entry.second->Respawn();
    EXPECT_EQ(transform->GetPosition(), glm::vec3(2, 3, 4));
    EXPECT_EQ(crate->GetComponent<Transform>()->GetPosition(), glm::vec3(7, 7, 7));
}

TEST_F(PlayerTest, PlayerWithoutTransformIsReportedAndCannotRespawn) {
    WriteArchetype("player", R"(key="player" idPrefix="player" tag="player")", R"(<component type="camera"/>)");
    PlaceManager::Instance().Push("field");
    ObjectCreateSignal request;
    request.archetype = "player";
    Object* player = ObjectManager::Instance().CreateObject(request, "");
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->GetComponent<Player>()->GetRespawnPosition(), nullptr);
    EXPECT_TRUE(Logged("The player player1 has no transform"));
}

} // namespace
