// Mouse buttons and the cursor as input states.
#include "input/MouseWin32Handler.h"

#include <gtest/gtest.h>

#include "input/InputStates.h"
#include "platform/WindowMessages.h"

using namespace zumek;

TEST(MouseWin32Handler, ButtonsAndCursor) {
    MouseWin32Handler handler;
    auto& states = InputStates::Instance();
    handler.OnMessage(nullptr, WM_MOUSEMOVE, 0, PackPoint(30, 40));
    ASSERT_TRUE(states.Get(2).active);
    EXPECT_EQ(states.Get(2).value->x, 30);
    EXPECT_EQ(states.Get(2).value->y, 40);

    handler.OnMessage(nullptr, WM_LBUTTONDOWN, 0, PackPoint(1, 2));
    ASSERT_TRUE(states.IsActive(input_state::LEFT));
    EXPECT_EQ(states.Get(input_state::LEFT).value->y, 2);
    handler.OnMessage(nullptr, WM_LBUTTONDBLCLK, 0, PackPoint(9, 9));
    EXPECT_EQ(states.Get(input_state::LEFT).value->x, 1);
    handler.OnMessage(nullptr, WM_LBUTTONUP, 0, PackPoint(3, 4));
    EXPECT_FALSE(states.IsActive(input_state::LEFT));
    EXPECT_EQ(states.Get(input_state::LEFT).value, nullptr);

    handler.OnMessage(nullptr, WM_RBUTTONDOWN, 0, PackPoint(5, 6));
    EXPECT_TRUE(states.IsActive(input_state::RIGHT));
    handler.OnMessage(nullptr, WM_RBUTTONUP, 0, 0);
    EXPECT_FALSE(states.IsActive(input_state::RIGHT));

    handler.OnMessage(nullptr, WM_KEYDOWN, 'A', PackPoint(7, 7));
    EXPECT_EQ(states.Get(2).value->x, 30);
}
