// physics/BroadPhase.h
#pragma once
#include <cstdint>
#include <vector>

#include <glm/vec3.hpp>

namespace zumek {

class Collider;

/// Finds the pairs of colliders worth a narrow-phase test, so that a large scene does not pay
/// n(n−1)/2 of them. The pairs come out as (i, j), i < j, in the order of the all-pairs loop,
/// and they include every pair whose narrow test could succeed: the bounds are grown so that
/// no test at the 0.001 tolerance can reach past them. Only pairs of two static bodies and of two
/// planes, which the step never tests or which never overlap, are left out for any other reason.
///
/// Bodies go into a uniform grid of cells about twice their usual size; planes and bodies much
/// larger than a cell are checked against every body instead. All buffers keep their capacity
/// from call to call.
class BroadPhase {
public:
    /// One collider of the step, in list order.
    struct Proxy {
        glm::vec3 min{0.0f}; ///< bounds, world units (unused for planes)
        glm::vec3 max{0.0f};
        bool plane = false;
        bool isStatic = false;
    };
    /// A candidate pair: indices into the proxy list, first < second.
    struct Pair {
        int32_t first;
        int32_t second;
    };

    /// Bounds of `collider` at its current pose, grown by the margins of BroadPhase.cpp.
    static void ComputeBounds(const Collider& collider, Proxy& proxy);

    /// Replaces `pairs` with the candidate pairs of `proxies`, ordered by first, then second.
    void FindPairs(const std::vector<Proxy>& proxies, std::vector<Pair>& pairs);

    /// Cell edge of the last call, world units (for diagnostics).
    float CellSize() const { return m_cellSize; }

private:
    struct CellRange {
        int32_t lo[3];
        int32_t hi[3];
    };

    void ChooseCellSize(const std::vector<Proxy>& proxies);
    void BuildGrid(const std::vector<Proxy>& proxies);
    int32_t FindSlot(uint64_t key) const;
    int32_t InsertSlot(uint64_t key);
    CellRange RangeOf(const glm::vec3& min, const glm::vec3& max) const;
    int32_t CellOf(float coordinate) const;

    float m_cellSize = 1.0f;
    std::vector<uint8_t> m_global;   ///< per proxy: checked against every body
    std::vector<int32_t> m_globals;  ///< indices of the global proxies, ascending
    std::vector<uint64_t> m_keys;    ///< open-addressing table of cell keys
    std::vector<int32_t> m_counts;   ///< per slot: bodies in the cell
    std::vector<int32_t> m_starts;   ///< per slot: first item
    std::vector<int32_t> m_items;    ///< body indices, grouped by cell, ascending within one
    std::vector<int32_t> m_proxySlots;  ///< the slots of each grid body, grouped by body
    std::vector<int32_t> m_proxyFirst;  ///< per proxy: first entry in m_proxySlots
    std::vector<int32_t> m_candidates;  ///< the candidates of one body
    std::vector<CellRange> m_ranges;    ///< per proxy: the cells its bounds cover
    std::vector<int32_t> m_seenBy;      ///< per proxy: the last body that looked at it
    uint64_t m_mask = 0;
};

} // namespace zumek
