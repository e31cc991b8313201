// The Vec library: vectors as Lua-collected userdata, changed in place or returned new, and what
// a script gets for arguments that are not vectors.
#include "tests/scripting/ScriptFixture.h"

using namespace zumek;

namespace {

class VecLibraryTest : public test::ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        Start();
        LoadClass("Show");
        LoadClass("VecCases");
    }
};

TEST_F(VecLibraryTest, BuildGetAndSetWithinTheThreeComponents) {
    EXPECT_EQ(Lua("VecCases.BuildGetSet()"), "userdata 1 2 3\n"
                                              "5 2 -1\n"
                                              "5 2 -1\n"
                                              "0 0 0\n");
    EXPECT_EQ(LoggedStarting("Vec.Set: index 3 is outside 0..2").size(), 1u);
    EXPECT_EQ(LoggedStarting("Vec.Set: index -1 is outside 0..2").size(), 1u);
}

TEST_F(VecLibraryTest, InPlaceOperationsChangeOnlyTheirFirstArgument) {
    EXPECT_EQ(Lua("VecCases.InPlace()"), "5\n"
                                          "6 0 8\n"
                                          "0.6 0 0.8\n"
                                          "0 0 0\n"
                                          "1 0 0.8\n"
                                          "0.6 0 0.8\n");
}

TEST_F(VecLibraryTest, OperationsReturnNewVectors) {
    EXPECT_EQ(Lua("VecCases.NewVectors()"), "32\n"
                                             "-3 6 -3\n"
                                             "5 7 9\n"
                                             "-3 -3 -3\n"
                                             "4 10 18\n"
                                             "4 2.5 2\n"
                                             "-1 -2 -3\n"
                                             "true false\n"
                                             "1 2 3\n");
}

TEST_F(VecLibraryTest, AxisSnapsToTheDominantHorizontalComponentWithTiesToZ) {
    EXPECT_EQ(Lua("VecCases.Axis()"), "0 0 0.1925\n"
                                       "-0.02999 0 0\n"
                                       "0 0 0\n");
}

TEST_F(VecLibraryTest, ToStringUsesTheDefaultFloatText) {
    setlocale(LC_ALL, "C.UTF-8");
    EXPECT_EQ(Lua("VecCases.Text()"), "[1, 0.5, -2.25]\n[0.1, 1e+10, 0]\n");
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
