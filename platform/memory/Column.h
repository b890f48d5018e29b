#pragma once
// One field of a memory table, stored column-wise by kind so that a million
// rows need no allocation per row. Object IDs and shapes live in the table.

#include <cstdint>
#include <string>
#include <vector>

#include "host/Variant.h"
#include "host/Tables.h"
#include "memory/TextDictionary.h"

namespace corvane::memory {

enum class ColumnKind {
    Oid,     // esriFieldTypeOID: the row's object ID
    Integer, // small integer, integer
    Real,    // single, double
    Text,    // string, GUID, global ID, XML
    Date,
    Shape,   // the geometry field: the feature's shape
    Opaque,  // blob, raster: values that cannot be read as a variant
};

enum class CellState : std::uint8_t { Value, Null, Empty };

[[nodiscard]] ColumnKind columnKindOf(std::int32_t fieldType);

// A date as one ordered number (seconds from year 0 of the calendar).
[[nodiscard]] std::int64_t packDate(const host::DateTime& date) noexcept;
[[nodiscard]] host::DateTime unpackDate(std::int64_t packed) noexcept;

class Column {
public:
    Column(std::string name, std::int32_t fieldType);

    [[nodiscard]] const std::string& name() const noexcept { return m_name; }
    [[nodiscard]] std::int32_t fieldType() const noexcept { return m_fieldType; }
    [[nodiscard]] ColumnKind kind() const noexcept { return m_kind; }

    // Throws std::invalid_argument for a value the field cannot hold (a test's mistake).
    void check(const host::Variant& value) const;
    // The value must have passed check().
    void append(const host::Variant& value);
    void reserve(std::size_t rows);

    [[nodiscard]] CellState state(std::size_t row) const { return m_states[row]; }
    [[nodiscard]] std::int32_t integer(std::size_t row) const { return m_integers[row]; }
    [[nodiscard]] double real(std::size_t row) const { return m_reals[row]; }
    [[nodiscard]] std::uint32_t code(std::size_t row) const { return m_codes[row]; }
    [[nodiscard]] std::int64_t date(std::size_t row) const { return m_dates[row]; }
    [[nodiscard]] const TextDictionary& dictionary() const noexcept { return m_dictionary; }

    // Integer, Real, Text and Date columns only.
    [[nodiscard]] host::Variant value(std::size_t row) const;

private:
    std::string m_name;
    std::int32_t m_fieldType;
    ColumnKind m_kind;
    std::vector<CellState> m_states;
    std::vector<std::int32_t> m_integers;
    std::vector<double> m_reals;
    std::vector<std::uint32_t> m_codes;
    std::vector<std::int64_t> m_dates;
    TextDictionary m_dictionary;
};

} // namespace corvane::memory
