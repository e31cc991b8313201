// Filing, finding, marking dead and destroying objects, with their log lines and announcements.
#include "objects/ObjectManager.h"

#include "engine/SignalManager.h"
#include "objects/PlaceManager.h"
#include "tests/content/ContentFixture.h"
#include "tests/objects/ObjectRecorder.h"

using namespace zumek;

namespace {

class ObjectManagerTest : public test::ContentFixture {
protected:
    void SetUp() override {
        ContentFixture::SetUp();
        WriteSimpleArchetype("crate", "crate", "box");
        WriteSimpleArchetype("goal", "goal", "goal");
    }
    static Object* Create(const std::string& archetype, const std::string& id = {}) {
        ObjectCreateSignal request;
        request.archetype = archetype;
        request.id = id;
        return ObjectManager::Instance().CreateObject(request, "");
    }
    static void MarkDead(const std::string& id) { SignalManager::Emit(ObjectDestroySignal{id}); }
    ObjectManager& manager = ObjectManager::Instance();
};

TEST_F(ObjectManagerTest, MarkedObjectLivesUntilTheFrameEndsThenIsAnnouncedOnce) {
    PlaceManager::Instance().Push("yard");
    Create("crate");
    test::ObjectRecorder recorder;
    MarkDead("crate1");
    MarkDead("crate1");
    EXPECT_NE(manager.GetObject("crate1"), nullptr);
    manager.DestroyDeadObjects();
    EXPECT_EQ(manager.GetObject("crate1"), nullptr);
    manager.DestroyDeadObjects();
    EXPECT_EQ(recorder.events, std::vector<std::string>{"destroyed crate1@yard"});
    EXPECT_EQ(CountLogged("crate1 has been marked as dead."), 2);
    EXPECT_EQ(CountLogged("crate1 has been destroyed."), 1);
}

TEST_F(ObjectManagerTest, MarksForObjectsBelowTheTopPlaceAreDropped) {
    PlaceManager::Instance().Push("below");
    Create("crate");
    PlaceManager::Instance().Push("above");
    MarkDead("crate1");
    manager.DestroyDeadObjects();
    EXPECT_EQ(manager.CountObjects("below"), 1u);
    // The mark does not linger until the place is on top again.
    PlaceManager::Instance().Pop();
    PlaceManager::Instance().Update();
    manager.DestroyDeadObjects();
    EXPECT_NE(manager.GetObject("crate1"), nullptr);
}

TEST_F(ObjectManagerTest, CreateRequestSignalBuildsInTheCurrentPlaceAndAnnounces) {
    PlaceManager::Instance().Push("yard");
    test::ObjectRecorder recorder;
    ObjectCreateSignal request;
    request.archetype = "goal";
    SignalManager::Emit(request);
    ASSERT_NE(manager.GetObject("goal1"), nullptr);
    EXPECT_EQ(manager.GetObject("goal1")->GetPlace(), "yard");
    EXPECT_EQ(recorder.events, std::vector<std::string>{"created goal1"});
}

TEST_F(ObjectManagerTest, LookupsFollowCreationOrder) {
    PlaceManager::Instance().Push("yard");
    for (int i = 0; i < 20; ++i) Create("crate");
    Create("goal", "g2");
    Create("goal", "g1");
    std::vector<Object*> objects = manager.GetObjects();
    ASSERT_EQ(objects.size(), 22u);
    for (size_t i = 1; i < objects.size(); ++i) EXPECT_LT(objects[i - 1]->GetNumber(), objects[i]->GetNumber());
    EXPECT_EQ(manager.GetObjectByTag("goal")->GetId(), "g2");
    EXPECT_EQ(manager.GetObjectByTag("nothing"), nullptr);
}

TEST_F(ObjectManagerTest, DuplicateIdReplacesTheOldObjectAndDestroysItProperly) {
    PlaceManager::Instance().Push("yard");
    Object* old = Create("crate", "twin");
    test::ObjectRecorder recorder;
    Object* replacement = Create("goal", "twin");
    ASSERT_NE(replacement, nullptr);
    EXPECT_NE(replacement, old);
    EXPECT_EQ(manager.GetObject("twin"), replacement);
    EXPECT_EQ(manager.GetObjects().size(), 1u);
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"destroyed twin@yard", "created twin"}));
    EXPECT_TRUE(Logged("twin already exists in place yard"));
}

TEST_F(ObjectManagerTest, DestroyAllEmptiesEveryPlaceAndForgetsMarks) {
    PlaceManager::Instance().Push("a");
    Create("crate");
    PlaceManager::Instance().Push("b");
    Create("crate");
    MarkDead("crate2");
    test::ObjectRecorder recorder;
    manager.DestroyAllObjects();
    EXPECT_EQ(recorder.events.size(), 2u);
    EXPECT_EQ(manager.CountObjects("a") + manager.CountObjects("b"), 0u);
    Create("crate", "crate2");
    manager.DestroyDeadObjects();
    EXPECT_NE(manager.GetObject("crate2"), nullptr);
}

/// Answers a destruction by creating an object and marking another one dead, as scripts do.
struct Reactor : SignalHandler<ObjectDestroyedSignal> {
    Reactor() { SignalManager::Connect<ObjectDestroyedSignal>(this); }
    void Handle(ObjectDestroyedSignal signal) override {
        if (signal.id != "crate1") return;
        ObjectCreateSignal request;
        request.archetype = "goal";
        SignalManager::Emit(request);
        SignalManager::Emit(ObjectDestroySignal{"crate2"});
    }
};

TEST_F(ObjectManagerTest, ReceiversMayCreateAndMarkWhileObjectsAreDestroyed) {
    PlaceManager::Instance().Push("yard");
    for (int i = 0; i < 3; ++i) Create("crate");
    Reactor reactor;
    MarkDead("crate1");
    manager.DestroyDeadObjects();
    EXPECT_NE(manager.GetObject("goal1"), nullptr);
    EXPECT_NE(manager.GetObject("crate2"), nullptr); // marked during the step: goes next frame
    manager.DestroyDeadObjects();
    EXPECT_EQ(manager.GetObject("crate2"), nullptr);
    MarkDead("crate3");
    manager.DestroyPlaceObjects("yard");
    EXPECT_EQ(manager.CountObjects("yard"), 0u);
}

} // namespace
