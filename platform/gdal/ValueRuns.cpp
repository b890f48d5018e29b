#include "gdal/ValueRuns.h"

#include <memory>

#include "gdal/CplErrors.h"
#include "gdal/PgTableFacts.h"
#include "gdal/PgValueRuns.h"
#include "gdal/SqlResult.h"
#include "host/HostError.h"

namespace corvane::gdal {

namespace {

// SQL quoting: the mark around the text, and doubled inside it.
std::string quoted(const std::string& text, char mark)
{
    std::string result(1, mark);
    for (const char c : text) {
        result += c;
        if (c == mark) result += c;
    }
    return result + mark;
}

std::string quotedName(const std::string& name) { return quoted(name, '"'); }

std::string textOf(OGRFeature& row, const char* field)
{
    const int index = row.GetFieldIndex(field);
    return index >= 0 && row.IsFieldSetAndNotNull(index) ? row.GetFieldAsString(index) : "";
}

std::int64_t numberOf(OGRFeature& row, const char* field)
{
    const int index = row.GetFieldIndex(field);
    return index >= 0 && row.IsFieldSetAndNotNull(index) ? row.GetFieldAsInteger64(index) : -1;
}

bool hasIndexLeadingWith(GDALDataset& dataset, const std::string& table, const std::string& column)
{
    ScopedCplErrors quiet;  // a database that cannot answer simply has no such index
    SqlResult indexes(dataset, "PRAGMA index_list(" + quotedName(table) + ")");
    if (indexes.layer() == nullptr) return false;
    while (auto index = indexes.next()) {
        if (numberOf(*index, "partial") != 0) continue;
        SqlResult columns(dataset, "PRAGMA index_xinfo(" + quotedName(textOf(*index, "name")) + ")");
        if (columns.layer() == nullptr) continue;
        while (auto key = columns.next()) {
            if (numberOf(*key, "seqno") != 0) continue;
            if (EQUAL(textOf(*key, "name").c_str(), column.c_str()) && EQUAL(textOf(*key, "coll").c_str(), "BINARY")) {
                return true;
            }
        }
    }
    return false;
}

// The order both queries share: binary value order, then object ID, which
// is how SQLite keeps the index.
std::string runOrder(const std::string& column) { return quotedName(column) + " COLLATE BINARY"; }

} // namespace

class GroupedRows {
public:
    GroupedRows(GDALDataset& dataset, const std::string& sql, std::string table)
        : m_result(dataset, sql), m_table(std::move(table))
    {
    }
    SqlResult m_result;
    std::string m_table;
};

std::unique_ptr<ValueRunReader> ValueRunReader::open(GDALDataset& dataset, OGRLayer& layer, const std::string& column,
                                                     PgTableFacts* facts)
{
    const std::string table = layer.GetName();
    // A database server groups without an index as well, and far faster
    // than the rows could cross the connection.
    const bool server = isPostgresDataset(dataset);
    if (!server && !hasIndexLeadingWith(dataset, table, column)) return nullptr;
    if (server && facts != nullptr) {
        if (auto kept = facts->keptRuns(dataset, layer, column, "Cannot read " + column + " of " + table)) {
            return std::make_unique<ValueRunReader>(std::move(*kept));
        }
    }
    ScopedCplErrors errors;
    auto rows = std::make_unique<GroupedRows>(dataset,
                                              server ? postgresRunsQuery(layer, column)
                                                     : "SELECT " + quotedName(column) + ", COUNT(*) FROM " +
                                                           quotedName(table) + " GROUP BY " + runOrder(column) +
                                                           " ORDER BY " + runOrder(column),
                                              table);
    if (rows->m_result.layer() == nullptr || errors.failed()) errors.raise("Cannot read " + column + " of " + table);
    return std::make_unique<ValueRunReader>(std::move(rows));
}

ValueRunReader::ValueRunReader(std::unique_ptr<GroupedRows> rows) : m_rows(std::move(rows)) {}

ValueRunReader::ValueRunReader(std::vector<ValueRun> kept) : m_kept(std::move(kept)) {}

ValueRunReader::~ValueRunReader() = default;

std::optional<ValueRun> ValueRunReader::next()
{
    if (!m_rows) {
        if (m_nextKept == m_kept.size()) return std::nullopt;
        return m_kept[m_nextKept++];
    }
    ScopedCplErrors errors;
    const auto group = m_rows->m_result.next();
    if (errors.failed()) errors.raise("Cannot read the values of " + m_rows->m_table);
    if (!group) return std::nullopt;
    ValueRun run = runOfGroup(*group, m_start);
    m_start += run.rows;
    return run;
}

ValueRun runOfGroup(OGRFeature& group, std::int64_t start)
{
    ValueRun run;
    if (group.IsFieldSetAndNotNull(0)) run.value = host::Variant(std::string(group.GetFieldAsString(0)));
    else run.value = host::Variant::null();
    run.start = start;
    run.rows = group.GetFieldAsInteger64(1);
    return run;
}

std::vector<GIntBig> objectIdsOfRun(GDALDataset& dataset, OGRLayer& layer, const std::string& column,
                                    const ValueRun& run)
{
    const std::string table = layer.GetName();
    const std::string fid = quotedName(layer.GetFIDColumn());
    const auto idsOf = [&](const std::string& sql) {
        ScopedCplErrors errors;
        SqlResult ids(dataset, sql);
        if (ids.layer() == nullptr) errors.raise("Cannot read the object IDs of " + table);
        std::vector<GIntBig> found;
        found.reserve(static_cast<std::size_t>(run.rows));
        // GDAL takes a selected primary key for the result's own feature ID.
        const bool idIsField = ids.layer()->GetLayerDefn()->GetFieldCount() > 0;
        while (auto row = ids.next()) found.push_back(idIsField ? row->GetFieldAsInteger64(0) : row->GetFID());
        if (errors.failed()) errors.raise("Cannot read the object IDs of " + table);
        return found;
    };
    if (isPostgresDataset(dataset)) return idsOf(postgresRunIdsQuery(layer, column, run));
    const std::string select = "SELECT " + fid + " FROM " + quotedName(table);
    // The run's value finds its rows through the index ...
    const std::string match = run.value.isNull() ? " IS NULL" : " = " + quoted(run.value.toText(), '\'');
    auto ids = idsOf(select + " WHERE " + runOrder(column) + match + " ORDER BY " + fid);
    if (static_cast<std::int64_t>(ids.size()) == run.rows) return ids;
    // ... unless some were stored as numbers in the text column: then by place.
    return idsOf(select + " ORDER BY " + runOrder(column) + ", " + fid + " LIMIT " + std::to_string(run.rows) +
                 " OFFSET " + std::to_string(run.start));
}

} // namespace corvane::gdal
