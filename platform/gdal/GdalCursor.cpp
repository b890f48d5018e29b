#include "gdal/GdalCursor.h"

#include <algorithm>

#include "gdal/CplErrors.h"
#include "gdal/DamagedFile.h"
#include "gdal/DbfColumnRows.h"
#include "gdal/IndexedClause.h"
#include "gdal/LayerTable.h"
#include "gdal/PgValueRuns.h"
#include "gdal/PgWhereClause.h"
#include "gdal/SqlResult.h"
#include "gdal/SqliteColumnRows.h"
#include "gdal/WhereTerms.h"
#include "host/HostError.h"

namespace corvane::gdal {

namespace {

bool isBlankClause(const std::string& clause)
{
    return std::all_of(clause.begin(), clause.end(), [](char c) { return c == ' ' || c == '\t'; });
}

[[noreturn]] void raiseRejected(const LayerSchema& schema, const std::string& clause, const std::string& message)
{
    raiseGdalFailure("The where clause " + clause + " is not valid for " + schema.layerName, message);
}

} // namespace

std::optional<std::vector<std::int64_t>> applyRequest(OGRLayer& layer, const LayerSchema& schema,
                                                      const CursorRequest& request)
{
    requireNoNulByte(request.whereClause);
    ScopedCplErrors errors;
    if (!request.withGeometry && layer.TestCapability(OLCIgnoreFields)) {
        const char* ignored[] = {"OGR_GEOMETRY", "OGR_STYLE", nullptr};
        if (layer.SetIgnoredFields(ignored) != OGRERR_NONE) errors.raise("Cannot skip the shapes of " + schema.layerName);
    }

    auto ids = parseObjectIdList(request.whereClause, schema.oidFieldName);
    if (ids) {
        // IN semantics: each matching row once, in ID order.
        std::sort(ids->begin(), ids->end());
        ids->erase(std::unique(ids->begin(), ids->end()), ids->end());
        return ids;
    }
    if (isBlankClause(request.whereClause)) return std::nullopt;

    const std::string translated = schema.driverClause(request.whereClause);
    errors.clear();
    if (layer.SetAttributeFilter(translated.c_str()) != OGRERR_NONE || errors.failed()) {
        raiseRejected(schema, request.whereClause, errors.message());
    }
    return std::nullopt;
}

GdalCursor::GdalCursor(std::shared_ptr<DataSource> source, std::shared_ptr<const LayerSchema> schema,
                       const CursorRequest& request)
    : m_source(std::move(source)), m_schema(std::move(schema)), m_request(request),
      m_lease(m_source->lease(m_schema->layerName))
{
    m_ids = applyRequest(m_lease.layer(), *m_schema, m_request);
    if (!m_ids && !isBlankClause(m_request.whereClause)) answerFromValueIndex();
    if ((!m_ids || m_rowCheck) && m_schema->dateStyle == DateLiteralStyle::OgrSql) {
        // Quoted as the term reader reads names, a name with blanks or quotes is one name.
        for (auto& term : conjoinedTextEqualities(
                 quoteFieldNames(m_request.whereClause, m_schema->clauseFieldNames, DateLiteralStyle::Iso))) {
            const std::int32_t index = m_schema->findField(term.field);
            if (index < 0) continue;
            const FieldInfo& field = m_schema->field(index);
            if (field.kind == FieldInfo::Kind::Attribute && field.type == host::esriFieldTypeString) {
                m_exactText.emplace_back(field.ogrIndex, std::move(term.text));
            }
        }
    }
    auto context = std::make_shared<RowContext>();
    context->source = m_source;
    context->schema = m_schema;
    context->geometryRead = m_request.withGeometry;
    // A database server that reads every column anyway can still group the
    // one its caller reads, so its cursors watch the fields used as well.
    const bool watched =
        m_lease.layer().TestCapability(OLCIgnoreFields) || m_schema->dialect == ClauseDialect::PostgreSql;
    if (!m_ids && !m_request.withGeometry && watched) {
        context->use = std::make_shared<FieldUse>();
        context->use->used.assign(static_cast<std::size_t>(m_lease.layer().GetLayerDefn()->GetFieldCount()), false);
    }
    m_context = std::move(context);
    // Read the first rows now: a clause the driver rejects only when reading
    // starts must fail here.
    if (m_ids) {
        if (auto first = fetchById()) m_batch.push_back(std::move(first));
    } else if (m_context->use && m_schema->dialect == ClauseDialect::PostgreSql && isBlankClause(m_request.whereClause)) {
        readFirstRowAlone();
    } else {
        readBatch();
        if (m_batch.empty() && m_batchError) raiseClauseFailure(*m_batchError);
    }
    m_firstRead = false;
}

void GdalCursor::readFirstRowAlone()
{
    // The caller's use of the first row decides whether the server groups
    // the one column read (readNext); a page of whole rows with their shapes
    // would mostly be read for nothing.
    OGRLayer& layer = m_lease.layer();
    const std::string key = layer.GetFIDColumn();
    if (key.empty()) {
        readBatch();
        if (m_batch.empty() && m_batchError) raiseClauseFailure(*m_batchError);
        return;
    }
    ScopedCplErrors errors;
    GIntBig fid = OGRNullFID;
    {
        SqlResult first(m_lease.dataset(),
                        "SELECT " + postgresName(key) + " FROM " + postgresTableName(layer) + " LIMIT 1");
        if (first.layer() == nullptr) raiseClauseFailure(errors.message());
        const auto row = first.next();
        if (errors.failed()) raiseClauseFailure(errors.message());
        if (!row) {
            m_atEnd = true;
            return;
        }
        // GDAL takes a selected primary key for the result's own feature ID.
        fid = first.layer()->GetLayerDefn()->GetFieldCount() > 0 ? row->GetFieldAsInteger64(0) : row->GetFID();
    }
    errors.tolerate("unknown feature id");  // deleted since: the plain read finds another
    OGRFeatureUniquePtr feature(layer.GetFeature(fid));
    if (!feature) {
        if (errors.failed()) raiseClauseFailure(errors.message());
        readBatch();
        return;
    }
    m_alreadyDelivered.push_back(fid);  // should the plain read follow after all
    m_batch.push_back(std::move(feature));
}

bool GdalCursor::narrowToUsedFields()
{
    if (!m_lease.layer().TestCapability(OLCIgnoreFields)) {
        auto unwatched = std::make_shared<RowContext>(*m_context);
        unwatched->use.reset();
        m_context = std::move(unwatched);
        return false;
    }
    OGRFeatureDefn* definition = m_lease.layer().GetLayerDefn();
    auto loaded = std::make_shared<std::vector<bool>>(m_context->use->used);
    // Drivers that filter after reading need the clause's fields as well.
    for (const auto& name : namesIn(quoteFieldNames(m_request.whereClause, m_schema->clauseFieldNames, DateLiteralStyle::Iso))) {
        const int index = definition->GetFieldIndex(name.c_str());
        if (index >= 0) (*loaded)[static_cast<std::size_t>(index)] = true;
    }
    std::vector<const char*> ignored{"OGR_GEOMETRY", "OGR_STYLE"};
    for (std::size_t i = 0; i < loaded->size(); ++i) {
        if (!(*loaded)[i]) ignored.push_back(definition->GetFieldDefn(static_cast<int>(i))->GetNameRef());
    }
    auto narrowed = std::make_shared<RowContext>(*m_context);
    narrowed->use.reset();
    if (ignored.size() == 2) {
        m_context = std::move(narrowed);  // every field is wanted: nothing to gain
        return false;
    }
    ignored.push_back(nullptr);
    ScopedCplErrors errors;
    if (m_lease.layer().SetIgnoredFields(ignored.data()) != OGRERR_NONE) {
        errors.raise("Cannot skip the unread fields of " + m_schema->layerName);
    }
    narrowed->loaded = std::move(loaded);
    m_context = std::move(narrowed);
    // A Shapefile skips the fields from its next row on and keeps its
    // place: the rows read ahead hold every field, which is more than the
    // narrowed rows promise, so they are handed out as they are. Other
    // drivers start their read again with the new columns.
    if (m_source->driverName() == "ESRI Shapefile") return false;
    m_lease.layer().ResetReading();
    m_batch.clear();
    m_batchError.reset();
    m_atEnd = false;
    return true;
}

void GdalCursor::raiseClauseFailure(const std::string& gdalMessage) const
{
    const std::string from = "Cannot read " + m_schema->layerName + " from " + m_source->displayName();
    if (m_schema->dialect == ClauseDialect::PostgreSql) {
        // The server's message says whether the clause, the table, the
        // rights or the connection failed; a guess here could only mislead.
        const bool withClause = !isBlankClause(m_request.whereClause) && !m_ids;
        raiseGdalFailure(withClause ? from + " where " + m_request.whereClause : from, gdalMessage);
    }
    if (m_firstRead && !isBlankClause(m_request.whereClause) && !m_ids) {
        raiseRejected(*m_schema, m_request.whereClause, gdalMessage);
    }
    raiseGdalFailure(from, withDamagedFile(gdalMessage, m_source->path(), m_schema->layerName));
}

OGRFeatureUniquePtr GdalCursor::fetchById()
{
    if (m_schema->dialect == ClauseDialect::PostgreSql && !m_rowCheck && *m_lease.layer().GetFIDColumn() != '\0') {
        return fetchListedRows();
    }
    ScopedCplErrors errors;
    // Shapefiles report an ID past their end as an error; it is no match.
    errors.tolerate("out of available range");
    errors.tolerate("unknown feature id");  // PostgreSQL's word for the same
    while (m_nextId < m_ids->size()) {
        const auto fid = static_cast<GIntBig>((*m_ids)[m_nextId++]);
        OGRFeatureUniquePtr feature(m_lease.layer().GetFeature(fid));
        if (feature && m_rowCheck && !(m_rowCheck->Evaluate(feature.get()) && meetsTextEqualities(*feature))) continue;
        if (feature) return feature;
        // A missing ID is no match; anything GDAL reported is a failure.
        if (errors.failed()) raiseClauseFailure(errors.message());
    }
    m_atEnd = true;
    return nullptr;
}

OGRFeatureUniquePtr GdalCursor::fetchListedRows()
{
    // One query by primary key for many IDs: a round trip each would cost
    // more than the server's look-ups.
    constexpr std::size_t kIdsPerQuery = 1000;
    OGRLayer& layer = m_lease.layer();
    while (m_listed.empty()) {
        if (m_nextId >= m_ids->size()) {
            m_atEnd = true;
            return nullptr;
        }
        const std::size_t end = std::min(m_ids->size(), m_nextId + kIdsPerQuery);
        std::string filter = postgresName(layer.GetFIDColumn()) + " IN (";
        for (std::size_t i = m_nextId; i < end; ++i) {
            if (i > m_nextId) filter += ',';
            filter += std::to_string((*m_ids)[i]);
        }
        filter += ')';
        m_nextId = end;
        ScopedCplErrors errors;
        if (layer.SetAttributeFilter(filter.c_str()) != OGRERR_NONE || errors.failed()) {
            raiseClauseFailure(errors.message());
        }
        layer.ResetReading();
        std::vector<OGRFeatureUniquePtr> rows;
        while (OGRFeatureUniquePtr row{layer.GetNextFeature()}) rows.push_back(std::move(row));
        if (errors.failed()) raiseClauseFailure(errors.message());
        // The list is in ID order; the server returns rows as it finds them.
        std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a->GetFID() < b->GetFID(); });
        for (auto& row : rows) m_listed.push_back(std::move(row));
    }
    OGRFeatureUniquePtr row = std::move(m_listed.front());
    m_listed.pop_front();
    return row;
}

