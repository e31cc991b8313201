// platform/FileWatcher.h
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace zumek {

/// One file that changed since the last poll: written, created, renamed into place, or removed.
struct FileChange {
    std::string path; ///< absolute
    bool removed = false;
};

/// Watches folders and everything below them (folders created later included) for changed files,
/// with Linux file notifications (inotify). Polling never blocks.
///
/// Editors save a file in several steps (truncate and write, or write a temporary copy and rename
/// it over the file); the watcher coalesces them into one change per file, reported once no
/// notification about that file has come for `settleMs`. A file being written counts once it is
/// closed. Files that come and go between two polls (an editor's temporary copy) are not
/// reported at all.
class FileWatcher {
public:
    explicit FileWatcher(int64_t settleMs = 50);
    ~FileWatcher();
    FileWatcher(const FileWatcher&) = delete;
    FileWatcher& operator=(const FileWatcher&) = delete;

    /// Whether the notification queue could be opened.
    bool IsValid() const { return m_fd >= 0; }
    /// Watches `folder` and its subfolders. False, with `error` set, when the folder is missing or
    /// cannot be watched (the watcher keeps what it had).
    bool AddFolder(const std::string& folder, std::string& error);
    /// Reads the pending notifications and returns the files whose last notification is at least
    /// `settleMs` older than `nowMs` (any monotonic milliseconds), in path order, each once.
    std::vector<FileChange> Poll(int64_t nowMs);
    /// Whether the system dropped notifications (too many at once) since the last call: the
    /// changes they named are unknown.
    bool TakeOverflow() { return std::exchange(m_overflowed, false); }
    /// How many folders are watched.
    size_t FolderCount() const { return m_folders.size(); }

private:
    struct Pending {
        int64_t lastMs = 0;
        bool removed = false;
        bool createdHere = false; ///< first seen arriving (created, renamed in): a removal cancels it
        bool complete = false;    ///< written and closed, renamed in or removed (not just created)
    };

    void WatchTree(const std::string& folder, bool reportFiles, int64_t nowMs);
    void ReadEvents(int64_t nowMs);
    void Note(const std::string& path, bool removed, bool created, int64_t nowMs, bool complete);

    int m_fd = -1;
    int64_t m_settleMs;
    bool m_overflowed = false;
    std::map<int, std::string> m_folders; ///< watch descriptor -> folder path
    std::map<std::string, Pending> m_pending;
};

} // namespace zumek
