// The documents folder and resource root.
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "platform/Locale.h"

using namespace zumek;
namespace fs = std::filesystem;

TEST(Paths, DocumentsOptionWinsAndLosesItsTrailingSeparator) {
    Paths::SetDocumentsFolder("/tmp/docs///");
    EXPECT_EQ(Paths::DocumentsFolder(), "/tmp/docs");
    EXPECT_EQ(Paths::GameFolder(), "/tmp/docs/Tovalik");
}

TEST(Paths, DocumentsFromTheEnvironmentThenUserDirsThenHome) {
    auto home = fs::temp_directory_path() / ("zumek-home-" + std::to_string(::getpid()));
    fs::create_directories(home / ".config");
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DOCUMENTS_DIR");
    EXPECT_EQ(Paths::DocumentsFolder(), home.string() + "/Documents");

    std::ofstream(home / ".config" / "user-dirs.dirs") << "# comment\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente/\"\n";
    EXPECT_EQ(Paths::DocumentsFolder(), home.string() + "/Dokumente");

    setenv("XDG_DOCUMENTS_DIR", "/srv/docs", 1);
    EXPECT_EQ(Paths::DocumentsFolder(), "/srv/docs");
    fs::remove_all(home);
}

TEST(Paths, ResolveJoinsRelativePathsToTheRoot) {
    Paths::SetResourceRoot("/games/tovalik/");
    EXPECT_EQ(Paths::Resolve("resources/levels/a.xml"), "/games/tovalik/resources/levels/a.xml");
    EXPECT_EQ(Paths::Resolve("/abs/file"), "/abs/file");
}

TEST(Locale, SpanishMexicoIsRecognisedByItsName) {
    EXPECT_TRUE(IsSpanishMexicoLocale("es_MX.UTF-8"));
    EXPECT_TRUE(IsSpanishMexicoLocale("es_MX"));
    EXPECT_TRUE(IsSpanishMexicoLocale("LC_CTYPE=es_MX.UTF-8;LC_NUMERIC=C"));
    EXPECT_FALSE(IsSpanishMexicoLocale("es_ES.UTF-8"));
    EXPECT_FALSE(IsSpanishMexicoLocale("en_US.UTF-8"));
    EXPECT_FALSE(IsSpanishMexicoLocale("C"));
}
