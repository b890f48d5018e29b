#include "gdal/ColumnRows.h"

namespace corvane::gdal {

class ColumnRow final : public host::IFeature {
public:
    ColumnRow(std::shared_ptr<const RowContext> wholeRows, std::int32_t fieldIndex)
        : m_wholeRows(std::move(wholeRows)), m_fieldIndex(fieldIndex)
    {
    }

    // Where the next record's text is read to: it keeps its capacity, so
    // rows cost no allocation.
    std::string& buffer() noexcept { return m_text; }
    void reset(GIntBig id, bool isNull)
    {
        m_id = id;
        m_isNull = isNull;
        m_whole.reset();
    }
    [[nodiscard]] const char* text() const noexcept { return m_isNull ? nullptr : m_text.c_str(); }

    std::int32_t OID() override { return objectId(m_id, m_wholeRows->schema->layerName); }

    host::Variant Value(std::int32_t index) override
    {
        if (index == m_fieldIndex) return m_isNull ? host::Variant::null() : host::Variant(m_text);
        (void)m_wholeRows->schema->field(index);  // an index out of range raises before any read
        return whole().Value(index);
    }

    host::Ref<host::IGeometry> Shape() override { return whole().Shape(); }

private:
    GdalRow& whole()
    {
        if (!m_whole) {
            const RowContext& context = *m_wholeRows;
            m_whole = std::make_unique<GdalRow>(m_wholeRows, readWholeFeature(*context.source, *context.schema, m_id));
        }
        return *m_whole;
    }

    std::shared_ptr<const RowContext> m_wholeRows;
    std::int32_t m_fieldIndex;
    GIntBig m_id = OGRNullFID;
    bool m_isNull = true;
    std::string m_text;
    std::unique_ptr<GdalRow> m_whole;
};

ColumnRows::ColumnRows(std::shared_ptr<DataSource> source, std::shared_ptr<const LayerSchema> schema,
                       std::int32_t fieldIndex)
    : m_fieldIndex(fieldIndex)
{
    auto whole = std::make_shared<RowContext>();
    whole->source = std::move(source);
    whole->schema = std::move(schema);
    whole->geometryRead = true;  // a lease reads every field and the shape
    m_wholeRows = std::move(whole);
}

ColumnRows::~ColumnRows() = default;

const std::string& ColumnRows::layerName() const { return m_wholeRows->schema->layerName; }

const char* ColumnRows::lastText() const noexcept
{
    const auto& row = m_rows[m_lastBuilt];
    return row ? row->text() : nullptr;
}

std::shared_ptr<ColumnRow> ColumnRows::freeRow()
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i] && m_rows[i].use_count() == 1) {
            m_lastBuilt = i;
            return m_rows[i];
        }
    }
    m_lastBuilt = (m_lastBuilt + 1) % m_rows.size();
    m_rows[m_lastBuilt] = std::make_shared<ColumnRow>(m_wholeRows, m_fieldIndex);
    return m_rows[m_lastBuilt];
}

host::Ref<host::IFeature> ColumnRows::next()
{
    GIntBig id = OGRNullFID;
    bool isNull = true;
    auto row = freeRow();
    if (!readRecord(id, isNull, row->buffer())) return {};
    row->reset(id, isNull);
    m_lastId = id;
    return host::Ref<host::IFeature>(std::move(row));
}

} // namespace corvane::gdal
