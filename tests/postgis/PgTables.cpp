#include "PgTables.h"

#include "PgCluster.h"
#include "gdal/PgWhereClause.h"

namespace corvane::testing {

const std::vector<std::string>& oddNames()
{
    static const std::vector<std::string> names{
        "O'Brien",  "back\\slash", "semi; colon", "dash -- dash", "x'); DROP TABLE odd; --", "Main St",
        "MAIN ST",  "tail\\",      "quote\"name", "E'x'",         "$$dollar$$",
    };
    return names;
}

const std::string& oddConnection()
{
    static const std::string odd = [] {
        PgCluster& cluster = PgCluster::shared();
        cluster.createDatabase("odd");
        std::string rows;
        int number = 0;
        for (const auto& name : oddNames()) {
            // Two rows per name; the second has a later sale date.
            for (int copy = 0; copy < 2; ++copy) {
                if (!rows.empty()) rows += ",";
                const std::string id = std::to_string(++number);
                rows += "(" + gdal::postgresText(name) + ", " + id + ", DATE '2003-01-0" + std::to_string(copy + 1) +
                        "', ST_SetSRID(ST_MakePoint(" + id + ", 0), 4326))";
            }
        }
        cluster.sql("odd", "CREATE TABLE odd (\"Id\" serial PRIMARY KEY, \"StName\" text, \"Num\" integer, "
                           "\"Sold\" date, geom geometry(Point, 4326));"
                           "INSERT INTO odd (\"StName\", \"Num\", \"Sold\", geom) VALUES " + rows + ";"
                           "CREATE INDEX ON odd (\"StName\"); ANALYZE odd");
        return cluster.connection("odd");
    }();
    return odd;
}

const std::string& townConnection()
{
    static const std::string town = [] {
        PgCluster& cluster = PgCluster::shared();
        cluster.createDatabase("town");
        cluster.load("town", CORVANE_DEMO_TOWN);
        cluster.sql("town", "CREATE INDEX parcels_stname ON parcels (stname);"
                            "CREATE INDEX parcels_stname_addnum ON parcels (stname, addnum)");
        cluster.sql("town", "VACUUM ANALYZE");  // as after any bulk load
        return cluster.connection("town");
    }();
    return town;
}

std::shared_ptr<gdal::LayerTable> tableIn(gdal::GdalMap& map, const std::string& name)
{
    std::vector<host::Ref<host::ILayer>> layers = map.layers();
    while (!layers.empty()) {
        const auto layer = layers.back();
        layers.pop_back();
        if (auto* group = dynamic_cast<gdal::GroupLayer*>(layer.get())) {
            layers.insert(layers.end(), group->layers().begin(), group->layers().end());
        } else if (auto* feature = dynamic_cast<gdal::FeatureLayer*>(layer.get()); feature && feature->Name() == name) {
            return std::shared_ptr<gdal::LayerTable>(layer.shared(), &feature->table());
        } else if (auto* plain = dynamic_cast<gdal::PlainLayer*>(layer.get()); plain && plain->Name() == name) {
            return plain->table();
        }
    }
    return nullptr;
}

} // namespace corvane::testing
