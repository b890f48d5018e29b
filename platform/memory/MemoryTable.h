#pragma once
// The table and the feature class of a memory feature layer: two views of one
// TableData, so they share rows, fields and object IDs. A test can make
// either view deny its object-ID field.

#include <memory>
#include <optional>

#include "host/Tables.h"
#include "memory/TableData.h"

namespace corvane::memory {

class MemoryField final : public host::IField {
public:
    MemoryField(std::shared_ptr<const TableData> table, std::int32_t index) : m_table(std::move(table)), m_index(index) {}

    std::string Name() override;
    std::int32_t Type() override;

private:
    std::shared_ptr<const TableData> m_table;
    std::int32_t m_index;
};

class MemoryFields final : public host::IFields {
public:
    explicit MemoryFields(std::shared_ptr<const TableData> table) : m_table(std::move(table)) {}

    std::int32_t FieldCount() override;
    host::Ref<host::IField> Field(std::int32_t index) override;

private:
    std::shared_ptr<const TableData> m_table;
};

// What IClass says about one view of the data; `prefix` names the view in fault checks.
class ClassView {
public:
    ClassView(std::shared_ptr<TableData> data, const char* interfaceName);

    [[nodiscard]] TableData& data() const noexcept { return *m_data; }
    [[nodiscard]] const std::shared_ptr<TableData>& dataPtr() const noexcept { return m_data; }
    // Overrides what HasOID answers; the rows keep their IDs.
    void setHasOID(bool hasOid) noexcept { m_hasOid = hasOid; }

    std::int32_t findField(const std::string& name);
    host::Ref<host::IFields> fields();
    bool hasOID();
    std::string oidFieldName();
    void check(const char* call) const;

private:
    std::shared_ptr<TableData> m_data;
    std::string m_interface;
    std::optional<bool> m_hasOid;
};

class MemoryTable final : public host::ITable {
public:
    explicit MemoryTable(std::shared_ptr<TableData> data) : m_view(std::move(data), "ITable") {}

    [[nodiscard]] TableData& data() const noexcept { return m_view.data(); }
    void setHasOID(bool hasOid) noexcept { m_view.setHasOID(hasOid); }

    std::int32_t FindField(const std::string& name) override { return m_view.findField(name); }
    host::Ref<host::IFields> Fields() override { return m_view.fields(); }
    bool HasOID() override { return m_view.hasOID(); }
    std::string OIDFieldName() override { return m_view.oidFieldName(); }
    host::Ref<host::ICursor> Search(const host::Ref<host::IQueryFilter>& filter, bool recycling) override;
    std::int32_t RowCount(const host::Ref<host::IQueryFilter>& filter) override;

private:
    ClassView m_view;
};

class MemoryFeatureClass final : public host::IFeatureClass {
public:
    explicit MemoryFeatureClass(std::shared_ptr<TableData> data) : m_view(std::move(data), "IFeatureClass") {}

    [[nodiscard]] TableData& data() const noexcept { return m_view.data(); }
    void setHasOID(bool hasOid) noexcept { m_view.setHasOID(hasOid); }

    std::int32_t FindField(const std::string& name) override { return m_view.findField(name); }
    host::Ref<host::IFields> Fields() override { return m_view.fields(); }
    bool HasOID() override { return m_view.hasOID(); }
    std::string OIDFieldName() override { return m_view.oidFieldName(); }
    std::int32_t FeatureCount(const host::Ref<host::IQueryFilter>& filter) override;

private:
    ClassView m_view;
};

// Rows of `data` matching the filter's clause (all rows for an empty filter).
std::int32_t countMatching(const TableData& data, const host::Ref<host::IQueryFilter>& filter);

} // namespace corvane::memory
