// scripting/LuaAllocator.h
#pragma once
#include <cstddef>
#include <vector>

namespace zumek {

/// The memory of the Lua state. Scripts make many small short-lived objects (a Vec result every
/// call, strings, small tables); those blocks, up to kLargest bytes, are kept in free lists by
/// size class and carved from slabs, so a vector costs a list pop instead of a malloc and a free.
/// Larger blocks go to malloc. The slabs are released with the allocator, after the state closed.
class LuaAllocator {
public:
    static constexpr size_t kGranule = 16;     ///< bytes per size class step
    static constexpr size_t kLargest = 256;    ///< blocks above this size use malloc
    static constexpr size_t kSlabBytes = 64 * 1024;

    LuaAllocator() = default;
    LuaAllocator(const LuaAllocator&) = delete;
    LuaAllocator& operator=(const LuaAllocator&) = delete;
    ~LuaAllocator();

    /// The lua_Alloc function; `self` is the allocator.
    static void* Allocate(void* self, void* block, size_t oldSize, size_t newSize);

    /// Bytes held in slabs (for tests and diagnostics).
    size_t SlabBytes() const { return m_slabs.size() * kSlabBytes; }

private:
    static constexpr size_t kClasses = kLargest / kGranule;

    /// The size class of a block of `size` bytes (1..kLargest).
    static size_t ClassOf(size_t size) { return (size + kGranule - 1) / kGranule - 1; }
    void* Take(size_t sizeClass);
    void Give(void* block, size_t sizeClass);
    void* Resize(void* block, size_t oldSize, size_t newSize);

    struct FreeBlock {
        FreeBlock* next;
    };
    FreeBlock* m_free[kClasses] = {};
    std::vector<char*> m_slabs;
    char* m_cursor = nullptr; ///< unused rest of the newest slab
    char* m_end = nullptr;
};

} // namespace zumek
