// The window procedure: paint and close handling and delivery to the callbacks.
#include "engine/WindowCallback.h"

#include <gtest/gtest.h>

#include "engine/SettingManager.h"
#include "platform/WindowMessages.h"

using namespace zumek;

namespace {
struct CountingCallback : WindowCallback {
    void OnMessage(Window*, uint32_t message, uint64_t, int64_t) override { messages.push_back(message); }
    std::vector<uint32_t> messages;
};
} // namespace

TEST(WndProc, CloseRequestsTheStopByApplicationStateAndNeverReachesCallbacks) {
    CountingCallback callback;
    RegisterCallback(&callback);
    EXPECT_EQ(WndProc(nullptr, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(SettingManager::GetSetting<EngineStateSetting>(), ENGINE_QUIT_REQUESTED);
    SettingManager::GetSetting<ApplicationStateSetting>() = ApplicationStateSetting(1);
    WndProc(nullptr, WM_CLOSE, 0, 0);
    EXPECT_EQ(SettingManager::GetSetting<EngineStateSetting>(), ENGINE_CLOSE_REQUESTED);
    SettingManager::GetSetting<EngineStateSetting>() = ENGINE_RUNNING;
    SettingManager::GetSetting<ApplicationStateSetting>() = ApplicationStateSetting(2);
    WndProc(nullptr, WM_CLOSE, 0, 0);
    EXPECT_EQ(SettingManager::GetSetting<EngineStateSetting>(), ENGINE_RUNNING);
    EXPECT_EQ(WndProc(nullptr, WM_PAINT, 0, 0), 1);
    EXPECT_TRUE(callback.messages.empty());
}

TEST(WndProc, OtherMessagesReachEveryCallbackInRegistrationOrder) {
    std::vector<int> order;
    struct Ordered : WindowCallback {
        Ordered(int n, std::vector<int>& o) : number(n), out(o) {}
        void OnMessage(Window*, uint32_t, uint64_t, int64_t) override { out.push_back(number); }
        int number;
        std::vector<int>& out;
    };
    Ordered first(1, order), second(2, order);
    RegisterCallback(&first);
    RegisterCallback(&second);
    WndProc(nullptr, WM_KEYDOWN, 'A', 0);
    WndProc(nullptr, WM_DESTROY, 0, 0);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 1, 2}));
    // An unregistered callback (one about to go) hears nothing more; the others keep their order.
    UnregisterCallback(&first);
    UnregisterCallback(&first);
    WndProc(nullptr, WM_KEYDOWN, 'B', 0);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 1, 2, 2}));
    UnregisterCallback(&second);
}