void GdalCursor::readBatch()
{
    constexpr std::size_t kBatchRows = 64;
    OGRLayer& layer = m_lease.layer();
    ScopedCplErrors errors;
    // OGR's SQL reads a Null date as '' and reports that it cannot parse
    // it; the row simply does not match.
    errors.tolerate("Failed to parse date ''");
    while (m_batch.size() < kBatchRows) {
        OGRFeatureUniquePtr feature(layer.GetNextFeature());
        if (!feature) {
            if (errors.failed()) m_batchError = errors.message();
            m_atEnd = true;
            return;
        }
        if (!meetsTextEqualities(*feature)) continue;
        if (std::find(m_alreadyDelivered.begin(), m_alreadyDelivered.end(), feature->GetFID()) !=
            m_alreadyDelivered.end()) {
            continue;
        }
        m_batch.push_back(std::move(feature));
    }
}

OGRFeatureUniquePtr GdalCursor::fetch()
{
    if (m_batch.empty() && !m_atEnd) {
        if (m_ids) return fetchById();
        readBatch();
    }
    if (m_batch.empty()) {
        if (m_batchError) {
            const std::string message = std::move(*m_batchError);
            m_batchError.reset();
            raiseClauseFailure(message);
        }
        return nullptr;
    }
    OGRFeatureUniquePtr feature = std::move(m_batch.front());
    m_batch.pop_front();
    return feature;
}

