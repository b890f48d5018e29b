#pragma once
// A cursor over one QGIS vector layer for one where clause, reading through
// a QgsFeatureIterator. The clause is checked by QGIS when the cursor is
// made, so a rejected clause surfaces from Search as the host's error.
// A cursor of rows never reads geometry. A whole-table read, after its
// first row, narrows itself to the fields its caller asked of that row (a
// later row asked for another field reads itself whole by ID), so a long
// read of one column lets the provider skip the others; on a GeoPackage or
// SQLite layer a read of one text column is answered from the column's
// groups of equal values (GroupedRows.h). An object-ID list is read a block
// of IDs at a time and handed out in the clause's order. UI thread only.

#include <QHash>
#include <QSet>
#include <optional>
#include <vector>
#include <memory>
#include <string>

#include <qgsfeature.h>
#include <qgsfeatureiterator.h>
#include <qgsfeaturerequest.h>

#include "host/Tables.h"
#include "qgis/GroupedRows.h"
#include "qgis/QgisTable.h"

namespace corvane::qgis {

// The layer fields that rows of one cursor were asked for.
struct FieldsAsked {
    QSet<int> layerIndexes;
};

class QgisRow final : public host::IFeature {
public:
    // subset: the layer fields the feature holds; null when it holds all.
    QgisRow(std::shared_ptr<const QgisLayerSource> source, QgsFeature feature,
            std::shared_ptr<const QgsAttributeList> subset, std::shared_ptr<FieldsAsked> asked);
    // Becomes the cursor's next row; only while nobody else holds this one.
    void reuse(QgsFeature feature, const std::shared_ptr<const QgsAttributeList>& subset);

    // Raises error 6 for an ID beyond 32 bits.
    std::int32_t OID() override;
    // Raises a type mismatch for the shape field.
    host::Variant Value(std::int32_t index) override;
    // Raises HostError when the row was read without its shape.
    host::Ref<host::IGeometry> Shape() override;

private:
    std::shared_ptr<const QgisLayerSource> m_source;
    QgsFeature m_feature;
    std::shared_ptr<const QgsAttributeList> m_subset;
    std::shared_ptr<FieldsAsked> m_asked;
};

class QgisCursor final : public host::ICursor, public host::IFeatureCursor {
public:
    // Raises HostError when QGIS rejects the clause.
    QgisCursor(std::shared_ptr<const QgisLayerSource> source, const std::string& whereClause, bool withGeometry);

    host::Ref<host::IRow> NextRow() override;
    host::Ref<host::IFeature> NextFeature() override;
    std::int32_t FindField(const std::string& name) override { return m_source->schema().findField(name); }

private:
    host::Ref<host::IFeature> next();
    bool nextFromIterator(QgsFeature& feature);
    bool nextFromIds(QgsFeature& feature);
    // The row object for the next row, a free one of the last two when it can.
    const std::shared_ptr<QgisRow>& handOut(QgsFeature feature);
    void narrow();

    std::shared_ptr<const QgisLayerSource> m_source;
    QgsFeatureRequest m_request;
    QgsFeatureIterator m_iterator;
    bool m_withGeometry = false;
    std::shared_ptr<const QgsAttributeList> m_subset;
    std::shared_ptr<FieldsAsked> m_asked = std::make_shared<FieldsAsked>();
    std::int64_t m_delivered = 0;
    bool m_atEnd = false;
    std::optional<std::vector<QgsFeatureId>> m_ids;
    std::size_t m_nextId = 0;
    std::size_t m_blockEnd = 0;
    QHash<QgsFeatureId, QgsFeature> m_block;
    QgsFeature m_first;
    std::unique_ptr<GroupedRows> m_grouped;
    // The last two rows handed out: a caller that holds one row while it
    // asks for the next lets a million rows share these two objects.
    std::shared_ptr<QgisRow> m_rows[2];
    std::size_t m_lastRow = 0;
};

} // namespace corvane::qgis
