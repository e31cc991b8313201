// platform/FileWatcher.cpp
#include "platform/FileWatcher.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace zumek {
namespace {

constexpr uint32_t kFolderMask = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE | IN_DELETE_SELF;

} // namespace

FileWatcher::FileWatcher(int64_t settleMs) : m_settleMs(settleMs) { m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC); }

FileWatcher::~FileWatcher() {
    if (m_fd >= 0) close(m_fd);
}

bool FileWatcher::AddFolder(const std::string& folder, std::string& error) {
    namespace fs = std::filesystem;
    if (m_fd < 0) {
        error = std::string("file notifications are not available: ") + std::strerror(errno);
        return false;
    }
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        error = "no such folder: " + folder;
        return false;
    }
    const size_t before = m_folders.size();
    WatchTree(fs::absolute(folder, ec).lexically_normal().string(), false, 0);
    if (m_folders.size() == before) {
        error = "cannot watch " + folder + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

void FileWatcher::WatchTree(const std::string& folder, bool reportFiles, int64_t nowMs) {
    namespace fs = std::filesystem;
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    const int wd = inotify_add_watch(m_fd, path.c_str(), kFolderMask | IN_ONLYDIR);
    if (wd < 0) return;
    m_folders[wd] = path;
    // A folder made while we were not yet watching it may already hold files (mkdir -p, then cp):
    // those count as created.
    std::error_code ec;
    for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_directory(ec)) WatchTree(it->path().string(), reportFiles, nowMs);
        else if (reportFiles) Note(it->path().string(), false, false, nowMs, true);
    }
}

void FileWatcher::Note(const std::string& path, bool removed, bool created, int64_t nowMs, bool complete) {
    auto [it, added] = m_pending.try_emplace(path);
    Pending& pending = it->second;
    if (added) pending.createdHere = created;
    pending.lastMs = nowMs;
    pending.removed = removed;
    pending.complete = pending.complete || complete || removed;
    // Made and removed again before anyone looked: an editor's scratch file, nothing changed.
    if (removed && pending.createdHere) m_pending.erase(it);
}

void FileWatcher::ReadEvents(int64_t nowMs) {
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        const ssize_t length = read(m_fd, buffer, sizeof buffer);
        if (length <= 0) break; // EAGAIN: nothing more for now
        for (ssize_t offset = 0; offset < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                m_overflowed = true;
                continue;
            }
            if (event->mask & IN_IGNORED) {
                m_folders.erase(event->wd);
                continue;
            }
            auto folder = m_folders.find(event->wd);
            if (folder == m_folders.end() || event->len == 0) continue;
            const std::string path = folder->second + "/" + event->name;
            if (event->mask & IN_ISDIR) {
                if (event->mask & (IN_CREATE | IN_MOVED_TO)) WatchTree(path, true, nowMs);
                continue;
            }
            const bool removed = (event->mask & (IN_DELETE | IN_MOVED_FROM)) != 0;
            // A file just created is still being written: it counts once it is closed.
            Note(path, removed, (event->mask & (IN_CREATE | IN_MOVED_TO)) != 0, nowMs, (event->mask & IN_CREATE) == 0);
        }
    }
}

std::vector<FileChange> FileWatcher::Poll(int64_t nowMs) {
    std::vector<FileChange> changes;
    if (m_fd < 0) return changes;
    ReadEvents(nowMs);
    for (auto it = m_pending.begin(); it != m_pending.end();) {
        if (it->second.complete && nowMs - it->second.lastMs >= m_settleMs) {
            changes.push_back({it->first, it->second.removed});
            it = m_pending.erase(it);
        } else {
            ++it;
        }
    }
    return changes;
}

} // namespace zumek
