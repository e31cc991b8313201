// SDL events become the window messages the window procedure expects.
#include "platform/MessageTranslation.h"

#include <gtest/gtest.h>

#include <SDL.h>

using namespace zumek;

namespace {

std::vector<WindowMessage> Translate(const SDL_Event& event) {
    std::vector<WindowMessage> out;
    TranslateSdlEvent(event, out);
    return out;
}

SDL_Event Key(Uint32 type, SDL_Keycode sym, SDL_Scancode scancode, Uint8 repeat = 0) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = scancode;
    e.key.repeat = repeat;
    return e;
}

SDL_Event WindowEvent(Uint8 which, Sint32 a = 0, Sint32 b = 0) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = which;
    e.window.data1 = a;
    e.window.data2 = b;
    return e;
}

} // namespace

TEST(MessageTranslation, KeysBecomeVirtualKeyCodes) {
    auto down = Translate(Key(SDL_KEYDOWN, SDLK_w, SDL_SCANCODE_W));
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].message, WM_KEYDOWN);
    EXPECT_EQ(down[0].wParam, 0x57u);
    EXPECT_EQ(Translate(Key(SDL_KEYUP, SDLK_RETURN, SDL_SCANCODE_RETURN)).at(0).message, WM_KEYUP);
    EXPECT_EQ(Translate(Key(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN)).at(0).wParam, 0x0Du);
    EXPECT_EQ(Translate(Key(SDL_KEYDOWN, SDLK_F5, SDL_SCANCODE_F5)).at(0).wParam, 0x74u);
    EXPECT_EQ(Translate(Key(SDL_KEYDOWN, SDLK_RCTRL, SDL_SCANCODE_RCTRL)).at(0).wParam, 0x11u);
    EXPECT_EQ(Translate(Key(SDL_KEYDOWN, SDLK_3, SDL_SCANCODE_3)).at(0).wParam, 0x33u);
}

TEST(MessageTranslation, KeypadKeysAreNumpadCodesWhateverNumLockSays) {
    // With Num Lock off the keypad reports navigation keycodes; the scancode decides.
    EXPECT_EQ(Translate(Key(SDL_KEYDOWN, SDLK_KP_1, SDL_SCANCODE_KP_1)).at(0).wParam, 0x61u);
    EXPECT_EQ(Translate(Key(SDL_KEYDOWN, SDLK_END, SDL_SCANCODE_KP_1)).at(0).wParam, 0x61u);
    EXPECT_EQ(Translate(Key(SDL_KEYDOWN, SDLK_KP_9, SDL_SCANCODE_KP_9)).at(0).wParam, 0x69u);
    EXPECT_EQ(Translate(Key(SDL_KEYDOWN, SDLK_KP_0, SDL_SCANCODE_KP_0)).at(0).wParam, 0x60u);
}

TEST(MessageTranslation, KeyRepeatSendsKeyDownAgain) {
    auto repeat = Translate(Key(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A, 1));
    ASSERT_EQ(repeat.size(), 1u);
    EXPECT_EQ(repeat[0].message, WM_KEYDOWN);
}

TEST(MessageTranslation, KeysWithoutACodeSendNothing) {
    EXPECT_TRUE(Translate(Key(SDL_KEYDOWN, SDLK_AUDIOPLAY, SDL_SCANCODE_AUDIOPLAY)).empty());
}

TEST(MessageTranslation, MousePositionIsPackedLowXHighY) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = 300;
    e.motion.y = 200;
    auto m = Translate(e).at(0);
    EXPECT_EQ(m.message, WM_MOUSEMOVE);
    EXPECT_EQ(m.lParam, (200 << 16) | 300);

    SDL_Event b{};
    b.type = SDL_MOUSEBUTTONUP;
    b.button.button = SDL_BUTTON_LEFT;
    b.button.x = 5;
    b.button.y = 7;
    EXPECT_EQ(Translate(b).at(0).message, WM_LBUTTONUP);
    b.type = SDL_MOUSEBUTTONDOWN;
    b.button.button = SDL_BUTTON_RIGHT;
    EXPECT_EQ(Translate(b).at(0).message, WM_RBUTTONDOWN);
    EXPECT_EQ(HighWord(Translate(b).at(0).lParam), 7u);
}

