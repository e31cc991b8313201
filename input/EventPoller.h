// input/EventPoller.h
#pragma once
#include "engine/SignalHandler.h"
#include "engine/Signals.h"
#include "engine/WindowCallback.h"

namespace zumek {

/// Turns window messages into one-shot input events: keys, focus, size, clicks and mouse motion.
class EventPoller final : public SignalHandler<PlaceId>, public WindowCallback {
public:
    EventPoller();
    void Handle(PlaceId place) override { m_place = place; }
    void OnMessage(Window* window, uint32_t message, uint64_t wParam, int64_t lParam) override;

    PlaceId CurrentPlace() const { return m_place; }

private:
    void OnKeyDown(uint32_t key);

    float m_lastX = 0;
    float m_lastY = 0;
    PlaceId m_place = PLACE_DEFAULT;
};

} // namespace zumek
