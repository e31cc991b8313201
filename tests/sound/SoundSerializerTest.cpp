// tests/sound/SoundSerializerTest.cpp
#include "sound/SoundSerializer.h"

#include <gtest/gtest.h>

#include "engine/EngineLog.h"
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

TEST(SoundSerializer, BadTablesAndEntriesAreLeftOutWithOneLineEachNamingFileAndLine) {
    struct Said {
        const char* before; ///< on standard error, right before the table's path
        const char* after;  ///< and right after it
    };
    struct Case {
        const char* table;
        size_t entries; ///< what is left of the table
        std::vector<Said> said;
    };
    const Case cases[] = {
        // An entry without name or path is left out with its line; the others stay.
        {"<Sounds>\n  <Event Name=\"Hit\" Path=\"event:/Hit\"/>\n  <Event Path=\"event:/Nameless\"/>\n"
         "  <Event Name=\"Pathless\"/>\n</Sounds>\n",
         1, {{"", ":3: <Event> needs Name and Path"}, {"", ":4: <Event> needs Name and Path"}}},
        {"<Sounds>\n  <Event Name=\"Hit\" Path=\"event:/Hit\">\n", 0, {{"Could not read the sound event table: ", ": line "}}},
        {"<Sounds><Sound Name=\"A\" Path=\"event:/A\"/></Sounds>", 0, {{"has no Event elements: ", ""}}},
        {"<?xml version=\"1.0\"?>\n<!-- nothing -->\n", 0, {{"has no root element: ", ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        EngineLog::Instance().Clear();
        test::TempResources files;
        files.Write("resources/soundevents/Table.xml", c.table);
        testing::internal::CaptureStderr();
        auto table = SoundSerializer("Table").Deserialize();
        std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_EQ(table.size(), c.entries);
        for (const Said& said : c.said)
            EXPECT_NE(errors.find(said.before + files.Path("resources/soundevents/Table.xml") + said.after),
                      std::string::npos) << errors;
        EXPECT_EQ(test::ProblemCount(), c.said.size()) << "one line for each problem";
    }
}

} // namespace
} // namespace zumek
