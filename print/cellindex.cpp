#include "cellindex.h"

#include <algorithm>

namespace print {

std::size_t CellIndex::RectHash::operator()(const Rect& r) const
{
    std::size_t h = 1469598103934665603ull;
    for (const std::int64_t v : {r.Left, r.Top, r.Right, r.Bottom})
        h = (h ^ static_cast<std::size_t>(v)) * 1099511628211ull;
    return h;
}

bool CellIndex::RectEqual::operator()(const Rect& a, const Rect& b) const
{
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

CellIndex::CellIndex(std::int64_t paperWidth, std::int64_t paperHeight)
    : m_width(std::max<std::int64_t>(paperWidth, 1)),
      m_height(std::max<std::int64_t>(paperHeight, 1)), m_buckets(Grid * Grid)
{}

int CellIndex::Add(const Rect& cell, int line)
{
    const Rect r{std::max<std::int64_t>(cell.Left, 0), std::max<std::int64_t>(cell.Top, 0),
                 std::min(cell.Right, m_width), std::min(cell.Bottom, m_height)};
    if (r.Left >= r.Right || r.Top >= r.Bottom)
        return 0;
    if (const auto same = m_seen.find(r); same != m_seen.end())
        return same->second;

    const auto column = [&](std::int64_t x) { return static_cast<int>(x * Grid / m_width); };
    const auto row = [&](std::int64_t y) { return static_cast<int>(y * Grid / m_height); };
    const int c1 = column(r.Left), c2 = column(r.Right - 1);
    const int r1 = row(r.Top), r2 = row(r.Bottom - 1);
    int other = 0;
    for (int y = r1; y <= r2 && other == 0; ++y) {
        for (int x = c1; x <= c2 && other == 0; ++x) {
            for (const std::uint32_t i : m_buckets[y * Grid + x]) {
                const Rect& h = m_cells[i].Cell;
                if (h.Left < r.Right && r.Left < h.Right && h.Top < r.Bottom && r.Top < h.Bottom) {
                    other = m_cells[i].Line;
                    break;
                }
            }
        }
    }
    const auto index = static_cast<std::uint32_t>(m_cells.size());
    m_cells.push_back({r, line});
    m_seen.emplace(r, line);
    for (int y = r1; y <= r2; ++y)
        for (int x = c1; x <= c2; ++x)
            m_buckets[y * Grid + x].push_back(index);
    return other;
}

} // namespace print
