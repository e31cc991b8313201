// engine/Replay.h
#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/WindowMessages.h"

namespace zumek {

/// Recorded input: the window messages to inject at the start of each frame's message pump.
///
/// One line per event, "<frame> <event> [args]", frames counting from 1: "key NAME" (down then
/// up), "keydown NAME", "keyup NAME", "move X Y", "ldown X Y", "lup X Y", "rdown X Y", "rup X Y",
/// "close". '#' starts a comment; blank lines are ignored.
class Replay {
public:
    /// Parses `text`; on a malformed line returns false with "line N: what is wrong" in `error`.
    bool Parse(const std::string& text, std::string& error);

    /// The messages of `frame`, in file order (empty when there are none).
    const std::vector<WindowMessage>& MessagesFor(int frame) const;

    bool Empty() const { return m_frames.empty(); }
    /// The last frame that has messages (0 when there are none).
    int LastFrame() const { return m_frames.empty() ? 0 : m_frames.rbegin()->first; }

private:
    std::map<int, std::vector<WindowMessage>> m_frames;
};

} // namespace zumek
