// platform/Paths.h
#pragma once
#include <string>

namespace zumek {

/// Where the game's files are: the resource root (relative resource paths resolve against it)
/// and the user's documents folder (resource overlay and level states below "<documents>/Tovalik/").
class Paths {
public:
    /// The folder relative resource paths are resolved against; no trailing separator.
    /// Defaults to the working directory.
    static const std::string& ResourceRoot();
    static void SetResourceRoot(const std::string& folder);

    /// Resolves `relative` (for example "resources/levels/splash.xml") against the resource root;
    /// absolute paths are returned unchanged.
    static std::string Resolve(const std::string& relative);

    /// The user's documents folder, absolute, without a trailing separator: the folder set with
    /// `SetDocumentsFolder`, else XDG_DOCUMENTS_DIR (environment, then ~/.config/user-dirs.dirs),
    /// else $HOME/Documents.
    static std::string DocumentsFolder();
    static void SetDocumentsFolder(const std::string& folder);

    /// "<documents>/Tovalik": the game's own folder below the documents folder.
    static std::string GameFolder();
    /// "<documents>/Tovalik/resources/levelstates/": where the scripts keep level states.
    static std::string LevelStateFolder();
};

/// Removes trailing separators (but keeps a lone "/").
std::string StripTrailingSeparators(std::string path);

} // namespace zumek
