// engine/WindowCallback.cpp
#include "engine/WindowCallback.h"

#include <vector>

#include "engine/SettingManager.h"
#include "platform/WindowMessages.h"

namespace zumek {
namespace {

std::vector<WindowCallback*>& CallbackList() {
    static std::vector<WindowCallback*> list;
    return list;
}

} // namespace

void RegisterCallback(WindowCallback* callback) { CallbackList().push_back(callback); }

void UnregisterCallback(WindowCallback* callback) { std::erase(CallbackList(), callback); }

const std::vector<WindowCallback*>& WindowCallbacks() { return CallbackList(); }

int64_t WndProc(Window* window, uint32_t message, uint64_t wParam, int64_t lParam) {
    switch (message) {
    case WM_PAINT:
        return 1;
    case WM_CLOSE: {
        auto application = SettingManager::GetSetting<ApplicationStateSetting>();
        if (application == 0) SettingManager::SetAndEmit<EngineStateSetting>(ENGINE_QUIT_REQUESTED);
        else if (application == 1) SettingManager::SetAndEmit<EngineStateSetting>(ENGINE_CLOSE_REQUESTED);
        return 0;
    }
    default: {
        // A callback may register another while this runs: walk by index.
        auto& list = CallbackList();
        for (size_t i = 0; i < list.size(); ++i) list[i]->OnMessage(window, message, wParam, lParam);
        return 0;
    }
    }
}

} // namespace zumek
