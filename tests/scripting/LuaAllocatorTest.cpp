// The Lua state's allocator: blocks keep their contents across every kind of resize, freed small
// blocks are reused, and its limit refuses growth but never a shrink or a free. (The game's own
// state runs on it in every scripting test.)
#include "scripting/LuaAllocator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <lua.hpp>
#include <string>

using namespace zumek;

namespace {

void* Grow(LuaAllocator& allocator, void* block, size_t oldSize, size_t newSize) {
    return LuaAllocator::Allocate(&allocator, block, oldSize, newSize);
}

TEST(LuaAllocatorTest, ResizingKeepsTheContentsBetweenSmallAndLargeBlocks) {
    LuaAllocator allocator;
    const size_t sizes[] = {1, 16, 17, 100, 256, 257, 1000, 40, 3};
    size_t size = 8;
    unsigned char* block = static_cast<unsigned char*>(Grow(allocator, nullptr, 0, size));
    for (size_t i = 0; i < size; ++i) block[i] = static_cast<unsigned char>(i * 7);
    for (size_t next : sizes) {
        block = static_cast<unsigned char*>(Grow(allocator, block, size, next));
        ASSERT_NE(block, nullptr);
        for (size_t i = 0; i < std::min(size, next); ++i) ASSERT_EQ(block[i], static_cast<unsigned char>(i * 7)) << size << " -> " << next;
        for (size_t i = size; i < next; ++i) block[i] = static_cast<unsigned char>(i * 7);
        size = next;
    }
    EXPECT_EQ(Grow(allocator, block, size, 0), nullptr);
}

TEST(LuaAllocatorTest, FreedSmallBlocksAreReusedAndClassesDoNotMix) {
    LuaAllocator allocator;
    void* a = Grow(allocator, nullptr, LUA_TUSERDATA, 40);
    void* b = Grow(allocator, nullptr, LUA_TUSERDATA, 100);
    Grow(allocator, a, 40, 0);
    EXPECT_EQ(Grow(allocator, nullptr, LUA_TSTRING, 48), a); // same 48-byte class
    EXPECT_NE(Grow(allocator, nullptr, LUA_TSTRING, 20), a);
    EXPECT_EQ(Grow(allocator, b, 100, 110), b); // same class: stays in place
    EXPECT_EQ(allocator.SlabBytes(), LuaAllocator::kSlabBytes);
}

TEST(LuaAllocatorTest, TheLimitRefusesGrowthButNeverAShrinkOrAFree) {
    LuaAllocator allocator;
    int refusals = 0;
    allocator.SetRefusalHandler([](void* count) { ++*static_cast<int*>(count); }, &refusals);
    allocator.SetLimit(1000);
    void* small = Grow(allocator, nullptr, LUA_TTABLE, 200);
    void* large = Grow(allocator, nullptr, LUA_TSTRING, 700);
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(allocator.UsedBytes(), 900u);
    EXPECT_EQ(Grow(allocator, nullptr, LUA_TSTRING, 101), nullptr) << "one byte past the limit";
    EXPECT_EQ(Grow(allocator, large, 700, 801), nullptr);
    EXPECT_EQ(refusals, 2);
    EXPECT_EQ(allocator.UsedBytes(), 900u) << "a refused block takes nothing";
    allocator.SetLimit(100); // below what is held: shrinking and freeing still work
    void* shrunk = Grow(allocator, large, 700, 10);
    ASSERT_NE(shrunk, nullptr);
    EXPECT_EQ(allocator.UsedBytes(), 210u);
    EXPECT_EQ(Grow(allocator, small, 200, 0), nullptr);
    EXPECT_EQ(allocator.UsedBytes(), 10u);
    EXPECT_NE(Grow(allocator, nullptr, LUA_TSTRING, 90), nullptr) << "exactly up to the limit";
    EXPECT_EQ(allocator.PeakBytes(), 900u);
    EXPECT_EQ(allocator.Refusals(), 2u);
}

TEST(LuaAllocatorTest, AStateOverItsLimitFailsWithNotEnoughMemoryAndRecovers) {
    LuaAllocator allocator;
    lua_State* L = lua_newstate(LuaAllocator::Allocate, &allocator);
    ASSERT_NE(L, nullptr);
    luaL_openlibs(L);
    allocator.SetLimit(allocator.UsedBytes() + (size_t{4} << 20));
    ASSERT_NE(luaL_dostring(L, "local t = {} for i = 1, 1e9 do t[i] = ('x'):rep(100) .. i end"), LUA_OK);
    EXPECT_EQ(std::string(lua_tostring(L, -1)), "not enough memory");
    lua_pop(L, 1);
    lua_gc(L, LUA_GCCOLLECT, 0);
    EXPECT_EQ(luaL_dostring(L, "return #('y'):rep(1000)"), LUA_OK);
    EXPECT_EQ(lua_tointeger(L, -1), 1000);
    lua_close(L);
    EXPECT_EQ(allocator.UsedBytes(), 0u) << "every block came back";
}

} // namespace
