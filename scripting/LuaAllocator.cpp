// scripting/LuaAllocator.cpp
#include "scripting/LuaAllocator.h"

#include <cstdlib>
#include <cstring>

namespace zumek {

LuaAllocator::~LuaAllocator() {
    for (char* slab : m_slabs) std::free(slab);
}

void* LuaAllocator::Take(size_t sizeClass) {
    if (FreeBlock* block = m_free[sizeClass]) {
        m_free[sizeClass] = block->next;
        return block;
    }
    const size_t bytes = (sizeClass + 1) * kGranule;
    if (static_cast<size_t>(m_end - m_cursor) < bytes) {
        // The rest of the old slab stays unused: at most kLargest bytes per slab.
        char* slab = static_cast<char*>(std::malloc(kSlabBytes));
        if (!slab) return nullptr;
        m_slabs.push_back(slab);
        m_cursor = slab;
        m_end = slab + kSlabBytes;
    }
    void* block = m_cursor;
    m_cursor += bytes;
    return block;
}

void LuaAllocator::Give(void* block, size_t sizeClass) {
    FreeBlock* freed = static_cast<FreeBlock*>(block);
    freed->next = m_free[sizeClass];
    m_free[sizeClass] = freed;
}

void* LuaAllocator::Resize(void* block, size_t oldSize, size_t newSize) {
    const bool oldSmall = oldSize <= kLargest;
    const bool newSmall = newSize <= kLargest;
    if (oldSmall && newSmall && ClassOf(oldSize) == ClassOf(newSize)) return block;
    if (!oldSmall && !newSmall) return std::realloc(block, newSize);
    void* moved = newSmall ? Take(ClassOf(newSize)) : std::malloc(newSize);
    if (!moved) {
        // Lua relies on shrinking never failing, and the old block is large enough. (A malloc
        // block kept this way is later filed in a small class's list: never freed, never misused.)
        return newSize <= oldSize ? block : nullptr;
    }
    std::memcpy(moved, block, oldSize < newSize ? oldSize : newSize);
    if (oldSmall) Give(block, ClassOf(oldSize));
    else std::free(block);
    return moved;
}

void* LuaAllocator::Allocate(void* self, void* block, size_t oldSize, size_t newSize) {
    LuaAllocator& allocator = *static_cast<LuaAllocator*>(self);
    // Without a block, oldSize tells the kind of object, not a size.
    const size_t heldBefore = block ? oldSize : 0;
    if (newSize == 0) {
        if (block) {
            if (oldSize <= kLargest) allocator.Give(block, ClassOf(oldSize));
            else std::free(block);
            allocator.m_used -= oldSize;
        }
        return nullptr;
    }
    if (!allocator.Fits(heldBefore, newSize)) {
        ++allocator.m_refusals;
        if (allocator.m_onRefusal) allocator.m_onRefusal(allocator.m_refusalContext);
        return nullptr;
    }
    void* result = nullptr;
    if (!block) result = newSize <= kLargest ? allocator.Take(ClassOf(newSize)) : std::malloc(newSize);
    else result = allocator.Resize(block, oldSize, newSize);
    if (result) {
        allocator.m_used = allocator.m_used - heldBefore + newSize;
        if (allocator.m_used > allocator.m_peak) allocator.m_peak = allocator.m_used;
    }
    return result;
}

} // namespace zumek
