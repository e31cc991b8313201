// The Vec library: vectors as Lua-collected userdata, changed in place or returned new, and what
// a script gets for arguments that are not vectors.
#include "tests/scripting/ScriptFixture.h"

using namespace zumek;

namespace {

class VecLibraryTest : public test::ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        StartCases("VecCases");
    }
};

TEST_F(VecLibraryTest, EachOperationGivesItsResultAndChangesOnlyWhatItShould) {
    setlocale(LC_ALL, "C.UTF-8");
    struct Case {
        const char* call;
        const char* printed;
    };
    const Case cases[] = {
        // Build, Get and Set within the three components (indices 3 and -1 change nothing); missing
        // numbers read as 0.
        {"VecCases.BuildGetSet()", "userdata 1 2 3\n5 2 -1\n5 2 -1\n0 0 0\n"},
        // Length; Mult, Normalize (a zero vector stays zero) and Assign change only their first
        // argument, in place.
        {"VecCases.InPlace()", "5\n6 0 8\n0.6 0 0.8\n0 0 0\n1 0 0.8\n0.6 0 0.8\n"},
        // Dot, Cross, Add, Minus, Multiply, Division, Negate and AreEqual return new values and
        // leave their arguments alone.
        {"VecCases.NewVectors()", "32\n-3 6 -3\n5 7 9\n-3 -3 -3\n4 10 18\n4 2.5 2\n-1 -2 -3\ntrue false\n1 2 3\n"},
        // GetAxis snaps to the dominant horizontal component, ties to z.
        {"VecCases.Axis()", "0 0 0.1925\n-0.02999 0 0\n0 0 0\n"},
        // ToString uses the default float text.
        {"VecCases.Text()", "[1, 0.5, -2.25]\n[0.1, 1e+10, 0]\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        EXPECT_EQ(Lua(c.call), c.printed);
    }
    EXPECT_EQ(LoggedStarting("Vec.Set: index 3 is outside 0..2").size(), 1u);
    EXPECT_EQ(LoggedStarting("Vec.Set: index -1 is outside 0..2").size(), 1u);
}

TEST_F(VecLibraryTest, ArgumentsThatAreNotVectorsGiveNothingAndOneLineEach) {
    int marker = 0;
    lua_State* L = ScriptingSystem::Instance().GetState();
    lua_pushlightuserdata(L, &marker);
    lua_setglobal(L, "somePointer");
    EXPECT_EQ(Lua("VecCases.Misuse(somePointer)"), "\n\n\n\n\nstill running\n");
    for (const char* text : {"Vec.Get: argument #1 is nil, expected a vector from Vec.Build",
                             "Vec.Length: argument #1 is a table, expected a vector",
                             "Vec.Add: argument #2 is a number, expected a vector",
                             "Vec.Get: argument #1 is a userdata, expected a vector",
                             "Vec.ToString: argument #1 is a string, expected a vector"})
        EXPECT_EQ(LoggedStarting(text).size(), 1u) << text;
}

} // namespace
