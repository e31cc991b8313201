// The place stack: pushing loads at once, pops and replacements wait for the place update, and
// an empty stack gets the main menu.
#include "objects/PlaceManager.h"

#include "objects/ObjectManager.h"
#include "objects/ObjectWorld.h"
#include "tests/content/ContentFixture.h"
#include "tests/objects/ObjectRecorder.h"

using namespace zumek;

namespace {

class PlaceManagerTest : public test::ContentFixture {
protected:
    void SetUp() override {
        ContentFixture::SetUp();
        WriteSimpleArchetype("crate", "crate", "box");
        WriteLevel("mainmenu", R"(<archetype key="crate" id="play"/><archetype key="crate" id="quit"/>)");
        WriteLevel("one", R"(<archetype key="crate"/>)");
        WriteLevel("two", R"(<archetype key="crate"/>)");
        WriteLevel("three", R"(<archetype key="crate"/>)");
    }
    PlaceManager& places = PlaceManager::Instance();
    ObjectManager& objects = ObjectManager::Instance();
};

TEST_F(PlaceManagerTest, AStackLeftEmptyGetsTheMainMenuAgain) {
    places.Push("mainmenu");
    test::ObjectRecorder recorder;
    places.Pop();
    EXPECT_EQ(places.Places().size(), 1u); // nothing happens before the place update
    places.Update();
    EXPECT_EQ(places.Places(), std::vector<std::string>{"mainmenu"});
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"destroyed play@mainmenu", "destroyed quit@mainmenu",
                                                         "created play", "created quit"}));
}

TEST_F(PlaceManagerTest, SetReplacesTheWholeStack) {
    places.Push("one");
    places.Push("two");
    places.Push("three");
    places.Set("mainmenu");
    places.Update();
    EXPECT_EQ(places.Places(), std::vector<std::string>{"mainmenu"});
    EXPECT_EQ(objects.CountObjects("one") + objects.CountObjects("two") + objects.CountObjects("three"), 0u);
    EXPECT_EQ(objects.GetObjects().size(), 2u);
}

TEST_F(PlaceManagerTest, PopRemovesEveryEntryOfThePlaceAndTwoPopsPopOnce) {
    places.Push("one");
    places.Push("two");
    places.Push("two");
    EXPECT_EQ(places.Places().size(), 3u);
    places.Pop();
    places.Pop();
    places.Update();
    EXPECT_EQ(places.Places(), std::vector<std::string>{"one"});
    EXPECT_EQ(objects.CountObjects("two"), 0u);
    EXPECT_EQ(objects.CountObjects("one"), 1u);
}

TEST_F(PlaceManagerTest, PopAndSetInOneFrameBothHappenPopFirst) {
    places.Push("one");
    places.Push("two");
    places.Pop();
    places.Set("three");
    places.Update();
    EXPECT_EQ(places.Places(), std::vector<std::string>{"three"});
}

TEST_F(PlaceManagerTest, UnknownPlaceIsPushedEmpty) {
    places.Push("atlantis");
    EXPECT_EQ(places.CurrentPlace(), "atlantis");
    EXPECT_TRUE(objects.GetObjects().empty());
    EXPECT_TRUE(Logged("The Level file atlantis could not be loaded."));
}

TEST_F(PlaceManagerTest, WorldChangesLevelsAsTheFrameLoopDoes) {
    ObjectWorld world;
    EXPECT_EQ(world.PlaceCount(), 0u);
    world.PushPlace("one");
    world.DestroyDeadObjects();
    world.UpdatePlaces();
    EXPECT_EQ(world.GetObjects().size(), 1u);
    // A level change: the loop pops the current place and pushes the next at once. To the level
    // already shown, the old copy goes and a fresh one stays.
    struct Change {
        const char* next;
        const char* fresh;
        std::vector<std::string> events;
    };
    const Change changes[] = {
        {"one", "crate2", {"destroyed crate1@one", "created crate2"}},
        {"two", "crate3", {"created crate3", "destroyed crate2@one"}},
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.next);
        test::ObjectRecorder recorder;
        world.PopPlace();
        world.PushPlace(change.next);
        world.DestroyDeadObjects();
        world.UpdatePlaces();
        EXPECT_EQ(places.Places(), std::vector<std::string>{change.next});
        ASSERT_EQ(world.GetObjects().size(), 1u);
        EXPECT_EQ(world.GetObjects()[0]->GetId(), change.fresh);
        EXPECT_EQ(recorder.events, change.events);
    }
    world.DestroyAllObjects();
    EXPECT_TRUE(world.GetObjects().empty());
}

} // namespace
