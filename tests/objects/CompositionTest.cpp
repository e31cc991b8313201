// Objects as compositions: one component per exact class, ownership and replacement.
#include "objects/Composition.h"

#include <memory>

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
    object.AddComponent(std::make_unique<Counted>());
    Counted* second = object.AddComponent(std::make_unique<Counted>());
    EXPECT_EQ(g_deleted, 1);
    EXPECT_EQ(object.Components().size(), 1u);
    EXPECT_EQ(object.GetComponent<Counted>(), second);
    EXPECT_EQ(second->GetOwner(), &object);
}

TEST(CompositionTest, DestroyingTheObjectDeletesEachComponentOnce) {
    g_deleted = 0;
    {
        Object object("a", "tag", "place", "");
        object.AddComponent(std::make_unique<Counted>());
        object.AddComponent(std::make_unique<Transform>(glm::vec3(0), glm::vec3(1), glm::vec3(0)));
    }
    EXPECT_EQ(g_deleted, 1);
}

TEST(CompositionTest, LookupIsByExactClass) {
    Object object("a", "tag", "place", "");
    object.AddComponentOfOwnClass(std::make_unique<Sprite>());
    EXPECT_NE(object.GetComponent<Sprite>(), nullptr);
    EXPECT_EQ(object.GetComponent<SpriteBase>(), nullptr);
    EXPECT_TRUE(object.HasComponent<Sprite>());
    EXPECT_FALSE(object.HasComponent<Transform>());
}

TEST(CompositionTest, CopiedComponentHasNoOwner) {
    Object object("a", "tag", "place", "");
    Sprite* sprite = object.AddComponent(std::make_unique<Sprite>());
    sprite->SetModel("sphere");
    Sprite copy(*sprite);
    EXPECT_EQ(copy.GetOwner(), nullptr);
    EXPECT_EQ(copy.GetModel(), "sphere");
}

} // namespace
