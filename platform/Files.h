// platform/Files.h
#pragma once
#include <string>
#include <vector>

namespace zumek {

/// One entry of a folder listing.
struct FileEntry {
    std::string name;   ///< the entry's name, without its folder
    bool isDirectory = false;
};

/// True when anything (file or folder) exists at `path`.
bool PathExists(const std::string& path);

/// Lists "prefix*suffix": the folder part of `prefix` is listed, and the plain files whose names
/// start with the rest of the prefix and end with `suffix` are returned, sorted by name.
/// A missing folder gives an empty listing.
std::vector<FileEntry> ListMatching(const std::string& prefix, const std::string& suffix);

/// Every entry of `folder`, sorted by name; false when the folder cannot be listed.
bool ListFolder(const std::string& folder, std::vector<FileEntry>& entries);

/// Deletes the plain file at `path`; false when nothing was deleted.
bool DeleteFilePath(const std::string& path);

/// Reads a whole file; false when it cannot be read.
bool ReadTextFile(const std::string& path, std::string& contents);

} // namespace zumek
