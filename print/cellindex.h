#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace print {

// The text cells seen so far on one paper, for finding the first earlier cell
// a new one overlaps. The paper is cut into a fixed grid of buckets, so a cell
// is compared with the cells near it only; cells equal to one already held
// are not stored again, so a file that repeats its entries stays fast.
class CellIndex
{
public:
    // A cell in dots from the paper's corner, right and bottom exclusive.
    struct Rect
    {
        std::int64_t Left = 0;
        std::int64_t Top = 0;
        std::int64_t Right = 0;
        std::int64_t Bottom = 0;
    };

    CellIndex(std::int64_t paperWidth, std::int64_t paperHeight);

    // Adds the cell of line; returns the line of an earlier cell it overlaps
    // on the paper, or 0. Cells with no area on the paper overlap nothing.
    int Add(const Rect& cell, int line);

private:
    static constexpr int Grid = 32;
    struct Held
    {
        Rect Cell;
        int Line = 0;
    };
    struct RectHash
    {
        std::size_t operator()(const Rect& r) const;
    };
    struct RectEqual
    {
        bool operator()(const Rect& a, const Rect& b) const;
    };

    std::int64_t m_width;
    std::int64_t m_height;
    std::vector<Held> m_cells;
    std::vector<std::vector<std::uint32_t>> m_buckets;
    std::unordered_map<Rect, int, RectHash, RectEqual> m_seen;
};

} // namespace print
