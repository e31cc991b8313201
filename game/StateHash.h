// game/StateHash.h
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/System.h"

namespace zumek {

class Object;

/// A 64-bit FNV-1a hash of the game's state: for every object, in the order given (creation
/// order), its id, its transform (position, rotation, scale) and, with a body, the body's
/// position, orientation, velocities and whether it is awake. The floats go in by their bit
/// patterns, so two runs hash alike only when they agree to the last bit.
uint64_t HashState(const std::vector<Object*>& objects);

/// "state hash=<16 hex digits> frames=<frames> objects=<count>", the line --state-hash prints.
std::string StateHashLine(const std::vector<Object*>& objects, long frames);

/// --state-hash: last in the systems list, it hashes the objects as each frame ends; the line of
/// the last frame is what the run prints (the objects are gone once the run has stopped).
class StateHashRecorder final : public System {
public:
    StateHashRecorder() : System(STATE_HASH_SYSTEM_ID) {}
    void Update(float, std::vector<Object*>& objects) override { m_line = StateHashLine(objects, ++m_frames); }
    void Shutdown() override {}
    const std::string& Line() const { return m_line; }

private:
    long m_frames = 0;
    std::string m_line = StateHashLine({}, 0);
};

} // namespace zumek
