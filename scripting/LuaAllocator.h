// scripting/LuaAllocator.h
#pragma once
#include <cstddef>
#include <vector>

namespace zumek {

/// The memory of the Lua state. Scripts make many small short-lived objects (a Vec result every
/// call, strings, small tables); those blocks, up to kLargest bytes, are kept in free lists by
/// size class and carved from slabs, so a vector costs a list pop instead of a malloc and a free.
/// Larger blocks go to malloc. The slabs are released with the allocator, after the state closed.
///
/// The state's memory is limited: a block that would take the bytes Lua holds past the limit is
/// refused (null, which Lua turns into "not enough memory" after an emergency collection), so a
/// script that allocates without end cannot take the player's machine down with the game.
/// Shrinking and freeing never fail.
class LuaAllocator {
public:
    static constexpr size_t kGranule = 16;     ///< bytes per size class step
    static constexpr size_t kLargest = 256;    ///< blocks above this size use malloc
    static constexpr size_t kSlabBytes = 64 * 1024;
    /// Far above what the game's scripts hold (about 0.5 MiB at most, measured over every level's
    /// replay), far below what a player's machine has.
    static constexpr size_t kDefaultLimit = size_t{256} << 20;

    /// Called after a block was refused, with the context given to SetRefusalHandler.
    using RefusalHandler = void (*)(void* context);

    LuaAllocator() = default;
    LuaAllocator(const LuaAllocator&) = delete;
    LuaAllocator& operator=(const LuaAllocator&) = delete;
    ~LuaAllocator();

    /// The lua_Alloc function; `self` is the allocator.
    static void* Allocate(void* self, void* block, size_t oldSize, size_t newSize);

    /// Bytes held in slabs (for tests and diagnostics).
    size_t SlabBytes() const { return m_slabs.size() * kSlabBytes; }

    /// The most bytes Lua may hold (the sizes it asked for, not counting slab slack). Lowering
    /// it below what is held refuses every growth until enough is freed.
    void SetLimit(size_t bytes) { m_limit = bytes; }
    size_t Limit() const { return m_limit; }
    /// Bytes Lua holds now, and the most it held at once.
    size_t UsedBytes() const { return m_used; }
    size_t PeakBytes() const { return m_peak; }
    /// Blocks refused for the limit so far.
    size_t Refusals() const { return m_refusals; }
    /// `handler` runs after each refusal (inside the allocation: it must not allocate from the state).
    void SetRefusalHandler(RefusalHandler handler, void* context) {
        m_onRefusal = handler;
        m_refusalContext = context;
    }

private:
    static constexpr size_t kClasses = kLargest / kGranule;

    /// The size class of a block of `size` bytes (1..kLargest).
    static size_t ClassOf(size_t size) { return (size + kGranule - 1) / kGranule - 1; }
    void* Take(size_t sizeClass);
    void Give(void* block, size_t sizeClass);
    void* Resize(void* block, size_t oldSize, size_t newSize);
    /// Whether growing a block from `oldSize` to `newSize` bytes stays within the limit.
    bool Fits(size_t oldSize, size_t newSize) const {
        return newSize <= oldSize || (m_used <= m_limit && newSize - oldSize <= m_limit - m_used);
    }

    struct FreeBlock {
        FreeBlock* next;
    };
    FreeBlock* m_free[kClasses] = {};
    std::vector<char*> m_slabs;
    char* m_cursor = nullptr; ///< unused rest of the newest slab
    char* m_end = nullptr;
    size_t m_limit = kDefaultLimit; ///< bytes
    size_t m_used = 0;              ///< bytes
    size_t m_peak = 0;              ///< bytes
    size_t m_refusals = 0;
    RefusalHandler m_onRefusal = nullptr;
    void* m_refusalContext = nullptr;
};

} // namespace zumek
