// engine/EventQueue.h
#pragma once
#include "engine/InputEvent.h"

namespace zumek {

/// The pending one-shot input events as the frame loop sees them (the input store implements it).
class EventQueue {
public:
    virtual ~EventQueue() = default;
    /// Removes `code` if it is pending and says whether it was.
    virtual bool Take(InputEvent code) = 0;
    /// Drops the pending player actions (input_event::IsPlayerAction), keeping the window's and
    /// the engine's events: the frame loop calls it as it changes the place.
    virtual void DropPlayerActions() = 0;
};

} // namespace zumek
