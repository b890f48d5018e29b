#pragma once
// Which rows of a layer hold each text of one field, kept in memory after a
// cursor has read that field from every row (the street list does). A later
// `field = 'text'` clause then fetches its few rows by ID instead of reading
// the whole table, which matters for files without attribute indexes
// (Shapefiles, GeoPackages exported without them). Texts compare exactly,
// letter case and blanks included, as the cursors compare them; Null rows
// are not kept, since no `=` term matches them.
//
//   ValueIndexBuilder builder;
//   builder.add(fid, text);                       // every row, in read order
//   auto index = builder.finish();                // empty when an ID did not fit
//   for (auto id : index->idsOf("MAIN ST")) ...   // ascending
//
// Built and read on the thread that runs the cursor; a finished index is
// immutable and may be shared.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane::gdal {

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept { return std::hash<std::string_view>{}(text); }
};

class ValueIndex {
public:
    // The object IDs of the rows holding exactly `text`, ascending; empty
    // when no row does.
    [[nodiscard]] std::span<const std::uint32_t> idsOf(std::string_view text) const;
    [[nodiscard]] std::size_t distinctValues() const noexcept { return m_ranges.size(); }
    // Bytes held: the IDs, the texts and the table over them.
    [[nodiscard]] std::size_t bytes() const noexcept;

private:
    friend class ValueIndexBuilder;
    struct Range {
        std::uint32_t begin = 0;
        std::uint32_t end = 0;
    };
    std::unordered_map<std::string, Range, TextHash, std::equal_to<>> m_ranges;
    std::vector<std::uint32_t> m_ids;  // grouped by value
};

class ValueIndexBuilder {
public:
    // One row; `text` is null for a Null value. IDs outside 0..2^32-1 spoil
    // the index (finish gives nothing).
    void add(std::int64_t fid, const char* text);
    // Room for this many rows, when the count is known beforehand.
    void reserve(std::size_t rows) { m_rowValue.reserve(rows); }
    [[nodiscard]] std::shared_ptr<const ValueIndex> finish();

private:
    static constexpr std::uint32_t kNull = 0xFFFFFFFF;
    // Turns the rows' value numbers into the IDs grouped by value, in the
    // same array (rows with consecutive IDs only).
    void placeIdsInPlace(const std::vector<std::uint32_t>& start);

    std::unordered_map<std::string, std::uint32_t, TextHash, std::equal_to<>> m_values;
    std::vector<std::string_view> m_names;  // by value number, viewing the map's keys
    std::vector<std::uint32_t> m_rowValue;  // value number of each row read, kNull for Null
    // Rows mostly come with consecutive IDs from the first one: their IDs
    // are kept only once a row breaks the run.
    std::uint32_t m_firstId = 0;
    std::vector<std::uint32_t> m_rowId;
    std::uint32_t m_lastValue = 0;
    bool m_haveLast = false;
    bool m_spoilt = false;
};

} // namespace corvane::gdal
