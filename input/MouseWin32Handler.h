// input/MouseWin32Handler.h
#pragma once
#include "engine/WindowCallback.h"

namespace zumek {

/// Keeps the mouse buttons and the cursor position as input states.
class MouseWin32Handler final : public WindowCallback {
public:
    void OnMessage(Window* window, uint32_t message, uint64_t wParam, int64_t lParam) override;
};

} // namespace zumek
