#include "gdal/PgWhereClause.h"

#include <gtest/gtest.h>

#include <vector>

#include "host/HostError.h"

namespace corvane::gdal {
namespace {

LayerSchema oddTable()
{
    LayerSchema schema;
    schema.layerName = "odd";
    schema.oidFieldName = "Id";
    schema.dialect = ClauseDialect::PostgreSql;
    schema.fields = {{"Id", host::esriFieldTypeOID, FieldInfo::Kind::ObjectId, -1},
                     {"StName", host::esriFieldTypeString, FieldInfo::Kind::Attribute, 0},
                     {"num", host::esriFieldTypeInteger, FieldInfo::Kind::Attribute, 1},
                     {"sold", host::esriFieldTypeDate, FieldInfo::Kind::Attribute, 2}};
    return schema;
}

TEST(PgWhereClauseTest, NamesAreQuotedAsTheTableSpellsThem)
{
    const LayerSchema schema = oddTable();
    EXPECT_EQ(translatePostgresClause("STNAME = 'Main St' and NUM = 4", schema),
              "\"StName\" = 'Main St' AND \"num\" = 4");
    EXPECT_EQ(translatePostgresClause("\"stname\" = 'x'", schema), "\"StName\" = 'x'");
    // An unknown name is quoted as written, for the server to reject.
    EXPECT_EQ(translatePostgresClause("Nosuch IS NOT NULL", schema), "\"Nosuch\" IS NOT NULL");
    EXPECT_EQ(translatePostgresClause("id in (3,1, 2)", schema), "\"Id\" IN (3,1, 2)");
    EXPECT_EQ(translatePostgresClause("num>=1.5e3 OR num<>-2 OR num!=7", schema),
              "\"num\">=1.5e3 OR \"num\"<>-2 OR \"num\"<>7");
}

TEST(PgWhereClauseTest, TextIsEscapedForEitherServerSetting)
{
    const LayerSchema schema = oddTable();
    EXPECT_EQ(translatePostgresClause("StName = 'O''Brien'", schema), "\"StName\" = 'O''Brien'");
    EXPECT_EQ(translatePostgresClause("StName = 'back\\slash'", schema), "\"StName\" = E'back\\\\slash'");
    // A backslash before a quote cannot end the text early.
    EXPECT_EQ(translatePostgresClause("StName = 'a\\'' OR 1 = 1'", schema), "\"StName\" = E'a\\\\'' OR 1 = 1'");
    // Semicolons and dashes inside text stay text.
    EXPECT_EQ(translatePostgresClause("StName = 'x''); DROP TABLE odd; --'", schema),
              "\"StName\" = 'x''); DROP TABLE odd; --'");
    EXPECT_EQ(postgresName("a\"b"), "\"a\"\"b\"");
}

TEST(PgWhereClauseTest, DatesBecomeIsoText)
{
    const LayerSchema schema = oddTable();
    EXPECT_EQ(translatePostgresClause("sold = #1/2/2003#", schema), "\"sold\" = '2003-01-02'");
    EXPECT_EQ(translatePostgresClause("sold < #12/31/1999 1:05 PM#", schema), "\"sold\" < '1999-12-31 13:05:00'");
}

TEST(PgWhereClauseTest, AnythingOutsideTheDialectNeverReachesTheServer)
{
    const LayerSchema schema = oddTable();
    for (const std::string& clause : std::vector<std::string>{"num = 1; DROP TABLE odd", "num = 1 -- and the rest", "num = 1 /* x */", "num = 1::text", "num = $1",
          "num = $$x$$", "StName = 'open", "\"StName = 1", "num = 12abc", "sold = #2/30/2003#",
          std::string("StName = 'a\0b'", 15)}) {
        EXPECT_THROW((void)translatePostgresClause(clause, schema), host::HostError) << clause;
    }
}

} // namespace
} // namespace corvane::gdal