bool GdalCursor::meetsTextEqualities(const OGRFeature& feature) const
{
    for (const auto& [index, text] : m_exactText) {
        if (!feature.IsFieldSetAndNotNull(index) || text != feature.GetFieldAsString(index)) return false;
    }
    return true;
}

void GdalCursor::answerFromValueIndex()
{
    OGRLayer& layer = m_lease.layer();
    auto ids = candidateIds(*m_source, *m_schema, layer, m_request.whereClause);
    if (!ids) return;
    const std::string translated = m_schema->driverClause(m_request.whereClause);
    if (m_schema->dateStyle == DateLiteralStyle::OgrSql) {
        // Read by ID; each row is checked as OGR's filter would check it.
        m_rowCheck = compileRowCheck(layer, *m_schema, translated, m_request.whereClause);
        m_ids = std::move(*ids);
        return;
    }
    // The database keeps its own comparison rules, on the candidates only.
    if (ids->size() > kMaxIdsInFilter || std::string(layer.GetFIDColumn()).empty()) return;
    ScopedCplErrors errors;
    if (layer.SetAttributeFilter(restrictToIds(layer, *ids, translated).c_str()) != OGRERR_NONE || errors.failed()) {
        raiseRejected(*m_schema, m_request.whereClause, errors.message());
    }
}

