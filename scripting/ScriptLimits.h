// scripting/ScriptLimits.h
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "scripting/LuaAllocator.h"

struct lua_State;
struct lua_Debug;

namespace zumek {

/// Keeps one runaway script from taking the game with it. Each protocol call (a global Lua
/// function the engine calls, or a script file's main chunk) gets a budget of Lua instructions,
/// counted by a count hook; the state's memory has a limit (LuaAllocator). A call that runs past
/// its budget, or hits the memory limit, is stopped: from then on every Lua instruction raises an
/// error until the call has unwound, so a script's own pcall cannot keep it going. The engine
/// reports the stop once and the next call starts with a fresh budget.
///
/// Calls nest (a script creating an object re-enters Lua): the budget and the stop belong to the
/// outermost call.
class ScriptLimits {
public:
    /// The heaviest call of the shipped game runs about 2,000 instructions (every level's replay
    /// and the menus, measured); 50 million take well under a second of pure Lua, so a loop that
    /// never ends is stopped before the player gives up, and no honest script comes near it.
    static constexpr uint64_t kDefaultInstructionLimit = 50'000'000;
    /// Instructions between two looks at the budget: rare enough to cost little.
    static constexpr int kHookStep = 1000;

    ScriptLimits() = default;
    ScriptLimits(const ScriptLimits&) = delete;
    ScriptLimits& operator=(const ScriptLimits&) = delete;

    /// Watches `L` (a new state, before any script ran) whose memory comes from `allocator`.
    void Attach(lua_State* L, LuaAllocator& allocator);
    /// Forgets the state (after it was closed).
    void Detach();

    /// The budget of one outermost call, in Lua instructions (rounded up to kHookStep).
    void SetInstructionLimit(uint64_t instructions) { m_instructionLimit = instructions; }
    uint64_t InstructionLimit() const { return m_instructionLimit; }
    /// The state's memory limit in bytes; kept for a state attached later.
    void SetMemoryLimit(size_t bytes);
    size_t MemoryLimit() const { return m_memoryLimit; }

    /// Around every protocol call. The outermost BeginCall starts a fresh budget; the outermost
    /// EndCall of a stopped call lifts the stop and collects what the call left behind.
    void BeginCall();
    void EndCall();
    /// Whether the running call is being stopped (a nested call's failure is then part of it),
    /// and why ("script <name> ran past ... instructions").
    bool Stopping() const { return m_stopping; }
    const std::string& StopReason() const { return m_why; }
    /// Whether the running call is the outermost one.
    bool Outermost() const { return m_depth == 1; }
    /// A fresh budget outside any call: for the finalizers run when the state is closed.
    void ResetBudget();

    /// The most instructions an outermost call ran so far (in steps of kHookStep).
    uint64_t PeakInstructions() const { return m_peak; }

private:
    static void Hook(lua_State* L, lua_Debug* ar);
    static void OnRefusal(void* self);
    /// Arms the stop: every further instruction of `L` (and of the main thread) raises.
    void Stop(lua_State* L, const std::string& why);

    lua_State* m_state = nullptr;
    LuaAllocator* m_allocator = nullptr;
    uint64_t m_instructionLimit = kDefaultInstructionLimit;
    size_t m_memoryLimit = LuaAllocator::kDefaultLimit; ///< bytes
    int m_depth = 0;
    uint64_t m_executed = 0; ///< instructions of the running outermost call
    uint64_t m_peak = 0;
    bool m_stopping = false;
    std::string m_why;
};

} // namespace zumek
