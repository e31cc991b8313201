// Objects as compositions: one component per exact class, ownership and replacement.
#include "objects/Composition.h"

#include <gtest/gtest.h>

#include "graphics/Sprite.h"
#include "objects/Object.h"
#include "objects/Transform.h"

using namespace zumek;

namespace {

int g_deleted = 0;

struct Counted final : Component {
    ~Counted() override { ++g_deleted; }
    void Initialize() override {}
    void Respawn() override {}
};

TEST(CompositionTest, SecondComponentOfAClassReplacesAndDeletesTheFirst) {
    g_deleted = 0;
    Object object("a", "tag", "place", "");
    auto* first = new Counted();
    auto* second = new Counted();
    object.AddComponent(first);
    object.AddComponent(second);
    EXPECT_EQ(g_deleted, 1);
    EXPECT_EQ(object.Components().size(), 1u);
    EXPECT_EQ(object.GetComponent<Counted>(), second);
    EXPECT_EQ(second->GetOwner(), &object);
}

TEST(CompositionTest, AddingTheStoredPointerAgainKeepsIt) {
    g_deleted = 0;
    Object object("a", "tag", "place", "");
    auto* component = new Counted();
    object.AddComponent(component);
    object.AddComponent(component);
    EXPECT_EQ(g_deleted, 0);
    EXPECT_EQ(object.GetComponent<Counted>(), component);
}

TEST(CompositionTest, DestroyingTheObjectDeletesEachComponentOnce) {
    g_deleted = 0;
    {
        Object object("a", "tag", "place", "");
        object.AddComponent(new Counted());
        object.AddComponent(new Transform(glm::vec3(0), glm::vec3(1), glm::vec3(0)));
    }
    EXPECT_EQ(g_deleted, 1);
}

TEST(CompositionTest, LookupIsByExactClass) {
    Object object("a", "tag", "place", "");
    object.AddComponentOfOwnClass(new Sprite());
    EXPECT_NE(object.GetComponent<Sprite>(), nullptr);
    EXPECT_EQ(object.GetComponent<SpriteBase>(), nullptr);
    EXPECT_TRUE(object.HasComponent<Sprite>());
    EXPECT_FALSE(object.HasComponent<Transform>());
}

TEST(CompositionTest, CopiedComponentHasNoOwner) {
    Object object("a", "tag", "place", "");
    auto* sprite = new Sprite();
    sprite->SetModel("sphere");
    object.AddComponent(sprite);
    Sprite copy(*sprite);
    EXPECT_EQ(copy.GetOwner(), nullptr);
    EXPECT_EQ(copy.GetModel(), "sphere");
}

} // namespace