void GdalCursor::startValueIndex(std::int32_t fieldIndex)
{
    const FieldInfo& field = m_schema->field(fieldIndex);
    const char* name = m_lease.layer().GetLayerDefn()->GetFieldDefn(field.ogrIndex)->GetNameRef();
    if (m_source->valueIndex(m_schema->layerName, name)) return;  // one is kept already
    m_indexBuilder = std::make_unique<ValueIndexBuilder>();
    m_indexOgrField = field.ogrIndex;
    OGRLayer& layer = m_lease.layer();
    if (layer.TestCapability(OLCFastFeatureCount)) {
        const GIntBig rows = layer.GetFeatureCount(FALSE);
        if (rows > 0) m_indexBuilder->reserve(static_cast<std::size_t>(rows));
    }
    const host::Variant first = m_row->Value(fieldIndex);
    m_indexBuilder->add(m_row->fid(), first.isText() ? std::get<std::string>(first.storage()).c_str() : nullptr);
}

void GdalCursor::recordForValueIndex(const OGRFeature* feature)
{
    if (feature != nullptr) {
        m_indexBuilder->add(feature->GetFID(),
                            feature->IsFieldSetAndNotNull(m_indexOgrField) ? feature->GetFieldAsString(m_indexOgrField)
                                                                           : nullptr);
        return;
    }
    // The whole table was read: keep what was learnt for later clauses.
    const char* name = m_lease.layer().GetLayerDefn()->GetFieldDefn(m_indexOgrField)->GetNameRef();
    m_source->keepValueIndex(m_schema->layerName, name, m_indexBuilder->finish(), m_lease.generation());
    m_indexBuilder.reset();
}

std::int32_t GdalCursor::soleTextFieldRead() const
{
    if (!isBlankClause(m_request.whereClause)) return -1;
    const auto& used = m_context->use->used;
    if (std::count(used.begin(), used.end(), true) != 1) return -1;
    const auto ogrIndex = static_cast<int>(std::find(used.begin(), used.end(), true) - used.begin());
    if (m_lease.layer().GetLayerDefn()->GetFieldDefn(ogrIndex)->GetType() != OFTString) return -1;
    std::int32_t fieldIndex = 0;
    while (m_schema->field(fieldIndex).kind != FieldInfo::Kind::Attribute ||
           m_schema->field(fieldIndex).ogrIndex != ogrIndex) {
        ++fieldIndex;
    }
    return fieldIndex;
}

