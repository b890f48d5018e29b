#pragma once
// A cursor over one layer for one where clause. It owns a leased dataset, so
// its filter and reading position are its own. The first row is read when
// the cursor is made: GDAL drivers that pass the clause on to a database
// report a bad field or literal only when reading starts, and that must
// surface from Search as the host's error, never as an empty result.
// An object-ID list clause is answered by fetching each ID directly.
// A long attribute read narrows itself: after the first row it reads only
// the fields its caller asked of that row (a row asked for another field
// reads itself whole by ID), which lets a database driver skip the other
// columns or answer from a covering index. A whole-table read of one
// indexed text column of a GeoPackage goes further and reads the column's
// runs of equal values instead of its rows. A whole-table read of one text
// column of a Shapefile reads it from the .dbf alone, and one of a GeoPackage
// without an index on it reads that column alone with SQLite. A whole-table read of
// one text column leaves a value index behind on its data source, and
// later `field = 'text'` clauses on that field read only the rows it names.

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gdal/DataSource.h"
#include "gdal/ColumnRows.h"
#include "gdal/GdalRow.h"
#include "gdal/HandedOutFeature.h"
#include "gdal/LayerSchema.h"
#include "gdal/ValueIndex.h"
#include "gdal/ValueRunRows.h"
#include "host/Tables.h"

namespace corvane::gdal {

struct CursorRequest {
    std::string whereClause;
    bool withGeometry = false;
    bool recycling = false;
    // Where a feature search by object IDs records what it hands out (may
    // be empty), and the table it reads, to say where the feature came from.
    std::shared_ptr<HandedOutFeatures> handOuts;
    const LayerTable* table = nullptr;
};

class GdalCursor final : public host::ICursor, public host::IFeatureCursor {
public:
    // Raises HostError when the clause is rejected or the first read fails.
    GdalCursor(std::shared_ptr<DataSource> source, std::shared_ptr<const LayerSchema> schema,
               const CursorRequest& request);

    host::Ref<host::IRow> NextRow() override;
    host::Ref<host::IFeature> NextFeature() override;
    std::int32_t FindField(const std::string& name) override { return m_schema->findField(name); }

private:
    OGRFeatureUniquePtr fetch();
    OGRFeatureUniquePtr fetchById();
    OGRFeatureUniquePtr fetchListedRows();
    void readFirstRowAlone();
    void readBatch();
    // True when the read starts again from the beginning.
    bool narrowToUsedFields();
    // The host index of the one text field a whole-table read has used, or -1.
    [[nodiscard]] std::int32_t soleTextFieldRead() const;
    [[nodiscard]] bool answerFromValueRuns(std::int32_t fieldIndex);
    [[nodiscard]] bool meetsTextEqualities(const OGRFeature& feature) const;
    void answerFromValueIndex();
    void startValueIndex(std::int32_t fieldIndex);
    void recordForValueIndex(const OGRFeature* feature);
    void recordHandOut(const OGRFeature& feature) const;
    host::Ref<host::IFeature> next();
    host::Ref<host::IFeature> nextFromColumn();
    [[nodiscard]] bool answerFromColumn(std::int32_t fieldIndex);
    host::Ref<host::IFeature> readNext();
    [[noreturn]] void raiseClauseFailure(const std::string& gdalMessage) const;

    std::shared_ptr<DataSource> m_source;
    std::shared_ptr<const LayerSchema> m_schema;
    CursorRequest m_request;
    LayerLease m_lease;
    std::optional<std::vector<std::int64_t>> m_ids;
    std::size_t m_nextId = 0;
    std::deque<OGRFeatureUniquePtr> m_listed;  // rows of listed IDs read ahead
    // Rows are read from OGR in batches, under one error handler each.
    std::deque<OGRFeatureUniquePtr> m_batch;
    std::optional<std::string> m_batchError;  // raised when the batch before it is used up
    bool m_atEnd = false;
    bool m_firstRead = true;
    std::shared_ptr<GdalRow> m_row;
    // Text terms OGR may have matched ignoring case: OGR field index, text.
    std::vector<std::pair<int, std::string>> m_exactText;
    std::shared_ptr<const RowContext> m_context;
    std::int64_t m_delivered = 0;
    // Rows handed out before the read was restarted narrower; the new read
    // may meet them again, in another order.
    std::vector<GIntBig> m_alreadyDelivered;
    std::unique_ptr<ValueRunRows> m_runs;
    std::unique_ptr<ColumnRows> m_columnRows;
    // Rows fetched by ID for a clause answered from a value index are
    // checked against the clause here (drivers that filter with OGR's SQL).
    std::unique_ptr<OGRFeatureQuery> m_rowCheck;
    // Built while a whole-table read of one text field runs.
    std::unique_ptr<ValueIndexBuilder> m_indexBuilder;
    int m_indexOgrField = -1;
};

// Puts the where clause (or object-ID list) and the ignored fields on a
// leased layer; returns the ID list when the clause is one. Raises HostError
// when OGR rejects the clause.
std::optional<std::vector<std::int64_t>> applyRequest(OGRLayer& layer, const LayerSchema& schema,
                                                      const CursorRequest& request);

} // namespace corvane::gdal
