// The Lua state's allocator: blocks keep their contents across every kind of resize, freed small
// blocks are reused, and a whole Lua workload runs on it.
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

TEST(LuaAllocatorTest, AStateRunsOnIt) {
    LuaAllocator allocator;
    lua_State* L = lua_newstate(LuaAllocator::Allocate, &allocator);
    ASSERT_NE(L, nullptr);
    luaL_openlibs(L);
    const char* code = R"(
        local t, s = {}, ""
        for i = 1, 20000 do t[i] = {i, tostring(i)} ; if i % 1000 == 0 then s = s .. i end end
        for i = 1, 20000, 2 do t[i] = nil end
        collectgarbage()
        local sum = 0
        for i = 2, 20000, 2 do sum = sum + t[i][1] end
        result = sum .. ":" .. #s)";
    ASSERT_EQ(luaL_dostring(L, code), LUA_OK) << lua_tostring(L, -1);
    lua_getglobal(L, "result");
    EXPECT_EQ(std::string(lua_tostring(L, -1)), "100010000:" + std::to_string(std::string("1000200030004000500060007000800090001000011000120001300014000150001600017000180001900020000").size()));
    lua_close(L);
}

} // namespace