bool GdalCursor::answerFromValueRuns(std::int32_t fieldIndex)
{
    const std::string driver = m_source->driverName();
    if (driver != "GPKG" && driver != "PostgreSQL") return false;
    PgTableFacts* facts = m_request.table != nullptr ? &m_request.table->pgFacts() : nullptr;
    m_runs = ValueRunRows::start(m_lease, m_source, m_schema, fieldIndex, m_row->Value(fieldIndex), m_row->fid(), facts);
    if (!m_runs) return false;
    m_batch.clear();
    m_lease.layer().ResetReading();  // the row read is over; a database closes it now
    return true;
}

host::Ref<host::IFeature> GdalCursor::next()
{
    try {
        return readNext();
    } catch (const host::HostError& error) {
        m_lease.markBroken();  // a dropped connection must not go back to the pool
        // Whoever reads the report must learn which source failed.
        if (error.description().find(m_source->displayName()) != std::string::npos) throw;
        host::raiseError(error.number(), error.description() + " (" + m_source->displayName() + ")");
    } catch (...) {
        m_lease.markBroken();
        throw;
    }
}

host::Ref<host::IFeature> GdalCursor::readNext()
{
    if (m_runs) return m_runs->next();
    if (m_columnRows) return nextFromColumn();
    if (m_delivered == 1 && m_context->use && !m_atEnd) {  // a read that fit in one batch gains nothing
        const std::int32_t soleField = soleTextFieldRead();
        if (soleField >= 0 && answerFromValueRuns(soleField)) return m_runs->next();
        if (soleField >= 0) startValueIndex(soleField);
        if (soleField >= 0 && answerFromColumn(soleField)) return nextFromColumn();
        const GIntBig first = m_row->fid();
        if (narrowToUsedFields()) m_alreadyDelivered.push_back(first);
    }
    OGRFeatureUniquePtr feature = fetch();
    if (m_indexBuilder) recordForValueIndex(feature.get());
    if (!feature) return {};
    ++m_delivered;
    if (m_ids && !m_rowCheck && m_request.withGeometry && m_request.handOuts) recordHandOut(*feature);
    // A recycled row is reused only when the caller let go of the last one.
    if (m_request.recycling && m_row && m_row.use_count() == 1) {
        m_row->reset(m_context, std::move(feature));
    } else {
        m_row = std::make_shared<GdalRow>(m_context, std::move(feature));
    }
    return host::Ref<host::IFeature>(m_row);
}

bool GdalCursor::answerFromColumn(std::int32_t fieldIndex)
{
    m_columnRows = DbfColumnRows::open(m_lease, m_source, m_schema, fieldIndex, m_row->fid());
    if (!m_columnRows) m_columnRows = SqliteColumnRows::open(m_lease, m_source, m_schema, fieldIndex, m_row->fid());
    if (!m_columnRows) return false;
    m_batch.clear();
    m_lease.layer().ResetReading();  // OGR's own read is over
    return true;
}

host::Ref<host::IFeature> GdalCursor::nextFromColumn()
{
    auto row = m_columnRows->next();
    if (m_indexBuilder) {
        if (row) m_indexBuilder->add(m_columnRows->lastId(), m_columnRows->lastText());
        else recordForValueIndex(nullptr);
    }
    return row;
}

void GdalCursor::recordHandOut(const OGRFeature& feature) const
{
    HandedOutFeature out;
    out.table = m_request.table;
    out.fid = feature.GetFID();
    if (const OGRGeometry* shape = feature.GetGeometryRef()) out.shape.reset(shape->clone());
    out.srs = m_schema->srs;
    for (int i = 0; i < feature.GetFieldCount(); ++i) {
        const char* text = feature.IsFieldSetAndNotNull(i) ? feature.GetFieldAsString(i) : "";
        out.fields.emplace_back(feature.GetFieldDefnRef(i)->GetNameRef(), text);
    }
    m_request.handOuts->publish(std::move(out));
}

host::Ref<host::IRow> GdalCursor::NextRow() { return next(); }

host::Ref<host::IFeature> GdalCursor::NextFeature() { return next(); }

} // namespace corvane::gdal
