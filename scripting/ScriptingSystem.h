// scripting/ScriptingSystem.h
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "engine/SignalHandler.h"
#include "engine/Signals.h"
#include "engine/System.h"
#include "scripting/LiveObjects.h"
#include "scripting/LuaAllocator.h"
#include "scripting/ScriptLimits.h"
#include "scripting/ScriptValue.h"

struct lua_State;

namespace zumek {

/// Owns the process's Lua state and drives the game's scripts through a fixed protocol of global
/// Lua functions: InitializeScriptingSystem and Init at start; InitializePendingObjects,
/// SendPendingEvents and UpdateScriptComponent every frame; AttachComponentToObject,
/// DeleteGameObject and SendEvent when objects are created, destroyed or collide; Finalize and
/// RestartScriptingSystem at shutdown. Scripts reach the engine through the engine libraries.
///
/// A failing script never stops the game: its Lua message and traceback go to standard error
/// (and a line to the engine log), once per distinct failure, and the frame goes on. Scripts run
/// in a sandbox (ScriptSandbox.h), and a call that runs away (too many instructions, too much
/// memory) is stopped and reported (ScriptLimits.h).
class ScriptingSystem final : public System,
                              public SignalHandler<ObjectCreatedSignal>,
                              public SignalHandler<ObjectDestroyedSignal>,
                              public SignalHandler<CollisionSignal> {
public:
    /// The start files, run in this order before InitializeScriptingSystem.
    static constexpr const char* kStartScripts[] = {"Config", "main", "V3", "Math"};

    static ScriptingSystem& Instance();

    /// Creates the Lua state, registers the engine libraries, runs the start files, then calls
    /// InitializeScriptingSystem and Init. Once per process.
    void Initialize();
    /// The three per-frame calls, while ScriptSetting is 0; `dt` in seconds, as the frame loop
    /// measures it.
    void Update(float dt, std::vector<Object*>& objects) override;
    /// Calls Finalize and RestartScriptingSystem and closes the state; every later call into Lua
    /// is refused. Shutting down twice is a programming error.
    void Shutdown() override;

    /// Records the object for the libraries; attaches its script class when it has a Script.
    void Handle(ObjectCreatedSignal signal) override;
    /// Forgets the object, then tells the scripts (for every object, scripted or not).
    void Handle(ObjectDestroyedSignal signal) override;
    /// Sends "CollisionEvent" to each scripted party; the second one gets the vector negated.
    void Handle(CollisionSignal signal) override;

    /// Calls the global Lua function `name`. `format` lists one letter per argument, then ">",
    /// then one letter per result: arguments "d"/"f" a number (double, float or int), "i" an int,
    /// "s" a string, "u" a pointer (light userdata, nil when null); results "b" bool*, "d" double*,
    /// "i" int*, "s" std::string*. A format that does not match the arguments is a programming
    /// error (asserted; nothing is called). Returns the status of the protected call (0: success);
    /// a failure is reported with its traceback.
    template <class... Args>
    int CallScriptFunction(const char* name, const char* format, const Args&... args) {
        const ScriptValue values[sizeof...(Args) + 1] = {ScriptValue(args)..., ScriptValue(0)};
        return Call(name, format, values, sizeof...(Args));
    }
    /// Calls the global Lua function `name` without arguments or results.
    int CallScriptProcedure(const char* name) { return Call(name, ">", nullptr, 0); }
    /// Loads the file (Lua text only) and runs its main chunk once; false (reported) when it fails
    /// to load or run.
    bool RunScriptFile(const std::string& path);

    /// The Lua state; null before Initialize and after Shutdown.
    lua_State* GetState() const { return m_state; }
    /// The objects and components the libraries accept pointers to.
    LiveObjects& GetLiveObjects() { return m_live; }
    /// The instruction budget of a call and the memory limit of the state.
    ScriptLimits& GetLimits() { return m_limits; }
    /// Whether the state has been closed (process-wide; never reset).
    static bool IsLuaClosed() { return s_luaClosed; }

private:
    ScriptingSystem();

    int Call(const char* name, const char* format, const ScriptValue* values, size_t count);
    /// Checks the format against the values; false (asserted) on a mismatch.
    static bool CheckFormat(const char* name, const char* format, const ScriptValue* values, size_t count,
                            int& arguments, int& results);
    /// False (reported) when no state is open.
    bool CanCall(const char* name);
    /// Reports a failed call or script file (`what`), or, once, the stop of a runaway one.
    void ReportFailure(const std::string& what, const char* message);

    std::unique_ptr<LuaAllocator> m_allocator; ///< the state's memory, released after it closed
    lua_State* m_state = nullptr;
    LiveObjects m_live;
    ScriptLimits m_limits;
    static bool s_luaClosed;
};

} // namespace zumek
