#include "ShapeIndex.h"

#include <algorithm>
#include <cmath>

namespace corvane::map {

namespace {

constexpr std::size_t kNodeSize = 16;

double centreX(const gdal::Box& b) { return b.xMin + b.xMax; }
double centreY(const gdal::Box& b) { return b.yMin + b.yMax; }

gdal::Box unite(const gdal::Box& a, const gdal::Box& b)
{
    return {std::min(a.xMin, b.xMin), std::min(a.yMin, b.yMin), std::max(a.xMax, b.xMax), std::max(a.yMax, b.yMax)};
}


// Groups consecutive items by kNodeSize into nodes over them.
template <typename Items, typename BoxOf>
std::vector<std::pair<gdal::Box, std::pair<std::uint32_t, std::uint32_t>>> group(const Items& items, BoxOf boxOf)
{
    std::vector<std::pair<gdal::Box, std::pair<std::uint32_t, std::uint32_t>>> nodes;
    for (std::size_t first = 0; first < items.size(); first += kNodeSize) {
        const std::size_t end = std::min(items.size(), first + kNodeSize);
        gdal::Box box = boxOf(items[first]);
        for (std::size_t i = first + 1; i < end; ++i) box = unite(box, boxOf(items[i]));
        nodes.push_back({box, {static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(end - first)}});
    }
    return nodes;
}

} // namespace

ShapeIndex::ShapeIndex(std::vector<IndexedBox> boxes) : m_boxes(std::move(boxes))
{
    if (m_boxes.empty()) return;
    // Sort-tile-recursive packing: vertical slices by x, each sorted by y,
    // so that the boxes of one leaf lie close together.
    const auto leaves = static_cast<double>((m_boxes.size() + kNodeSize - 1) / kNodeSize);
    const auto slices = static_cast<std::size_t>(std::ceil(std::sqrt(leaves)));
    const std::size_t perSlice = slices * kNodeSize;
    std::sort(m_boxes.begin(), m_boxes.end(),
              [](const IndexedBox& a, const IndexedBox& b) { return centreX(a.box) < centreX(b.box); });
    for (std::size_t first = 0; first < m_boxes.size(); first += perSlice) {
        const auto end = m_boxes.begin() + static_cast<std::ptrdiff_t>(std::min(m_boxes.size(), first + perSlice));
        std::sort(m_boxes.begin() + static_cast<std::ptrdiff_t>(first), end,
                  [](const IndexedBox& a, const IndexedBox& b) { return centreY(a.box) < centreY(b.box); });
    }

    const auto toNodes = [](const auto& grouped) {
        std::vector<Node> nodes;
        nodes.reserve(grouped.size());
        for (const auto& [box, range] : grouped) nodes.push_back({box, range.first, range.second});
        return nodes;
    };
    m_levels.push_back(toNodes(group(m_boxes, [](const IndexedBox& b) { return b.box; })));
    while (m_levels.back().size() > kNodeSize)
        m_levels.push_back(toNodes(group(m_levels.back(), [](const Node& n) { return n.box; })));
}

bool ShapeIndex::visit(const gdal::Box& area, const std::function<bool(const IndexedBox&)>& visit) const
{
    if (m_levels.empty()) return true;
    struct Pending {
        std::size_t level;
        std::uint32_t node;
    };
    std::vector<Pending> stack;
    const std::vector<Node>& top = m_levels.back();
    for (std::uint32_t i = 0; i < top.size(); ++i) stack.push_back({m_levels.size() - 1, i});
    while (!stack.empty()) {
        const Pending at = stack.back();
        stack.pop_back();
        const Node& node = m_levels[at.level][at.node];
        if (!meets(node.box, area)) continue;
        if (at.level == 0) {
            for (std::uint32_t i = node.first; i < node.first + node.count; ++i)
                if (meets(m_boxes[i].box, area) && !visit(m_boxes[i])) return false;
            continue;
        }
        for (std::uint32_t i = node.first; i < node.first + node.count; ++i) stack.push_back({at.level - 1, i});
    }
    return true;
}

gdal::Box ShapeIndex::bounds() const noexcept
{
    if (m_levels.empty()) return {};
    gdal::Box all = m_levels.back().front().box;
    for (const Node& node : m_levels.back()) all = unite(all, node.box);
    return all;
}

std::size_t ShapeIndex::memoryBytes() const noexcept
{
    std::size_t bytes = m_boxes.capacity() * sizeof(IndexedBox);
    for (const auto& level : m_levels) bytes += level.capacity() * sizeof(Node);
    return bytes;
}

} // namespace corvane::map
