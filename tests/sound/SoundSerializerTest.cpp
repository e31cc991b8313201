// tests/sound/SoundSerializerTest.cpp
#include "sound/SoundSerializer.h"

#include <gtest/gtest.h>

#include "tests/sound/SoundTestSupport.h"

namespace zumek {
namespace {

TEST(SoundSerializer, ALaterEntryOfTheSameNameReplacesTheEarlierPath) {
    test::TempResources files;
    files.Write("resources/soundevents/Table.xml", "<AnyRoot>\n"
                                                   "  <Event Name=\"Hit\" Path=\"event:/Old\"/>\n"
                                                   "  <Other Name=\"Skipped\" Path=\"event:/Other\"/>\n"
                                                   "  <Event Name=\"Hit\" Path=\"event:/New\"/>\n"
                                                   "  <Event Name=\"Master bus\"/>\n"
                                                   "</AnyRoot>\n");
    auto table = SoundSerializer("Table").Deserialize();
    EXPECT_EQ(table.size(), 2u);
    EXPECT_EQ(table["Hit"], "event:/New");
    EXPECT_EQ(table.count("Skipped"), 0u);
    // A bank entry is loaded by its name, so it needs no path.
    EXPECT_EQ(table.count("Master bus"), 1u);
    EXPECT_EQ(test::ProblemCount(), 0u);
}

TEST(SoundSerializer, AnEntryWithoutNameOrPathIsLeftOutWithItsLine) {
    test::TempResources files;
    files.Write("resources/soundevents/Table.xml", "<Sounds>\n"
                                                   "  <Event Name=\"Hit\" Path=\"event:/Hit\"/>\n"
                                                   "  <Event Path=\"event:/Nameless\"/>\n"
                                                   "  <Event Name=\"Pathless\"/>\n"
                                                   "</Sounds>\n");
    testing::internal::CaptureStderr();
    auto table = SoundSerializer("Table").Deserialize();
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(table.size(), 1u);
    EXPECT_NE(errors.find("Table.xml:3: <Event> needs Name and Path"), std::string::npos) << errors;
    EXPECT_NE(errors.find("Table.xml:4: <Event> needs Name and Path"), std::string::npos) << errors;
    EXPECT_EQ(test::ProblemCount(), 2u);
}

TEST(SoundSerializer, BrokenXmlGivesOneErrorNamingFileAndLine) {
    test::TempResources files;
    files.Write("resources/soundevents/Table.xml", "<Sounds>\n  <Event Name=\"Hit\" Path=\"event:/Hit\">\n");
    testing::internal::CaptureStderr();
    auto table = SoundSerializer("Table").Deserialize();
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(table.empty());
    EXPECT_NE(errors.find("Could not read the sound event table: " + files.Path("resources/soundevents/Table.xml") +
                          ": line "),
              std::string::npos) << errors;
    EXPECT_EQ(test::ProblemCount(), 1u);
}

} // namespace
} // namespace zumek
