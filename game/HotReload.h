// game/HotReload.h
#pragma once
#include <string>
#include <vector>

#include "content/ContentChange.h"
#include "platform/FileWatcher.h"

namespace zumek {

class SoundEngine;

/// `--watch`: watches the shipped resource folder and the user's one and, at the start of a
/// frame, applies what changed since the last frame:
/// - a level or archetype: the current place is loaded again (the player, the object tagged
///   "player", stays where he stands when the new level still has one);
/// - a script class: its file runs again and existing and new instances use the new code;
/// - a shader source: every program built from it is compiled again and swapped in; one that
///   fails keeps its old code, with the driver's message in the engine log;
/// - a texture: read again into the same GL texture; a bank, sample or the event table: every
///   sound is read again.
/// Each change is one engine log line ("Level reloaded: level1", ...).
class HotReload {
public:
    /// Starts watching the resource folders of the run. `sound` may be null (no sound reloads).
    /// Missing folders are reported once; the game runs on without them.
    HotReload(const std::string& shippedResources, const std::string& userResources, SoundEngine* sound);

    /// Reads the file notifications and applies the changes that have settled. Main thread, at the
    /// start of a frame (with the GL context current).
    void ApplyChanges();

    /// Applies one change as ApplyChanges would (tests, and ApplyChanges itself).
    void Apply(const std::vector<ContentChange>& changes);

    /// Loads the current place again, keeping the player's position, rotation and view.
    static void ReloadCurrentPlace();

private:
    std::string m_shipped;
    std::string m_user;
    SoundEngine* m_sound;
    FileWatcher m_watcher;
};

} // namespace zumek
