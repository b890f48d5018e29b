#include <gtest/gtest.h>

#include <qgsfeaturerequest.h>

#include "QgisApp.h"
#include "host/HostError.h"
#include "qgis/WhereExpression.h"

namespace corvane::qgis {
namespace {

class WhereExpressionTest : public ::testing::Test {
protected:
    std::string translate(const std::string& clause)
    {
        const QgisWhere where = translateWhereClause(clause, *m_schema);
        EXPECT_FALSE(where.ids.has_value()) << clause;
        return where.expression.toStdString();
    }

    std::unique_ptr<QgsVectorLayer> m_layer = test::memoryParcels();
    std::shared_ptr<const QgisSchema> m_schema = QgisSchema::read(*m_layer);
};

TEST_F(WhereExpressionTest, NamesBecomeQuotedColumnsAndTextKeepsItsDoubledQuotes)
{
    EXPECT_EQ(translate("STNAME = 'MAIN ST'"), "\"STNAME\" = 'MAIN ST'");
    EXPECT_EQ(translate("stname = 'O''Brien''s' AND addnum = 12"),
              "\"STNAME\" = 'O''Brien''s' AND \"ADDNUM\" = 12");
    // A quote that is not doubled ends the text; what follows is not of the dialect.
    EXPECT_THROW(translate("STNAME = 'O'Brien'"), host::HostError);
    EXPECT_THROW(translate("ADDNUM = 12'3"), host::HostError);
    EXPECT_EQ(translate("\"STNAME\" <> ''"), "\"STNAME\" <> ''");
    EXPECT_EQ(translate("   "), "");
}

TEST_F(WhereExpressionTest, DatesBecomeDatesOrDateTimesAfterTheFieldTheyMeet)
{
    EXPECT_EQ(translate("SALEDATE = #1/2/2003#"), "\"SALEDATE\" = make_date(2003,1,2)");
    EXPECT_EQ(translate("STAMP = #1/2/2003#"), "\"STAMP\" = make_datetime(2003,1,2,0,0,0)");
    EXPECT_EQ(translate("SALEDATE = #12/31/1999 2:30 PM#"), "\"SALEDATE\" = make_datetime(1999,12,31,14,30,0)");
    EXPECT_EQ(translate("SALEDATE = #7/4/2010 12:05:09 AM#"), "\"SALEDATE\" = make_datetime(2010,7,4,0,5,9)");
    for (const char* bad : {"SALEDATE = #2/30/2003#", "SALEDATE = #13/1/2003#", "SALEDATE = #1/2/2003",
                            "SALEDATE = #1/2/2003 25:00#", "SALEDATE = #yesterday#"})
        EXPECT_THROW(translate(bad), host::HostError) << bad;
}

TEST_F(WhereExpressionTest, NullAndKeywordsKeepTheirMeaning)
{
    EXPECT_EQ(translate("STNAME is null or not ADDNUM in (1, 2)"),
              "\"STNAME\" IS NULL OR NOT \"ADDNUM\" IN ( 1 , 2 )");
    EXPECT_EQ(translate("STNAME = Null"), "\"STNAME\" = NULL");
}

TEST_F(WhereExpressionTest, AnObjectIdListKeepsTheClausesOrderOnce)
{
    const QgisWhere where = translateWhereClause("fid in (12, 7,12,3)", *m_schema);
    ASSERT_TRUE(where.ids.has_value());
    EXPECT_EQ(*where.ids, (std::vector<QgsFeatureId>{12, 7, 3}));
    // Anything more than the list is an ordinary clause on the feature ID.
    EXPECT_EQ(translate("FID in (7) AND ADDNUM = 1"), "$id IN ( 7 ) AND \"ADDNUM\" = 1");
    EXPECT_EQ(translate("FID = 3"), "$id = 3");
}

TEST_F(WhereExpressionTest, QgisRejectsUnknownColumnsAndBadSyntaxWithItsOwnMessage)
{
    try {
        (void)featureRequest(translateWhereClause("NOPE = 'x'", *m_schema), *m_layer);
        FAIL() << "an unknown column was accepted";
    } catch (const host::HostError& e) {
        EXPECT_NE(e.description().find("NOPE"), std::string::npos) << e.description();
    }
    EXPECT_THROW((void)featureRequest(translateWhereClause("STNAME = = 'x'", *m_schema), *m_layer), host::HostError);
    EXPECT_THROW((void)featureRequest(translateWhereClause("STNAME = 'x' AND", *m_schema), *m_layer), host::HostError);
    const QgsFeatureRequest ok = featureRequest(translateWhereClause("STNAME = 'x'", *m_schema), *m_layer);
    EXPECT_EQ(ok.filterType(), QgsFeatureRequest::FilterExpression);
}

} // namespace
} // namespace corvane::qgis
