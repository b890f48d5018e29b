#include "gdal/ValueRunRows.h"

#include <algorithm>

#include "gdal/CplErrors.h"
#include "gdal/ValueRuns.h"
#include "host/HostError.h"

namespace corvane::gdal {

// What the rows of one run read share.
struct RunRead {
    std::shared_ptr<const RowContext> wholeRows;  // for features read in full by ID
    std::string column;
    std::int32_t fieldIndex = -1;
    std::vector<ValueRun> runs;
    std::vector<std::int64_t> remaining;  // rows of each run still to hand out
    std::size_t firstRun = 0;             // the run of the row handed out before
    GIntBig firstId = OGRNullFID;
    std::vector<std::optional<std::vector<GIntBig>>> ids;

    GIntBig idAt(std::size_t run, std::int64_t place);
};

GIntBig RunRead::idAt(std::size_t run, std::int64_t place)
{
    auto& runIds = ids[run];
    if (!runIds) {
        const LayerSchema& schema = *wholeRows->schema;
        LayerLease lease = wholeRows->source->lease(schema.layerName);
        auto found = objectIdsOfRun(lease.dataset(), lease.layer(), column, runs[run]);
        if (run == firstRun) found.erase(std::remove(found.begin(), found.end(), firstId), found.end());
        if (static_cast<std::int64_t>(found.size()) != remaining[run]) {
            host::raiseError(host::errors::kHostCallFailed,
                             "The rows of " + schema.layerName + " changed while they were read");
        }
        runIds = std::move(found);
    }
    return (*runIds)[static_cast<std::size_t>(place)];
}

class RunRow final : public host::IFeature {
public:
    explicit RunRow(std::shared_ptr<RunRead> read) : m_read(std::move(read)) {}

    void reset(std::size_t run, std::int64_t place)
    {
        m_run = run;
        m_place = place;
        m_whole.reset();
    }

    std::int32_t OID() override { return objectId(id(), m_read->wholeRows->schema->layerName); }

    host::Variant Value(std::int32_t index) override
    {
        if (index == m_read->fieldIndex) return m_read->runs[m_run].value;
        (void)m_read->wholeRows->schema->field(index);  // an index out of range raises before any read
        return whole().Value(index);
    }

    host::Ref<host::IGeometry> Shape() override { return whole().Shape(); }

private:
    GIntBig id() { return m_read->idAt(m_run, m_place); }

    GdalRow& whole()
    {
        if (!m_whole) {
            const GIntBig fid = id();
            const RowContext& context = *m_read->wholeRows;
            LayerLease lease = context.source->lease(context.schema->layerName);
            ScopedCplErrors errors;
            OGRFeatureUniquePtr feature(lease.layer().GetFeature(fid));
            if (!feature) errors.raise("Cannot read feature " + std::to_string(fid) + " of " + context.schema->layerName);
            m_whole = std::make_unique<GdalRow>(m_read->wholeRows, std::move(feature));
        }
        return *m_whole;
    }

    std::shared_ptr<RunRead> m_read;
    std::size_t m_run = 0;
    std::int64_t m_place = 0;
    std::unique_ptr<GdalRow> m_whole;
};

std::unique_ptr<ValueRunRows> ValueRunRows::start(LayerLease& lease, std::shared_ptr<DataSource> source,
                                                  std::shared_ptr<const LayerSchema> schema, std::int32_t fieldIndex,
                                                  const host::Variant& firstValue, GIntBig firstId)
{
    const FieldInfo& field = schema->field(fieldIndex);
    const std::string column = lease.layer().GetLayerDefn()->GetFieldDefn(field.ogrIndex)->GetNameRef();
    auto runs = readValueRuns(lease.dataset(), lease.layer(), column);
    if (!runs) return nullptr;
    const auto first = std::find_if(runs->begin(), runs->end(), [&](const ValueRun& run) {
        return run.value == firstValue;
    });
    if (first == runs->end()) return nullptr;

    auto read = std::make_shared<RunRead>();
    auto whole = std::make_shared<RowContext>();
    whole->source = std::move(source);
    whole->schema = std::move(schema);
    whole->geometryRead = true;  // a lease reads every field and the shape
    read->wholeRows = std::move(whole);
    read->column = column;
    read->fieldIndex = fieldIndex;
    read->firstRun = static_cast<std::size_t>(first - runs->begin());
    read->firstId = firstId;
    for (const ValueRun& run : *runs) read->remaining.push_back(run.rows);
    --read->remaining[read->firstRun];
    read->ids.resize(runs->size());
    read->runs = std::move(*runs);
    return std::make_unique<ValueRunRows>(std::move(read));
}

ValueRunRows::ValueRunRows(std::shared_ptr<RunRead> read) : m_read(std::move(read)) {}

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
    while (m_run < m_read->runs.size() && m_place >= m_read->remaining[m_run]) {
        ++m_run;
        m_place = 0;
    }
    if (m_run == m_read->runs.size()) return {};
    auto row = freeRow();
    row->reset(m_run, m_place++);
    return host::Ref<host::IFeature>(std::move(row));
}

} // namespace corvane::gdal