TEST(MessageTranslation, HeldMouseMovesByItsRelativeStepsAndClicksAtTheCentre) {
    CapturedMouse captured;
    captured.active = true;
    captured.x = 100;
    captured.y = 50;
    captured.clickX = 640;
    captured.clickY = 360;
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = 1279; // SDL's cursor stays at the edge
    e.motion.y = 0;
    e.motion.xrel = 25;
    e.motion.yrel = -60;
    std::vector<WindowMessage> out;
    TranslateSdlEvent(e, out, &captured);
    TranslateSdlEvent(e, out, &captured);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].lParam, PackPoint(125, 65526)); // y wrapped below 0
    EXPECT_EQ(out[1].lParam, PackPoint(150, 65466));

    SDL_Event b{};
    b.type = SDL_MOUSEBUTTONUP;
    b.button.button = SDL_BUTTON_LEFT;
    b.button.x = 3;
    b.button.y = 4;
    out.clear();
    TranslateSdlEvent(b, out, &captured);
    EXPECT_EQ(out.at(0).lParam, PackPoint(640, 360));

    // Let go: SDL's positions again.
    captured.active = false;
    out.clear();
    TranslateSdlEvent(e, out, &captured);
    TranslateSdlEvent(b, out, &captured);
    EXPECT_EQ(out.at(0).lParam, PackPoint(1279, 0));
    EXPECT_EQ(out.at(1).lParam, PackPoint(3, 4));
}

TEST(MessageTranslation, WindowEvents) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_EQ(Translate(quit).at(0).message, WM_CLOSE);
    EXPECT_EQ(Translate(WindowEvent(SDL_WINDOWEVENT_CLOSE)).at(0).message, WM_CLOSE);
    auto resized = Translate(WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 800, 600)).at(0);
    EXPECT_EQ(resized.message, WM_SIZE);
    EXPECT_EQ(resized.wParam, SIZE_RESTORED);
    EXPECT_EQ(LowWord(resized.lParam), 800u);
    EXPECT_EQ(Translate(WindowEvent(SDL_WINDOWEVENT_MINIMIZED)).at(0).wParam, SIZE_MINIMIZED);
    EXPECT_EQ(Translate(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED)).at(0).message, WM_SETFOCUS);
    EXPECT_EQ(Translate(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST)).at(0).message, WM_KILLFOCUS);
    EXPECT_TRUE(Translate(WindowEvent(SDL_WINDOWEVENT_MOVED, 1, 2)).empty());
    // Another display: the picture is fitted again as after a resize.
    EXPECT_EQ(Translate(WindowEvent(SDL_WINDOWEVENT_DISPLAY_CHANGED, 1)).at(0).message, WM_SIZE);
    SDL_Event display{};
    display.type = SDL_DISPLAYEVENT;
    display.display.event = SDL_DISPLAYEVENT_CONNECTED;
    auto fitted = Translate(display).at(0);
    EXPECT_EQ(fitted.message, WM_SIZE);
    EXPECT_EQ(fitted.wParam, SIZE_RESTORED);
}

TEST(MessageTranslation, ReplayKeyNamesAtTheEndsOfTheirRangesAndMisspelt) {
    // The named keys (Return, Control, Down, ...) are read in the replay tests.
    EXPECT_EQ(VirtualKeyFromName("A"), 0x41u);
    EXPECT_EQ(VirtualKeyFromName("Z"), 0x5Au);
    EXPECT_EQ(VirtualKeyFromName("0"), 0x30u);
    EXPECT_EQ(VirtualKeyFromName("F1"), 0x70u);
    EXPECT_EQ(VirtualKeyFromName("F12"), 0x7Bu);
    EXPECT_EQ(VirtualKeyFromName("Numpad0"), 0x60u);
    EXPECT_EQ(VirtualKeyFromName("Numpad9"), 0x69u);
    for (const char* bad : {"", "a", "F0", "F13", "Numpad", "Numpad10", "return", "Fx"})
        EXPECT_EQ(VirtualKeyFromName(bad), 0u) << bad;
}
