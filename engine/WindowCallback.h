// engine/WindowCallback.h
#pragma once
#include <cstdint>
#include <vector>

namespace zumek {

class Window;

/// A receiver of window messages (all but WM_PAINT and WM_CLOSE, which the window procedure
/// handles itself).
class WindowCallback {
public:
    virtual void OnMessage(Window* window, uint32_t message, uint64_t wParam, int64_t lParam) = 0;
    virtual ~WindowCallback() = default;
};

/// Appends to the process-wide callback list; registration order is delivery order. The list
/// does not own its entries: whoever registers one unregisters it before it goes.
void RegisterCallback(WindowCallback* callback);
/// Removes `callback` from the list (nothing happens when it is not there).
void UnregisterCallback(WindowCallback* callback);
const std::vector<WindowCallback*>& WindowCallbacks();

/// The window procedure. WM_PAINT returns 1; WM_CLOSE requests the stop (engine state 3 while
/// the application state is 0, 4 while it is 1) and returns 0; every other message goes to each
/// callback in order and returns 0.
int64_t WndProc(Window* window, uint32_t message, uint64_t wParam, int64_t lParam);

} // namespace zumek
