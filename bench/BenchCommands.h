// bench/BenchCommands.h
#pragma once

namespace zumek::bench {

/// A sub-command of zumek_bench: the arguments after its name; returns the exit status. Each
/// prints its figures as one line "<name> key=value ...".
using Command = int (*)(int argc, char** argv);

/// "level": generates a level of many objects, pushes it, and compares with tinyxml2's parse.
int RunLevelBench(int argc, char** argv);
/// "render": the renderer's frame over cubes and point lights against the bare G-buffer floor.
int RunRenderBench(int argc, char** argv);
/// "skinning": N animated robots against the same meshes drawn still, and the time to pose one.
int RunSkinningBench(int argc, char** argv);
/// "physics": our physics step against Bullet's on resting and falling scenes of N boxes.
int RunPhysicsBench(int argc, char** argv);
/// "levels": each shipped level played from its replay by the game, frame against the G-buffer floor.
int RunLevelsBench(int argc, char** argv);
/// "headset": the splash through the headset simulator, two eyes against one view of the eye's size.
int RunHeadsetBench(int argc, char** argv);
/// "soak": the game played long by random input (or switching levels), its resources watched.
int RunSoakBench(int argc, char** argv);
/// "lua": library calls from a Lua loop against a registered C function that does nothing.
int RunLuaBench(int argc, char** argv);
/// "import": the shipped models imported through the helper process against Assimp in process.
int RunImportBench(int argc, char** argv);

} // namespace zumek::bench
