// scripting/ScriptSandbox.h
#pragma once
#include <string>

struct lua_State;
struct lua_Debug;

namespace zumek {

/// Narrows Lua's standard library to what a level or a script dropped into the player's folder
/// may safely do:
/// - no programs (os.execute, io.popen), no leaving the game (os.exit), no native code
///   (package.loadlib, and `require` finds Lua files only), no binary chunks (load, loadfile,
///   dofile and require take text only: a crafted binary chunk can corrupt memory), no reading
///   the console (dofile or loadfile without a name), no temporary files outside the game's
///   folder (io.tmpfile, os.tmpname), no finalizers (__gc run with hooks off: a looping one
///   could not be stopped), and of the debug library only traceback and getinfo;
/// - files are read (io.open "r"/"rb", io.lines, io.input, loadfile, dofile, require) only below
///   the resource folders, and written (any other mode, io.output), removed or renamed only below
///   "<documents>/Tovalik/", judged after resolving "..", symbolic links and, for a file not yet
///   there, its folder.
/// A refused call fails the way Lua's own failures do (io.open, os.remove and os.rename return
/// nil, "<path>: access refused", EACCES; the others return nil and a message, or raise where
/// Lua's own function raises) and writes one log line naming the script and the call.
void InstallScriptSandbox(lua_State* L);

/// Whether a script may read `path`, or write, create, remove or rename it.
bool ScriptMayRead(const std::string& path);
bool ScriptMayWrite(const std::string& path);

/// The script of a function: its chunk name without the '@' or '=' mark ("/.../Walker.lua"),
/// or the short form of a chunk loaded from a string.
std::string ScriptChunkName(const lua_Debug& ar);
/// The script of the first Lua function on the stack of `L` from `level` up; "(no script)"
/// when none runs.
std::string RunningScriptName(lua_State* L, int level);

} // namespace zumek
