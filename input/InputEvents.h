// input/InputEvents.h
#pragma once
#include <unordered_set>

#include <glm/vec4.hpp>

#include "engine/EventQueue.h"
#include "engine/InputEvent.h"

namespace zumek {

/// The pending one-shot input events (each at most once) and the position of the last left click.
/// An event stays pending until a reader takes it.
class InputEvents final : public EventQueue {
public:
    static InputEvents& Instance();

    /// Adds `code`; nothing changes when it is already pending.
    void Raise(InputEvent code) { m_pending.insert(code); }
    /// Removes `code` if pending and says whether it was.
    bool Take(InputEvent code) override { return m_pending.erase(code) != 0; }
    /// Whether `code` is pending (it stays pending).
    bool Test(InputEvent code) const { return m_pending.count(code) != 0; }
    void Clear() { m_pending.clear(); }
    void DropPlayerActions() override { std::erase_if(m_pending, input_event::IsPlayerAction); }
    size_t PendingCount() const { return m_pending.size(); }

    /// The window position (x, y, 0, 0) of the last left-button release.
    glm::vec4 clickPosition{0.0f};

private:
    InputEvents() = default;
    std::unordered_set<InputEvent> m_pending;
};

} // namespace zumek
