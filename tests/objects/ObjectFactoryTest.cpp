// Building objects: generated and explicit ids, numbers, parents, component cloning, and the
// player's extra component, which remembers where the player was built for its respawn.
#include "objects/ObjectFactory.h"

#include "graphics/Light.h"
#include "graphics/Sprite.h"
#include "objects/ObjectManager.h"
#include "objects/PlaceManager.h"
#include "objects/Player.h"
#include "objects/Transform.h"
#include "physics/Body.h"
#include "tests/content/ContentFixture.h"

using namespace zumek;

namespace {

class ObjectFactoryTest : public test::ContentFixture {
protected:
    static Object* Create(const std::string& archetype, const std::string& id = {}) {
        ObjectCreateSignal request;
        request.archetype = archetype;
        request.id = id;
        return ObjectManager::Instance().CreateObject(request, "");
    }
};

TEST_F(ObjectFactoryTest, GeneratedIdsCountPerArchetypeAcrossLevelChanges) {
    WriteSimpleArchetype("crate", "crate", "box");
    WriteLevel("one", R"(<archetype key="crate"/><archetype key="crate"/>)");
    WriteLevel("two", R"(<archetype key="crate"/>)");
    PlaceManager& places = PlaceManager::Instance();
    places.Push("one");
    EXPECT_NE(ObjectManager::Instance().GetObject("crate1"), nullptr);
    EXPECT_NE(ObjectManager::Instance().GetObject("crate2"), nullptr);
    places.Set("two");
    places.Update();
    EXPECT_EQ(ObjectManager::Instance().GetObjects().size(), 1u);
    EXPECT_NE(ObjectManager::Instance().GetObject("crate3"), nullptr);
}

TEST_F(ObjectFactoryTest, ExplicitIdKeepsTheCounterNumberAlwaysAdvances) {
    WriteSimpleArchetype("ball", "ball", "ball");
    PlaceManager::Instance().Push("field");
    Object* first = Create("ball");
    Object* named = Create("ball", "special");
    Object* second = Create("ball");
    ASSERT_TRUE(first && named && second);
    EXPECT_EQ(first->GetId(), "ball1");
    EXPECT_EQ(named->GetId(), "special");
    EXPECT_EQ(second->GetId(), "ball2");
    EXPECT_EQ(first->GetNumber(), 1);
    EXPECT_EQ(named->GetNumber(), 2);
    EXPECT_EQ(second->GetNumber(), 3);
}

TEST_F(ObjectFactoryTest, EntryComponentsReplaceTheArchetypesAndParentFallsBack) {
    WriteArchetype("lamp", R"(key="lamp" idPrefix="lamp" tag="light" parentId="ceiling")",
                   R"(<component type="transform"><translate x="1" y="1" z="1"/><rotation x="0" y="0" z="0"/>
                        <scale x="1" y="1" z="1"/></component>
                      <component type="light"><intensity constant="1" linear="2" exponential="3"/></component>
                      <component type="body"><isStatic>false</isStatic><collider>Sphere</collider>
                        <material>Domino</material><extents x="0.2" y="1" z="0.5"/></component>)");
    WriteLevel("room", R"(<archetype key="lamp" id="a"/>
        <archetype key="lamp" id="b" parentId="wall">
          <component type="transform"><translate x="7" y="8" z="9"/><rotation x="0" y="45" z="0"/>
            <scale x="2" y="2" z="2"/></component>
          <component type="sprite"><model>sphere</model></component>
        </archetype>)");
    PlaceManager::Instance().Push("room");
    Object* a = ObjectManager::Instance().GetObject("a");
    Object* b = ObjectManager::Instance().GetObject("b");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->GetParentId(), "ceiling");
    EXPECT_EQ(b->GetParentId(), "wall");
    EXPECT_EQ(a->GetComponent<Transform>()->LocalPosition(), glm::vec3(1, 1, 1));
    EXPECT_EQ(b->GetComponent<Transform>()->LocalPosition(), glm::vec3(7, 8, 9));
    EXPECT_FLOAT_EQ(b->GetComponent<Transform>()->LocalRotationDegrees().y, 45.0f);
    EXPECT_EQ(b->Components().size(), 4u);
    EXPECT_EQ(b->GetComponent<Sprite>()->GetModel(), "sphere");
    // Clones are objects' own: settings copied, never the prototype itself.
    Light* light = b->GetComponent<Light>();
    EXPECT_FLOAT_EQ(light->GetExponential(), 3.0f);
    EXPECT_NE(light, a->GetComponent<Light>());
    Body* body = a->GetComponent<Body>();
    EXPECT_EQ(body->GetTransform(), a->GetComponent<Transform>()); // initialised after all were added
    EXPECT_FLOAT_EQ(body->GetInverseMass(), 2.0f);                 // Domino 0.2 x 1 x 0.5
    EXPECT_EQ(body->GetCollider()->GetBody(), body); // its own collider, not the prototype's
}

TEST_F(ObjectFactoryTest, OnlyTheArchetypePlayerGetsAPlayer) {
    WriteSimpleArchetype("player", "player", "player");
    WriteSimpleArchetype("Player", "Player", "player");
    PlaceManager::Instance().Push("field");
    EXPECT_TRUE(Create("player")->HasComponent<Player>());
    EXPECT_FALSE(Create("Player")->HasComponent<Player>());
}

TEST_F(ObjectFactoryTest, RespawnReturnsThePlayerToWhereItWasBuiltAndLeavesOtherObjects) {
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

TEST_F(ObjectFactoryTest, PlayerWithoutTransformIsReportedAndCannotRespawn) {
    WriteArchetype("player", R"(key="player" idPrefix="player" tag="player")", R"(<component type="camera"/>)");
    PlaceManager::Instance().Push("field");
    Object* player = Create("player");
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->GetComponent<Player>()->GetRespawnPosition(), nullptr);
    EXPECT_TRUE(Logged("The player player1 has no transform"));
}

} // namespace
