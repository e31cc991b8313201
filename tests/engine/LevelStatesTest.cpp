// Removing saved level states from a temporary level-state folder. (The request from a script
// through the engine is the menus scene's Reset progress.)
#include "engine/LevelStates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "engine/EngineLog.h"
#include "platform/Paths.h"

using namespace zumek;
namespace fs = std::filesystem;

namespace {

class LevelStates : public ::testing::Test {
protected:
    void SetUp() override {
        documents = fs::temp_directory_path() / ("zumek-states-" + std::to_string(::getpid()));
        fs::remove_all(documents);
        folder = documents / "Tovalik" / "resources" / "levelstates";
        fs::create_directories(folder);
        for (const char* name : {"state_level1", "state_level2", "state_level10", "test"}) std::ofstream(folder / name) << "x";
        std::ofstream(documents / "Tovalik" / "resources" / "outside") << "keep me";
        Paths::SetDocumentsFolder(documents.string());
    }
    void TearDown() override { fs::remove_all(documents); }

    std::vector<std::string> Remaining() {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path documents, folder;
};

} // namespace

TEST_F(LevelStates, ASuffixRemovesOnlyThatLevelAndAllEveryStateButTestAndSubfolders) {
    EXPECT_EQ(RemoveLevelStates(Paths::LevelStateFolder(), "2"), 1);
    EXPECT_EQ(Remaining(), (std::vector<std::string>{"state_level1", "state_level10", "test"}));
    EXPECT_EQ(RemoveLevelStates(Paths::LevelStateFolder(), "7"), 0); // missing: ignored
    fs::create_directory(folder / "keep");
    EXPECT_EQ(RemoveLevelStates(Paths::LevelStateFolder(), "all"), 2);
    EXPECT_EQ(Remaining(), (std::vector<std::string>{"keep", "test"}));
}

TEST_F(LevelStates, TextsThatLeaveTheFolderDeleteNothingAndAreReported) {
    for (const char* text : {"/../outside", "../../outside", "x/../../y", "..", "1\\..\\2"}) {
        EXPECT_EQ(RemoveLevelStates(Paths::LevelStateFolder(), text), 0) << text;
        EXPECT_EQ(EngineLog::Instance().Records().back().level, Error);
    }
    EXPECT_TRUE(fs::exists(documents / "Tovalik" / "resources" / "outside"));
    EXPECT_EQ(Remaining().size(), 4u);
}

TEST_F(LevelStates, MissingFolderPrintsTheListingFailureAndDeletesNothing) {
    fs::remove_all(folder);
    testing::internal::CaptureStdout();
    EXPECT_EQ(RemoveLevelStates(Paths::LevelStateFolder(), "all"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "FindFirstFile failed (3)\n");
}
