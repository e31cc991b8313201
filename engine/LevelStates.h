// engine/LevelStates.h
#pragma once
#include <string>

namespace zumek {

/// Removes saved level states from `folder` (which ends with a separator): "all" deletes every
/// file except the one named "test"; any other text deletes the one file "state_level" + text.
/// A text that could reach outside the folder (a path separator or "..") deletes nothing and
/// is reported. When the folder cannot be listed, "FindFirstFile failed (<code>)" goes to
/// standard output and nothing is deleted. Returns the number of files deleted.
int RemoveLevelStates(const std::string& folder, const std::string& text);

} // namespace zumek
