#include "gdal/ValueRunRows.h"

#include <algorithm>
#include <optional>

#include "host/HostError.h"

namespace corvane::gdal {

// What the rows of one read share.
struct RunRead {
    std::shared_ptr<const RowContext> wholeRows;  // for features read in full by ID
    std::string column;
    std::int32_t fieldIndex = -1;
    host::Variant firstValue;  // the row handed out before the runs were read
    GIntBig firstId = OGRNullFID;
    bool firstFound = false;
};

struct Run {
    ValueRun run;
    std::int64_t remaining = 0;  // rows of the run to hand out
    bool holdsFirst = false;
    std::optional<std::vector<GIntBig>> ids;

    GIntBig idAt(const RunRead& read, std::int64_t place);
};

GIntBig Run::idAt(const RunRead& read, std::int64_t place)
{
    if (!ids) {
        const LayerSchema& schema = *read.wholeRows->schema;
        LayerLease lease = read.wholeRows->source->lease(schema.layerName);
        auto found = objectIdsOfRun(lease.dataset(), lease.layer(), read.column, run);
        if (holdsFirst) found.erase(std::remove(found.begin(), found.end(), read.firstId), found.end());
        if (static_cast<std::int64_t>(found.size()) != remaining) {
            host::raiseError(host::errors::kHostCallFailed,
                             "The rows of " + schema.layerName + " changed while they were read");
        }
        ids = std::move(found);
    }
    return (*ids)[static_cast<std::size_t>(place)];
}

class RunRow final : public host::IFeature {
public:
    explicit RunRow(std::shared_ptr<const RunRead> read) : m_read(std::move(read)) {}

    void reset(const std::shared_ptr<Run>& run, std::int64_t place)
    {
        if (m_run != run) m_run = run;
        m_place = place;
        m_whole.reset();
    }

    std::int32_t OID() override { return objectId(id(), m_read->wholeRows->schema->layerName); }

    host::Variant Value(std::int32_t index) override
    {
        if (index == m_read->fieldIndex) return m_run->run.value;
        (void)m_read->wholeRows->schema->field(index);  // an index out of range raises before any read
        return whole().Value(index);
    }

    host::Ref<host::IGeometry> Shape() override { return whole().Shape(); }

private:
    GIntBig id() { return m_run->idAt(*m_read, m_place); }

    GdalRow& whole()
    {
        if (!m_whole) {
            const RowContext& context = *m_read->wholeRows;
            m_whole = std::make_unique<GdalRow>(m_read->wholeRows,
                                                readWholeFeature(*context.source, *context.schema, id()));
        }
        return *m_whole;
    }

    std::shared_ptr<const RunRead> m_read;
    std::shared_ptr<Run> m_run;
    std::int64_t m_place = 0;
    std::unique_ptr<GdalRow> m_whole;
};

std::unique_ptr<ValueRunRows> ValueRunRows::start(LayerLease& lease, std::shared_ptr<DataSource> source,
                                                  std::shared_ptr<const LayerSchema> schema, std::int32_t fieldIndex,
                                                  const host::Variant& firstValue, GIntBig firstId,
                                                  PgTableFacts* facts)
{
    const FieldInfo& field = schema->field(fieldIndex);
    const std::string column = lease.layer().GetLayerDefn()->GetFieldDefn(field.ogrIndex)->GetNameRef();
    auto runs = ValueRunReader::open(lease.dataset(), lease.layer(), column, facts);
    if (!runs) return nullptr;

    auto read = std::make_shared<RunRead>();
    auto whole = std::make_shared<RowContext>();
    whole->source = std::move(source);
    whole->schema = std::move(schema);
    whole->geometryRead = true;  // a lease reads every field and the shape
    read->wholeRows = std::move(whole);
    read->column = column;
    read->fieldIndex = fieldIndex;
    read->firstValue = firstValue;
    read->firstId = firstId;
    return std::make_unique<ValueRunRows>(std::move(read), std::move(runs));
}

ValueRunRows::ValueRunRows(std::shared_ptr<RunRead> read, std::unique_ptr<ValueRunReader> runs)
    : m_read(std::move(read)), m_runs(std::move(runs))
{
}

ValueRunRows::~ValueRunRows() = default;

std::shared_ptr<RunRow> ValueRunRows::freeRow()
{
    for (const auto& row : m_rows) {
        if (row && row.use_count() == 1) return row;  // its caller let go of it
    }
    m_lastBuilt = (m_lastBuilt + 1) % m_rows.size();
    m_rows[m_lastBuilt] = std::make_shared<RunRow>(m_read);
    return m_rows[m_lastBuilt];
}

host::Ref<host::IFeature> ValueRunRows::next()
{
    while (!m_run || m_place >= m_run->remaining) {
        if (!m_runs) return {};
        auto run = m_runs->next();
        if (!run) {
            m_runs.reset();
            m_run.reset();
            return {};
        }
        m_run = std::make_shared<Run>();
        m_run->remaining = run->rows;
        // The row handed out before is the first of its value met here.
        if (!m_read->firstFound && run->value == m_read->firstValue && run->rows > 0) {
            m_read->firstFound = true;
            m_run->holdsFirst = true;
            --m_run->remaining;
        }
        m_run->run = std::move(*run);
        m_place = 0;
    }
    auto row = freeRow();
    row->reset(m_run, m_place++);
    return host::Ref<host::IFeature>(std::move(row));
}

} // namespace corvane::gdal
