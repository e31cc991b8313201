// The window system on a display: the mouse is held for mouse look only while the current place
// wants it and the window has the focus; losing the focus lets it go and pauses nothing.
#include "engine/WindowSystem.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <vector>

#include "engine/WindowCallback.h"
#include "platform/Window.h"
#include "tests/platform/KeepGlLoaded.h"

using namespace zumek;

namespace {

void PushFocus(bool gained) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&e);
}

struct KeyCounter : WindowCallback {
    void OnMessage(Window*, uint32_t message, uint64_t, int64_t) override { keys += message == WM_KEYDOWN; }
    int keys = 0;
};

class WindowSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        system.SetMouseLookTest([this](const std::vector<Object*>&) { return placeHasPlayer; });
        // Let the display settle (mapping, its own focus events), then take the focus.
        for (int i = 0; i < 10; ++i) {
            Frame();
            SDL_Delay(10);
        }
        PushFocus(true);
        Frame();
        if (!system.GetWindow()->IsMouseCaptured())
            GTEST_SKIP() << "this display offers no relative mouse mode: " << SDL_GetError();
    }
    void Frame() {
        std::vector<Object*> objects;
        system.Update(0.011f, objects);
    }
    bool Held() const { return system.GetWindow()->IsMouseCaptured(); }

    bool placeHasPlayer = true;
    WindowSystem system{"Tovalik", 320, 240};
};

} // namespace

TEST_F(WindowSystemTest, MouseIsHeldOnlyInPlacesWithAPlayer) {
    EXPECT_TRUE(Held());
    placeHasPlayer = false; // the menu, say
    Frame();
    EXPECT_FALSE(Held());
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    placeHasPlayer = true;
    Frame();
    EXPECT_TRUE(Held());
    // Without a mouse-look test the mouse stays free.
    system.SetMouseLookTest(nullptr);
    Frame();
    EXPECT_FALSE(Held());
}

TEST_F(WindowSystemTest, LosingTheFocusLetsTheMouseGoAndPausesNothing) {
    static KeyCounter counter;
    RegisterCallback(&counter);
    PushFocus(false);
    Frame();
    EXPECT_FALSE(system.HasFocus());
    EXPECT_FALSE(Held());
    // Messages still flow without the focus: nothing stopped.
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_w;
    key.key.keysym.scancode = SDL_SCANCODE_W;
    SDL_PushEvent(&key);
    Frame();
    EXPECT_EQ(counter.keys, 1);
    EXPECT_FALSE(Held());
    PushFocus(true);
    Frame();
    EXPECT_TRUE(Held());
}
