#include "gdal/ValueIndex.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace corvane::gdal {

std::span<const std::uint32_t> ValueIndex::idsOf(std::string_view text) const
{
    const auto found = m_ranges.find(text);
    if (found == m_ranges.end()) return {};
    return std::span<const std::uint32_t>(m_ids).subspan(found->second.begin, found->second.end - found->second.begin);
}

std::size_t ValueIndex::bytes() const noexcept
{
    std::size_t total = m_ids.capacity() * sizeof(std::uint32_t);
    for (const auto& [text, range] : m_ranges) total += text.capacity() + sizeof(text) + sizeof(range) + 2 * sizeof(void*);
    return total + m_ranges.bucket_count() * sizeof(void*);
}

void ValueIndexBuilder::add(std::int64_t fid, const char* text)
{
    if (m_spoilt) return;
    if (fid < 0 || fid > std::numeric_limits<std::uint32_t>::max() ||
        m_rowValue.size() >= std::numeric_limits<std::uint32_t>::max() - 1) {
        m_spoilt = true;
        return;
    }
    const auto id = static_cast<std::uint32_t>(fid);
    if (m_rowValue.empty()) m_firstId = id;
    if (!m_rowId.empty()) {
        m_rowId.push_back(id);
    } else if (id != m_firstId + m_rowValue.size()) {
        m_rowId.reserve(m_rowValue.capacity());
        for (std::size_t row = 0; row < m_rowValue.size(); ++row) m_rowId.push_back(m_firstId + static_cast<std::uint32_t>(row));
        m_rowId.push_back(id);
    }
    if (text == nullptr) {
        m_rowValue.push_back(kNull);
        return;
    }
    // Rows of one street often follow each other: skip the look-up then.
    const std::string_view value(text, std::strlen(text));
    if (!m_haveLast || m_names[m_lastValue] != value) {
        auto found = m_values.find(value);
        if (found == m_values.end()) {
            found = m_values.emplace(std::string(value), static_cast<std::uint32_t>(m_names.size())).first;
            m_names.emplace_back(found->first);  // node-based map: keys never move
        }
        m_lastValue = found->second;
        m_haveLast = true;
    }
    m_rowValue.push_back(m_lastValue);
}

std::shared_ptr<const ValueIndex> ValueIndexBuilder::finish()
{
    if (m_spoilt) return nullptr;
    auto index = std::make_shared<ValueIndex>();
    // Counting sort by value: each value's IDs end up together. Null rows
    // are counted last and dropped.
    const auto values = static_cast<std::uint32_t>(m_names.size());
    const auto bucketOf = [values](std::uint32_t value) { return value == kNull ? values : value; };
    std::vector<std::uint32_t> start(values + 2, 0);
    for (const auto value : m_rowValue) ++start[bucketOf(value) + 1];
    for (std::size_t i = 1; i < start.size(); ++i) start[i] += start[i - 1];
    index->m_ranges.reserve(m_names.size());
    for (auto& node : m_values) {
        index->m_ranges.emplace(node.first, ValueIndex::Range{start[node.second], start[node.second + 1]});
    }
    if (m_rowId.empty()) {
        placeIdsInPlace(start);
        index->m_ids = std::move(m_rowValue);
        index->m_ids.resize(start[values]);
    } else {
        // IDs out of order were kept apart: sort into a new array.
        index->m_ids.resize(start[values]);
        for (std::size_t row = 0; row < m_rowValue.size(); ++row) {
            if (m_rowValue[row] != kNull) index->m_ids[start[m_rowValue[row]]++] = m_rowId[row];
        }
    }
    std::vector<std::uint32_t>().swap(m_rowValue);
    std::vector<std::uint32_t>().swap(m_rowId);
    // Callers get each text's IDs ascending.
    for (const auto& [text, range] : index->m_ranges) {
        const auto first = index->m_ids.begin() + range.begin;
        const auto last = index->m_ids.begin() + range.end;
        if (!std::is_sorted(first, last)) std::sort(first, last);
    }
    m_values.clear();
    m_names.clear();
    m_haveLast = false;
    return index;
}

void ValueIndexBuilder::placeIdsInPlace(const std::vector<std::uint32_t>& start)
{
    // Row r's ID is m_firstId + r, so the row numbers need not be kept
    // beside the value numbers: a slot holds its row's value number until
    // an ID is placed in it. Each row is carried to the next free slot of
    // its value's range, and the row found there carried on in turn, so
    // the array of a million rows is sorted without a second one. Nulls
    // fill the last range.
    const auto values = static_cast<std::uint32_t>(m_names.size());
    std::vector<std::uint32_t> head(start.begin(), start.end() - 1);
    std::vector<std::uint32_t>& slots = m_rowValue;
    for (std::uint32_t bucket = 0; bucket <= values; ++bucket) {
        while (head[bucket] < start[bucket + 1]) {
            const std::uint32_t free = head[bucket];
            std::uint32_t carried = slots[free];
            std::uint32_t carriedId = m_firstId + free;
            for (std::uint32_t to = carried == kNull ? values : carried; to != bucket; to = carried == kNull ? values : carried) {
                const std::uint32_t slot = head[to]++;
                const std::uint32_t found = slots[slot];
                slots[slot] = carriedId;
                carried = found;
                carriedId = m_firstId + slot;
            }
            slots[free] = carriedId;
            ++head[bucket];
        }
    }
}

} // namespace corvane::gdal
