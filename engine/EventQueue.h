// engine/EventQueue.h
#pragma once
#include <cstdint>

namespace zumek {

/// The pending one-shot input events as the frame loop sees them (the input store implements it).
class EventQueue {
public:
    virtual ~EventQueue() = default;
    /// Removes `code` if it is pending and says whether it was.
    virtual bool Take(int32_t code) = 0;
};

} // namespace zumek
