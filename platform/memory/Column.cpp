#include "memory/Column.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace corvane::memory {

ColumnKind columnKindOf(std::int32_t fieldType)
{
    switch (fieldType) {
    case host::esriFieldTypeOID: return ColumnKind::Oid;
    case host::esriFieldTypeSmallInteger:
    case host::esriFieldTypeInteger: return ColumnKind::Integer;
    case host::esriFieldTypeSingle:
    case host::esriFieldTypeDouble: return ColumnKind::Real;
    case host::esriFieldTypeDate: return ColumnKind::Date;
    case host::esriFieldTypeGeometry: return ColumnKind::Shape;
    case host::esriFieldTypeBlob:
    case host::esriFieldTypeRaster: return ColumnKind::Opaque;
    default: return ColumnKind::Text;
    }
}

std::int64_t packDate(const host::DateTime& date) noexcept
{
    std::int64_t packed = date.year;
    packed = packed * 12 + (date.month - 1);
    packed = packed * 31 + (date.day - 1);
    packed = packed * 24 + date.hour;
    packed = packed * 60 + date.minute;
    return packed * 60 + date.second;
}

host::DateTime unpackDate(std::int64_t packed) noexcept
{
    host::DateTime date;
    date.second = static_cast<int>(packed % 60);
    packed /= 60;
    date.minute = static_cast<int>(packed % 60);
    packed /= 60;
    date.hour = static_cast<int>(packed % 24);
    packed /= 24;
    date.day = static_cast<int>(packed % 31) + 1;
    packed /= 31;
    date.month = static_cast<int>(packed % 12) + 1;
    date.year = static_cast<int>(packed / 12);
    return date;
}

Column::Column(std::string name, std::int32_t fieldType)
    : m_name(std::move(name)), m_fieldType(fieldType), m_kind(columnKindOf(fieldType))
{
}

void Column::reserve(std::size_t rows)
{
    m_states.reserve(rows);
    switch (m_kind) {
    case ColumnKind::Integer: m_integers.reserve(rows); break;
    case ColumnKind::Real: m_reals.reserve(rows); break;
    case ColumnKind::Text: m_codes.reserve(rows); break;
    case ColumnKind::Date: m_dates.reserve(rows); break;
    default: break;
    }
}

void Column::check(const host::Variant& value) const
{
    const auto wrongType = [&] { return std::invalid_argument("value of the wrong type for field " + m_name); };
    if (m_kind == ColumnKind::Oid || m_kind == ColumnKind::Shape || m_kind == ColumnKind::Opaque)
        throw std::invalid_argument("field " + m_name + " takes no value");
    if (value.isNull() || value.isEmpty()) return;
    const auto& stored = value.storage();
    switch (m_kind) {
    case ColumnKind::Integer: {
        const auto* number = std::get_if<std::int64_t>(&stored);
        const bool small = m_fieldType == host::esriFieldTypeSmallInteger;
        const std::int64_t low = small ? -32768 : std::numeric_limits<std::int32_t>::min();
        const std::int64_t high = small ? 32767 : std::numeric_limits<std::int32_t>::max();
        if (number == nullptr || *number < low || *number > high) throw wrongType();
        return;
    }
    case ColumnKind::Real:
        if (!value.isNumber()) throw wrongType();
        return;
    case ColumnKind::Text:
        if (!value.isText()) throw wrongType();
        return;
    case ColumnKind::Date:
        if (!value.isDate()) throw wrongType();
        return;
    default: throw wrongType();
    }
}

void Column::append(const host::Variant& value)
{
    if (value.isNull() || value.isEmpty()) {
        switch (m_kind) {
        case ColumnKind::Integer: m_integers.push_back(0); break;
        case ColumnKind::Real: m_reals.push_back(0.0); break;
        case ColumnKind::Text: m_codes.push_back(0); break;
        case ColumnKind::Date: m_dates.push_back(0); break;
        default: break;
        }
        m_states.push_back(value.isNull() ? CellState::Null : CellState::Empty);
        return;
    }
    const auto& stored = value.storage();
    switch (m_kind) {
    case ColumnKind::Integer: m_integers.push_back(static_cast<std::int32_t>(std::get<std::int64_t>(stored))); break;
    case ColumnKind::Real: m_reals.push_back(value.toDouble()); break;
    case ColumnKind::Text: m_codes.push_back(m_dictionary.intern(std::get<std::string>(stored))); break;
    case ColumnKind::Date: m_dates.push_back(packDate(std::get<host::DateTime>(stored))); break;
    default: break;
    }
    m_states.push_back(CellState::Value);
}

host::Variant Column::value(std::size_t row) const
{
    switch (m_states[row]) {
    case CellState::Null: return host::Variant::null();
    case CellState::Empty: return {};
    case CellState::Value: break;
    }
    switch (m_kind) {
    case ColumnKind::Integer: return host::Variant(m_integers[row]);
    case ColumnKind::Real: return host::Variant(m_reals[row]);
    case ColumnKind::Text: return host::Variant(m_dictionary.text(m_codes[row]));
    case ColumnKind::Date: return host::Variant(unpackDate(m_dates[row]));
    default: return host::Variant::null();
    }
}

} // namespace corvane::memory
