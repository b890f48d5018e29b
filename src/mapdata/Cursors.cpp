#include <string>

#include "errors/ErrorHandling.h"
#include "host/HostClasses.h"
#include "mapdata/ArcMapSupport.h"
#include "mapdata/CorvaneGIS_ArcMap.h"
#include "shared/Runtime.h"

namespace CorvaneGIS_ArcMap {

using namespace corvane::host;

Ref<ICursor> GetCursorByQuery(const std::string& layerName, const std::string& whereClause)
{
    int line = 0;
    try {
        line = 10;
        const Ref<IFeatureLayer> layer = GetFeatureLayerByName(layerName);
        line = 20;
        if (!layer) return {};
        line = 30;
        const Ref<IQueryFilter> filter = createHostObject<IQueryFilter>(kQueryFilterClass);
        line = 40;
        filter->WhereClause(whereClause);
        line = 50;
        return detail::layerTable(layer)->Search(filter, true);
    } catch (...) {
        corvane::errors::reportTrappedError("GetCursorByQuery ", detail::kModuleName, line);
        return {};
    }
}

Ref<IFeatureCursor> GetFeatureCursorByQuery(const Ref<IFeatureLayer>& layer, const std::string& whereClause)
{
    int line = 0;
    try {
        line = 10;
        if (!layer) return {};
        line = 20;
        const Ref<ITable> table = detail::layerTable(layer);
        line = 30;
        if (!table) return {};
        line = 40;
        const Ref<IQueryFilter> filter = createHostObject<IQueryFilter>(kQueryFilterClass);
        line = 50;
        filter->WhereClause(whereClause);
        line = 60;
        const Ref<ICursor> cursor = table->Search(filter, true);
        line = 70;
        Ref<IRow> row = cursor->NextRow();
        line = 80;
        if (!row) return {};
        line = 90;
        if (!table->HasOID()) {
            line = 100;
            corvane::MsgBox("Table must have OID field.");
            line = 110;
            return {};
        }
        line = 120;
        if (!layer->FeatureClass()->HasOID()) {
            line = 130;
            corvane::MsgBox("FeatureClass must have OID field.");
            line = 140;
            return {};
        }
        // The rows found on the table are fetched again as features through
        // their object IDs; the list has no length limit.
        line = 150;
        std::string idClause = layer->FeatureClass()->OIDFieldName() + " in (";
        line = 160;
        bool first = true;
        while (row) {
            line = 170;
            if (!first) idClause += ',';
            first = false;
            idClause += std::to_string(row->OID());
            line = 180;
            row = cursor->NextRow();
        }
        line = 190;
        idClause += ')';
        line = 200;
        const Ref<IQueryFilter> idFilter = createHostObject<IQueryFilter>(kQueryFilterClass);
        line = 210;
        idFilter->WhereClause(idClause);
        line = 220;
        return layer->Search(idFilter, true);
    } catch (...) {
        corvane::errors::reportTrappedError("GetFeatureCursorByQuery ", detail::kModuleName, line);
        return {};
    }
}

} // namespace CorvaneGIS_ArcMap
