// scripting/ScriptLimits.cpp
#include "scripting/ScriptLimits.h"

#include <algorithm>

#include <lua.hpp>

#include "scripting/ScriptSandbox.h"

namespace zumek {
namespace {

/// The registry key of the limits watching a state (the extra space holds the live objects).
const char kLimitsKey = 0;

ScriptLimits* LimitsOf(lua_State* L) {
    lua_rawgetp(L, LUA_REGISTRYINDEX, &kLimitsKey);
    ScriptLimits* limits = static_cast<ScriptLimits*>(lua_touserdata(L, -1));
    lua_pop(L, 1);
    return limits;
}

} // namespace

void ScriptLimits::Attach(lua_State* L, LuaAllocator& allocator) {
    m_state = L;
    m_allocator = &allocator;
    allocator.SetLimit(m_memoryLimit);
    allocator.SetRefusalHandler(OnRefusal, this);
    lua_pushlightuserdata(L, this);
    lua_rawsetp(L, LUA_REGISTRYINDEX, &kLimitsKey);
    lua_sethook(L, Hook, LUA_MASKCOUNT, kHookStep);
}

void ScriptLimits::Detach() {
    if (m_allocator) m_allocator->SetRefusalHandler(nullptr, nullptr);
    m_state = nullptr;
    m_allocator = nullptr;
    m_depth = 0;
    m_stopping = false;
}

void ScriptLimits::SetMemoryLimit(size_t bytes) {
    m_memoryLimit = bytes;
    if (m_allocator) m_allocator->SetLimit(bytes);
}

void ScriptLimits::BeginCall() {
    if (m_depth++ > 0) return;
    ResetBudget();
}

void ScriptLimits::ResetBudget() {
    m_executed = 0;
    m_stopping = false;
    m_why.clear();
    if (m_state) lua_sethook(m_state, Hook, LUA_MASKCOUNT, kHookStep);
}

void ScriptLimits::EndCall() {
    if (m_depth == 0 || --m_depth > 0) return;
    m_peak = std::max(m_peak, m_executed);
    if (!m_stopping) return;
    ResetBudget();
    // What the stopped call built is garbage now; a script that ran out of memory left plenty.
    if (m_state) lua_gc(m_state, LUA_GCCOLLECT, 0);
}

void ScriptLimits::Stop(lua_State* L, const std::string& why) {
    m_stopping = true;
    m_why = why;
    lua_sethook(L, Hook, LUA_MASKCOUNT, 1);
    if (m_state && L != m_state) lua_sethook(m_state, Hook, LUA_MASKCOUNT, 1);
}

void ScriptLimits::Hook(lua_State* L, lua_Debug* ar) {
    ScriptLimits* self = LimitsOf(L);
    if (!self) return;
    if (!self->m_stopping) {
        // A coroutine left from a stop still looks every instruction: back to the usual step.
        const int step = lua_gethookcount(L);
        if (step != kHookStep) lua_sethook(L, Hook, LUA_MASKCOUNT, kHookStep);
        self->m_executed += static_cast<uint64_t>(step);
        if (self->m_executed <= self->m_instructionLimit) return;
        lua_getinfo(L, "S", ar);
        self->Stop(L, "script " + ScriptChunkName(*ar) + " ran past " + std::to_string(self->m_instructionLimit) +
                          " instructions");
    }
    lua_getinfo(L, "Sl", ar);
    lua_pushfstring(L, "%s:%d: stopped: %s", ar->short_src, ar->currentline, self->m_why.c_str());
    lua_error(L);
}

void ScriptLimits::OnRefusal(void* context) {
    ScriptLimits& self = *static_cast<ScriptLimits*>(context);
    // Outside a call (the state being built or closed) Lua's own memory error is all there is.
    if (self.m_depth == 0 || self.m_stopping || !self.m_state) return;
    const size_t mebibytes = self.m_memoryLimit >> 20;
    const std::string limit = mebibytes > 0 ? std::to_string(mebibytes) + " MiB" : std::to_string(self.m_memoryLimit) + " bytes";
    self.Stop(self.m_state, "script " + RunningScriptName(self.m_state, 0) + " went past the memory limit of " + limit);
}

} // namespace zumek
