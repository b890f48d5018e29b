#pragma once
// Rows and cursors over a memory table. A cursor walks the rows that existed
// when it was opened, in the order they were added, testing each against the
// clause compiled when the Search was made. With recycling, NextRow hands
// out the same row object each time, moved to the next row, as a recycling
// cursor of a real data source does.

#include <memory>
#include <optional>

#include "host/Tables.h"
#include "memory/TableData.h"
#include "memory/WhereClause.h"

namespace corvane::memory {

// Every memory row is a feature; Shape raises for a table without a geometry field.
class MemoryRow final : public host::IFeature {
public:
    MemoryRow(std::shared_ptr<const TableData> table, std::size_t row) : m_table(std::move(table)), m_row(row) {}

    void moveTo(std::size_t row) noexcept { m_row = row; }
    [[nodiscard]] std::size_t rowIndex() const noexcept { return m_row; }

    std::int32_t OID() override;
    host::Variant Value(std::int32_t index) override;
    host::Ref<host::IGeometry> Shape() override;

private:
    std::shared_ptr<const TableData> m_table;
    std::size_t m_row;
};

class RowScan {
public:
    RowScan(std::shared_ptr<const TableData> table, WhereClause clause, bool recycling);

    // The next matching row, or an empty reference at the end.
    host::Ref<MemoryRow> next();
    [[nodiscard]] const TableData& table() const noexcept { return *m_table; }

private:
    std::shared_ptr<const TableData> m_table;
    WhereClause m_clause;
    bool m_recycling;
    std::size_t m_next = 0;
    std::size_t m_end;
    std::shared_ptr<MemoryRow> m_recycled;
};

class MemoryCursor final : public host::ICursor {
public:
    explicit MemoryCursor(RowScan scan) : m_scan(std::move(scan)) {}

    host::Ref<host::IRow> NextRow() override;
    std::int32_t FindField(const std::string& name) override;

private:
    RowScan m_scan;
};

class MemoryFeatureCursor final : public host::IFeatureCursor {
public:
    explicit MemoryFeatureCursor(RowScan scan) : m_scan(std::move(scan)) {}

    host::Ref<host::IFeature> NextFeature() override;

private:
    RowScan m_scan;
};

} // namespace corvane::memory
