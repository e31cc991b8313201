// Folder watching: one change per saved file, whichever way an editor saves it.
#include "platform/FileWatcher.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

using namespace zumek;
namespace fs = std::filesystem;

namespace {

class FileWatcherTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("zumek-watch-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "levels");
        Write(root / "levels" / "a.xml", "old");
        std::string error;
        ASSERT_TRUE(watcher.AddFolder(root.string(), error)) << error;
    }
    void TearDown() override { fs::remove_all(root); }

    static void Write(const fs::path& path, const std::string& text) { std::ofstream(path) << text; }
    /// Everything that has settled: the notifications are read, then polled again well after.
    std::vector<FileChange> Settled() {
        std::vector<FileChange> changes = watcher.Poll(now += 1000);
        for (FileChange& later : watcher.Poll(now += 1000)) changes.push_back(later);
        return changes;
    }
    std::string P(const std::string& relative) const { return (root / relative).string(); }

    fs::path root;
    FileWatcher watcher{50};
    int64_t now = 0;
};

std::vector<std::string> Paths(const std::vector<FileChange>& changes) {
    std::vector<std::string> paths;
    for (const FileChange& change : changes) paths.push_back(change.path + (change.removed ? " removed" : ""));
    return paths;
}

TEST_F(FileWatcherTest, EverySaveStyleIsOneChangeOfTheTargetAfterItSettles) {
    const fs::path target = root / "levels" / "a.xml", backup = root / "levels" / "a.xml~";
    const fs::path scratch = root / "levels" / ".goutputstream-XYZ";
    const std::pair<const char*, std::function<void()>> saves[] = {
        {"in place, in two writes", [&] {
             Write(target, "new");
             Write(target, "newer");
         }},
        {"vim: the original moved to a backup, the new file written, the backup dropped", [&] {
             fs::rename(target, backup);
             Write(target, "vim");
             fs::remove(backup);
         }},
        {"gedit: a scratch copy renamed over the target", [&] {
             Write(scratch, "gedit");
             fs::rename(scratch, target);
         }},
    };
    for (const auto& [style, save] : saves) {
        SCOPED_TRACE(style);
        save();
        EXPECT_TRUE(watcher.Poll(now).empty()) << "reported before the settle time";
        EXPECT_EQ(Paths(Settled()), (std::vector<std::string>{P("levels/a.xml")}));
        EXPECT_TRUE(Settled().empty()) << "reported twice";
    }
}

TEST_F(FileWatcherTest, CreatedAndDeletedFilesAreReported) {
    Write(root / "levels" / "b.xml", "b");
    EXPECT_EQ(Paths(Settled()), (std::vector<std::string>{P("levels/b.xml")}));
    fs::remove(root / "levels" / "a.xml");
    EXPECT_EQ(Paths(Settled()), (std::vector<std::string>{P("levels/a.xml") + " removed"}));
}

TEST_F(FileWatcherTest, AFileStillBeingWrittenWaitsForItsClose) {
    {
        std::ofstream slow(root / "levels" / "slow.xml");
        slow << "first half";
        slow.flush();
        EXPECT_TRUE(Settled().empty()) << "reported while still open for writing";
        slow << "second half";
    }
    EXPECT_EQ(Paths(Settled()), (std::vector<std::string>{P("levels/slow.xml")}));
}

TEST_F(FileWatcherTest, NewSubfolderIsWatchedWithTheFilesAlreadyInIt) {
    fs::create_directories(root / "scripts" / "deep");
    Write(root / "scripts" / "deep" / "early.lua", "x"); // may land before the folder is watched
    EXPECT_EQ(Paths(Settled()), (std::vector<std::string>{P("scripts/deep/early.lua")}));
    Write(root / "scripts" / "deep" / "late.lua", "y");
    EXPECT_EQ(Paths(Settled()), (std::vector<std::string>{P("scripts/deep/late.lua")}));
}

TEST_F(FileWatcherTest, FolderDeletedAndMadeAgainIsStillWatched) {
    fs::create_directories(root / "shaders");
    Settled();
    fs::remove_all(root / "shaders");
    fs::create_directories(root / "shaders");
    Settled();
    Write(root / "shaders" / "x.frag", "void main() {}");
    EXPECT_EQ(Paths(Settled()), (std::vector<std::string>{P("shaders/x.frag")}));
}

TEST(FileWatcher, MissingFolderIsRefusedWithItsName) {
    FileWatcher watcher;
    std::string error;
    EXPECT_FALSE(watcher.AddFolder("/nonexistent/zumek/folder", error));
    EXPECT_NE(error.find("/nonexistent/zumek/folder"), std::string::npos) << error;
    EXPECT_TRUE(watcher.Poll(0).empty());
}

} // namespace
