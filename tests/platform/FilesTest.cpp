// Folder listings by prefix and suffix.
#include "platform/Files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

using namespace zumek;
namespace fs = std::filesystem;

namespace {
class Files : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("zumek-files-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "levels" / "folder.xml");
        for (const char* name : {"b.xml", "a.xml", "a.xml.bak", "c.txt", "level.xml.xml"})
            std::ofstream(root / "levels" / name) << "x";
    }
    void TearDown() override { fs::remove_all(root); }
    fs::path root;
};

std::vector<std::string> Names(const std::vector<FileEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& e : entries) names.push_back(e.name);
    return names;
}
} // namespace

TEST_F(Files, ListsPlainFilesEndingInTheSuffixSortedWithoutDirectories) {
    auto names = Names(ListMatching((root / "levels").string() + "/", ".xml"));
    EXPECT_EQ(names, (std::vector<std::string>{"a.xml", "b.xml", "level.xml.xml"}));
}

TEST_F(Files, NamePartOfThePrefixFiltersToo) {
    EXPECT_EQ(Names(ListMatching((root / "levels" / "a").string(), "")),
              (std::vector<std::string>{"a.xml", "a.xml.bak"}));
}

TEST_F(Files, MissingFolderListsNothing) {
    EXPECT_TRUE(ListMatching((root / "nothing").string() + "/", ".xml").empty());
    std::vector<FileEntry> entries;
    EXPECT_FALSE(ListFolder((root / "nothing").string(), entries));
}

TEST_F(Files, DeleteRemovesOnlyPlainFiles) {
    EXPECT_TRUE(DeleteFilePath((root / "levels" / "c.txt").string()));
    EXPECT_FALSE(DeleteFilePath((root / "levels" / "c.txt").string()));
    EXPECT_FALSE(DeleteFilePath((root / "levels" / "folder.xml").string()));
    EXPECT_TRUE(PathExists((root / "levels" / "folder.xml").string()));
}

TEST_F(Files, ReadsWholeFiles) {
    std::ofstream(root / "text") << "line 1\nline 2";
    std::string contents;
    ASSERT_TRUE(ReadTextFile((root / "text").string(), contents));
    EXPECT_EQ(contents, "line 1\nline 2");
    EXPECT_FALSE(ReadTextFile((root / "missing").string(), contents));
}
