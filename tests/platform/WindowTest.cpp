// The game window on a real (or virtual) display: Alt+Return, and holding the mouse for mouse
// look. (Full screen by default and a window of the asked size are checked by the desktop and
// spine scenes, from the screenshots' sizes.)
#include "platform/Window.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <vector>

#include "tests/platform/KeepGlLoaded.h"

using namespace zumek;

namespace {

/// Pumps the window's events for a while (the display answers asynchronously).
std::vector<WindowMessage> Pump(Window& window, int rounds = 10) {
    std::vector<WindowMessage> out;
    for (int i = 0; i < rounds; ++i) {
        window.PollMessages(out);
        SDL_Delay(10);
    }
    return out;
}

void PushKey(SDL_Keycode sym, SDL_Scancode scancode, Uint16 mod) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = scancode;
    e.key.keysym.mod = mod;
    SDL_PushEvent(&e);
}

int Count(const std::vector<WindowMessage>& messages, uint32_t message, uint64_t wParam) {
    int n = 0;
    for (const auto& m : messages) n += m.message == message && m.wParam == wParam;
    return n;
}

} // namespace

TEST(Window, AltReturnTogglesFullScreenAndIsNoKeyForTheGame) {
    Window window("Tovalik", 320, 240);
    Pump(window);
    ASSERT_FALSE(window.IsFullScreen());
    PushKey(SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT);
    auto messages = Pump(window);
    EXPECT_TRUE(window.IsFullScreen());
    EXPECT_EQ(Count(messages, WM_KEYDOWN, VK_RETURN), 0);
    PushKey(SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_RALT);
    Pump(window);
    EXPECT_FALSE(window.IsFullScreen());
    // Return alone is the game's.
    PushKey(SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_NONE);
    messages = Pump(window);
    EXPECT_FALSE(window.IsFullScreen());
    EXPECT_EQ(Count(messages, WM_KEYDOWN, VK_RETURN), 1);
}

TEST(Window, HeldMouseHidesTheCursorAndReportsAccumulatedPositions) {
    Window window("Tovalik", 320, 240);
    Pump(window);
    if (!window.SetMouseCaptured(true)) GTEST_SKIP() << "this display offers no relative mouse mode: " << SDL_GetError();
    EXPECT_TRUE(window.IsMouseCaptured());
    EXPECT_TRUE(SDL_GetRelativeMouseMode());
    Pump(window); // whatever the display sends on the grab

    for (int i = 0; i < 3; ++i) {
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        e.motion.x = 319;
        e.motion.xrel = 300;
        e.motion.yrel = 1;
        SDL_PushEvent(&e);
    }
    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONUP;
    click.button.button = SDL_BUTTON_LEFT;
    click.button.x = 319;
    click.button.y = 3;
    SDL_PushEvent(&click);
    std::vector<WindowMessage> moves, clicks;
    for (const auto& m : Pump(window)) {
        if (m.message == WM_MOUSEMOVE) moves.push_back(m);
        if (m.message == WM_LBUTTONUP) clicks.push_back(m);
    }
    ASSERT_EQ(moves.size(), 3u);
    for (size_t i = 1; i < moves.size(); ++i) {
        EXPECT_EQ((LowWord(moves[i].lParam) - LowWord(moves[i - 1].lParam)) & 0xFFFFu, 300u);
        EXPECT_EQ((HighWord(moves[i].lParam) - HighWord(moves[i - 1].lParam)) & 0xFFFFu, 1u);
    }
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].lParam, PackPoint(160, 120)); // the centre, where the view aims

    EXPECT_FALSE(window.SetMouseCaptured(false));
    EXPECT_FALSE(SDL_GetRelativeMouseMode());
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}
