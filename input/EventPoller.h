// input/EventPoller.h
#pragma once
#include "engine/SignalHandler.h"
#include "engine/Signals.h"
#include "engine/WindowCallback.h"

namespace zumek {

/// Turns window messages into one-shot input events: keys, focus, size, clicks and mouse motion.
/// The walk and arrow keys go to the held keys instead (HeldKeys), which raise their events at
/// the start of every frame from their key-down to their key-up, or until the window loses the
/// focus. Mouse motion is read from the step between
/// successive positions, taken modulo 65536 so that accumulated mouse-look positions may wrap.
class EventPoller final : public SignalHandler<PlaceId>, public WindowCallback {
public:
    EventPoller();
    void Handle(PlaceId place) override;
    void OnMessage(Window* window, uint32_t message, uint64_t wParam, int64_t lParam) override;

    PlaceId CurrentPlace() const { return m_place; }

private:
    void OnKeyDown(uint32_t key);
    static float Step(float from, float to);

    float m_lastX = 0;
    float m_lastY = 0;
    PlaceId m_place = PLACE_DEFAULT;
};

} // namespace zumek
