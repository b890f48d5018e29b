// Databases as map sources: schemas as groups, tables without shapes as
// plain layers, connection strings built and shown without passwords, and
// the Add Database Layers dialog listing what a login may read.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "PgCluster.h"
#include "PgTables.h"
#include "gdal/DataSource.h"
#include "gdal/MapBuilder.h"
#include "gdal/PgSources.h"
#include "host/HostError.h"

#ifdef CORVANE_WITH_MAP_APP
#include <QApplication>
#include <QListWidget>

#include "DatabaseLayersDialog.h"
#endif

namespace corvane::gdal {
namespace {

using corvane::testing::PgCluster;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

std::vector<std::string> namesOf(const std::vector<host::Ref<host::ILayer>>& layers)
{
    std::vector<std::string> names;
    for (const auto& layer : layers) names.push_back(layer->Name());
    return names;
}

// A database "zoning": a spatial table and a plain one in public, a spatial
// table in the schema "plans".
const std::string& zoningConnection()
{
    static const std::string zoning = [] {
        PgCluster& cluster = PgCluster::shared();
        cluster.createDatabase("zoning");
        cluster.sql("zoning", "CREATE TABLE districts (id serial PRIMARY KEY, code text, geom geometry(Polygon, 4326));"
                              "CREATE TABLE notes (id serial PRIMARY KEY, body text);"
                              "CREATE SCHEMA plans; CREATE TABLE plans.areas (id serial PRIMARY KEY, "
                              "geom geometry(Point, 4326));"
                              "INSERT INTO plans.areas (geom) VALUES (ST_SetSRID(ST_MakePoint(1, 2), 4326))");
        return cluster.connection("zoning");
    }();
    return zoning;
}

DatabaseLogin zoningLogin()
{
    (void)zoningConnection();
    return {PgCluster::shared().folder(), "54329", "zoning", "corvane"};
}

TEST(PgMap, SchemasBecomeGroupsOnceThereIsMoreThanOneAndPlainTablesPlainLayers)
{
    const auto layers = openGisFile(zoningConnection());
    ASSERT_EQ(layers.size(), 1u);
    EXPECT_EQ(layers[0]->Name(), "zoning");
    auto* database = dynamic_cast<GroupLayer*>(layers[0].get());
    ASSERT_NE(database, nullptr);
    EXPECT_THAT(namesOf(database->layers()), ElementsAre("public", "plans"));
    auto* publicSchema = dynamic_cast<GroupLayer*>(database->layers()[0].get());
    ASSERT_NE(publicSchema, nullptr);
    EXPECT_THAT(namesOf(publicSchema->layers()), ElementsAre("districts", "notes"));
    EXPECT_NE(dynamic_cast<FeatureLayer*>(publicSchema->layers()[0].get()), nullptr);
    EXPECT_NE(dynamic_cast<PlainLayer*>(publicSchema->layers()[1].get()), nullptr);

    // One schema shown: no group for it.
    const auto plans = openGisFile(postgresConnection(zoningLogin(), {"plans.areas"}));
    EXPECT_THAT(namesOf(plans), ElementsAre("areas"));
    auto* areas = dynamic_cast<FeatureLayer*>(plans[0].get());
    ASSERT_NE(areas, nullptr);
    EXPECT_EQ(areas->table().RowCount(nullptr), 1);
}

TEST(PgMap, FilesAndDatabasesShareOneMap)
{
    auto map = openMap({CORVANE_DEMO_TOWN, postgresConnection(zoningLogin(), {"districts"})});
    EXPECT_THAT(namesOf(map->layers()), ElementsAre("demo-town", "districts"));
}

TEST(PgMap, ConnectionStringsQuoteTheirValuesAndNeverShowAPassword)
{
    const DatabaseLogin login{"/tmp/a b", "5432", "it's", "me\\you"};
    const std::string connection = postgresConnection(login, {"parcels", "plans.areas"});
    EXPECT_EQ(connection, "PG:host='/tmp/a b' port=5432 dbname='it\\'s' user='me\\\\you' tables=parcels,plans.areas");
    EXPECT_EQ(connectionValue(connection, "dbname"), "it's");
    EXPECT_EQ(connectionValue(connection, "user"), "me\\you");
    EXPECT_EQ(connectionTitle(connection), "it's");
    EXPECT_EQ(displayPath("PG:host=h password=s3cret dbname=town"), "PG:host=h dbname=town");
    EXPECT_EQ(displayPath("PG:password='a b\\' c' dbname=town"), "PG:dbname=town");
    EXPECT_EQ(displayPath("PG:dbname=town mypassword=x"), "PG:dbname=town mypassword=x");
    try {
        (void)openGisFile("PG:host=" + PgCluster::shared().folder() + " port=54329 user=corvane dbname=nowhere "
                          "password=s3cret");
        FAIL() << "a missing database opened";
    } catch (const host::HostError& error) {
        EXPECT_THAT(error.description(), HasSubstr("nowhere"));
        EXPECT_THAT(error.description(), Not(HasSubstr("s3cret")));
    }
}

#ifdef CORVANE_WITH_MAP_APP
TEST(PgMap, TheDialogListsTheTablesAndKeepsItsListWhenTheServerRefuses)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "postgis_tests";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    map::DatabaseLayersDialog dialog;
    dialog.setLogin(zoningLogin());
    ASSERT_EQ(dialog.listTables(), 3);
    EXPECT_EQ(dialog.tables().item(0)->text().toStdString(), "districts");
    EXPECT_EQ(dialog.tables().item(2)->text().toStdString(), "notes  (no shapes)");
    EXPECT_EQ(dialog.connection(), postgresConnection(zoningLogin(), {"districts", "plans.areas"}));

    DatabaseLogin wrong = zoningLogin();
    wrong.database = "nowhere";
    dialog.setLogin(wrong);
    EXPECT_EQ(dialog.listTables(), 3);
    EXPECT_THAT(dialog.problem().toStdString(), HasSubstr("nowhere"));
    EXPECT_EQ(dialog.connection(), postgresConnection(zoningLogin(), {"districts", "plans.areas"}));
}
#endif

} // namespace
} // namespace corvane::gdal
