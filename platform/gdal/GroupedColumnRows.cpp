#include "gdal/GroupedColumnRows.h"

#include <charconv>

#include "gdal/CplErrors.h"
#include "host/HostError.h"

namespace corvane::gdal {

namespace {

std::string quotedName(const std::string& name)
{
    std::string result = "\"";
    for (const char c : name) {
        result += c;
        if (c == '"') result += c;
    }
    return result + "\"";
}

// "12,7,40" as numbers; false when any is not a whole number.
bool parseIds(const char* text, std::vector<std::int64_t>& ids)
{
    const char* end = text + std::char_traits<char>::length(text);
    while (text < end) {
        std::int64_t id = 0;
        const auto [next, error] = std::from_chars(text, end, id);
        if (error != std::errc() || (next < end && *next != ',')) return false;
        ids.push_back(id);
        text = next + 1;
    }
    return true;
}

} // namespace

struct GroupedRead {
    struct Group {
        host::Variant value;
        std::vector<std::int64_t> ids;
    };
    std::vector<Group> groups;
    std::shared_ptr<const ValueIndex> index;
    std::shared_ptr<const RowContext> wholeRows;  // for features read in full by ID
    std::int32_t fieldIndex = -1;
    GIntBig firstId = OGRNullFID;
};

class GroupedRow final : public host::IFeature {
public:
    explicit GroupedRow(std::shared_ptr<const GroupedRead> read) : m_read(std::move(read)) {}

    void reset(const GroupedRead::Group* group, GIntBig id)
    {
        m_group = group;
        m_id = id;
        m_whole.reset();
    }

    std::int32_t OID() override { return objectId(m_id, m_read->wholeRows->schema->layerName); }

    host::Variant Value(std::int32_t index) override
    {
        if (index == m_read->fieldIndex) return m_group->value;
        (void)m_read->wholeRows->schema->field(index);  // an index out of range raises before any read
        return whole().Value(index);
    }

    host::Ref<host::IGeometry> Shape() override { return whole().Shape(); }

private:
    GdalRow& whole()
    {
        if (!m_whole) {
            const RowContext& context = *m_read->wholeRows;
            m_whole = std::make_unique<GdalRow>(m_read->wholeRows, readWholeFeature(*context.source, *context.schema, m_id));
        }
        return *m_whole;
    }

    std::shared_ptr<const GroupedRead> m_read;
    const GroupedRead::Group* m_group = nullptr;
    GIntBig m_id = OGRNullFID;
    std::unique_ptr<GdalRow> m_whole;
};

std::unique_ptr<GroupedColumnRows> GroupedColumnRows::open(LayerLease& lease, std::shared_ptr<DataSource> source,
                                                           std::shared_ptr<const LayerSchema> schema,
                                                           std::int32_t fieldIndex, GIntBig firstId)
{
    OGRLayer& layer = lease.layer();
    const std::string fid = layer.GetFIDColumn();
    if (source->driverName() != "GPKG" || fid.empty()) return nullptr;
    const std::string column = layer.GetLayerDefn()->GetFieldDefn(schema->field(fieldIndex).ogrIndex)->GetNameRef();
    const std::string table = layer.GetName();
    const std::string order = quotedName(column) + " COLLATE BINARY";
    const std::string sql = "SELECT " + quotedName(column) + ", group_concat(" + quotedName(fid) + ") FROM " +
                            quotedName(table) + " GROUP BY " + order + " ORDER BY " + order;

    auto read = std::make_shared<GroupedRead>();
    ValueIndexBuilder builder;
    {
        ScopedCplErrors errors;
        GDALDataset& dataset = lease.dataset();
        OGRLayer* result = dataset.ExecuteSQL(sql.c_str(), nullptr, nullptr);
        if (result == nullptr) errors.raise("Cannot group the values of " + column + " in " + table);
        const auto release = [&](OGRLayer* done) { dataset.ReleaseResultSet(done); };
        const std::unique_ptr<OGRLayer, decltype(release)> owned(result, release);
        for (OGRFeatureUniquePtr row(result->GetNextFeature()); row; row.reset(result->GetNextFeature())) {
            GroupedRead::Group group;
            const bool isNull = !row->IsFieldSetAndNotNull(0);
            group.value = isNull ? host::Variant::null() : host::Variant(std::string(row->GetFieldAsString(0)));
            if (!parseIds(row->GetFieldAsString(1), group.ids)) return nullptr;  // IDs that are no numbers
            for (const auto id : group.ids) builder.add(id, isNull ? nullptr : row->GetFieldAsString(0));
            read->groups.push_back(std::move(group));
        }
        if (errors.failed()) errors.raise("Cannot group the values of " + column + " in " + table);
    }
    read->index = builder.finish();
    auto whole = std::make_shared<RowContext>();
    whole->source = std::move(source);
    whole->schema = std::move(schema);
    whole->geometryRead = true;  // a lease reads every field and the shape
    read->wholeRows = std::move(whole);
    read->fieldIndex = fieldIndex;
    read->firstId = firstId;
    return std::make_unique<GroupedColumnRows>(std::move(read));
}

GroupedColumnRows::GroupedColumnRows(std::shared_ptr<GroupedRead> read) : m_read(std::move(read)) {}

GroupedColumnRows::~GroupedColumnRows() = default;

std::shared_ptr<const ValueIndex> GroupedColumnRows::valueIndex() const { return m_read->index; }

std::shared_ptr<GroupedRow> GroupedColumnRows::freeRow()
{
    // Callers hold at most the row before the one they ask for.
    for (const auto& row : m_rows) {
        if (row.use_count() == 1) return row;
    }
    m_rows.push_back(std::make_shared<GroupedRow>(m_read));
    if (m_rows.size() > 2) m_rows.erase(m_rows.begin());
    return m_rows.back();
}

host::Ref<host::IFeature> GroupedColumnRows::next()
{
    while (m_group < m_read->groups.size()) {
        const auto& group = m_read->groups[m_group];
        if (m_place >= group.ids.size()) {
            ++m_group;
            m_place = 0;
            continue;
        }
        const std::int64_t id = group.ids[m_place++];
        if (id == m_read->firstId) continue;
        auto row = freeRow();
        row->reset(&group, id);
        return host::Ref<host::IFeature>(std::move(row));
    }
    return {};
}

} // namespace corvane::gdal
