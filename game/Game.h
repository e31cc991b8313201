// game/Game.h
#pragma once
#include "engine/CommandLine.h"

namespace zumek {

/// Builds the engine in its start order, runs the frame loop and stops in order.
/// Returns the process exit status.
int RunGame(const CommandLine& options);

/// Chooses the resource root: `--root`, else the working directory when it has resources/,
/// else the folder above the executable when that has one, else the tree the game was built from.
std::string ChooseResourceRoot(const std::string& rootOption, const std::string& executable);

} // namespace zumek
