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

TEST(CompositionTest, SecondComponentOfAClassReplacesTheFirstAndEachIsDeletedOnce) {
    g_deleted = 0;
    {
        Object object("a", "tag", "place", "");
        object.AddComponent(std::make_unique<Counted>());
        Counted* second = object.AddComponent(std::make_unique<Counted>());
        object.AddComponent(std::make_unique<Transform>(glm::vec3(0), glm::vec3(1), glm::vec3(0)));
        EXPECT_EQ(g_deleted, 1);
        EXPECT_EQ(object.Components().size(), 2u);
        EXPECT_EQ(object.GetComponent<Counted>(), second);
        EXPECT_EQ(second->GetOwner(), &object);
    }
    EXPECT_EQ(g_deleted, 2);
}

TEST(CompositionTest, LookupIsByExactClassAndACopiedComponentHasNoOwner) {
    Object object("a", "tag", "place", "");
    object.AddComponentOfOwnClass(std::make_unique<Sprite>());
    Sprite* sprite = object.GetComponent<Sprite>();
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(object.GetComponent<SpriteBase>(), nullptr);
    EXPECT_TRUE(object.HasComponent<Sprite>());
    EXPECT_FALSE(object.HasComponent<Transform>());
    sprite->SetModel("sphere");
    ASSERT_EQ(sprite->GetOwner(), &object);
    Sprite copy(*sprite);
    EXPECT_EQ(copy.GetOwner(), nullptr);
    EXPECT_EQ(copy.GetModel(), "sphere");
}

} // namespace
