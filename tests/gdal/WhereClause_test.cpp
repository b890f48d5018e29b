#include "gdal/WhereClause.h"

#include <gtest/gtest.h>

#include "host/HostError.h"

namespace corvane::gdal {
namespace {

TEST(WhereClauseTest, DateLiteralsBecomeTextTheDriverCompares)
{
    EXPECT_EQ(translateWhereClause("SALEDATE = #1/2/2003#", DateLiteralStyle::Iso), "SALEDATE = '2003-01-02'");
    EXPECT_EQ(translateWhereClause("SALEDATE = #1/2/2003#", DateLiteralStyle::OgrSql), "SALEDATE = '2003/01/02'");
    EXPECT_EQ(translateWhereClause("D = #12/31/1999 1:05 PM#", DateLiteralStyle::Iso), "D = '1999-12-31 13:05:00'");
    EXPECT_EQ(translateWhereClause("D = #2/29/2000 12:00:07 AM#", DateLiteralStyle::Iso), "D = '2000-02-29 00:00:07'");
}

TEST(WhereClauseTest, QuotedTextAndNamesAreLeftAlone)
{
    const std::string clause = "STNAME = 'O''NEIL #1/2/2003# RD' AND \"A#B\" = 3";
    EXPECT_EQ(translateWhereClause(clause, DateLiteralStyle::Iso), clause);
}

TEST(WhereClauseTest, BadDateLiteralsAreHostErrors)
{
    for (const char* clause : {"D = #2/30/2003#", "D = #13/1/2003#", "D = #1/2/2003", "D = #yesterday#",
                               "D = #1/2/2003 25:00#", "D = #1/2/2003 13:00 PM#"}) {
        try {
            (void)translateWhereClause(clause, DateLiteralStyle::Iso);
            ADD_FAILURE() << clause;
        } catch (const host::HostError& error) {
            EXPECT_LT(error.number(), 0) << clause;
        }
    }
}

TEST(WhereClauseTest, ObjectIdListsAreRecognisedOnlyWhole)
{
    EXPECT_EQ(parseObjectIdList("OBJECTID in (7,12)", "OBJECTID"), (std::vector<std::int64_t>{7, 12}));
    EXPECT_EQ(parseObjectIdList("  objectid IN ( 7 , 12 ) ", "OBJECTID"), (std::vector<std::int64_t>{7, 12}));
    EXPECT_EQ(parseObjectIdList("FID in (3)", "FID"), (std::vector<std::int64_t>{3}));
    EXPECT_FALSE(parseObjectIdList("OBJECTID in (7,12) OR STNAME = 'A'", "OBJECTID"));
    EXPECT_FALSE(parseObjectIdList("OBJECTID in ()", "OBJECTID"));
    EXPECT_FALSE(parseObjectIdList("OBJECTID in (7,)", "OBJECTID"));
    EXPECT_FALSE(parseObjectIdList("OBJECTIDX in (7)", "OBJECTID"));
    EXPECT_FALSE(parseObjectIdList("ADDNUM in (7)", "OBJECTID"));
    EXPECT_FALSE(parseObjectIdList("OBJECTID in ('7')", "OBJECTID"));
}

TEST(WhereClauseTest, FieldNamesThatStartATermBecomeQuotedIdentifiers)
{
    const std::vector<std::string> names{"FID", "my", "my field", "select", "O'Brien", "\"q\"", "AND", "NUM"};
    const auto quoted = [&](const std::string& clause) { return quoteFieldNames(clause, names, DateLiteralStyle::Iso); };
    EXPECT_EQ(quoted("my field = 'a' AND select = 'b'"), "\"my field\" = 'a' AND \"select\" = 'b'");
    EXPECT_EQ(quoted("O'Brien = 'x' AND \"q\" = 'y'"), "\"O'Brien\" = 'x' AND \"\"\"q\"\"\" = 'y'");
    EXPECT_EQ(quoted("my <> 1 AND num in (1,2)"), "\"my\" <> 1 AND \"NUM\" in (1,2)");
    // Not terms: a keyword spelled like a field, text, a longer word, a name
    // followed by no comparison.
    EXPECT_EQ(quoted("NUM = 'select = 1' AND NUMBER = 2"), "\"NUM\" = 'select = 1' AND NUMBER = 2");
    EXPECT_EQ(quoted("my fieldx = 1"), "my fieldx = 1");
    EXPECT_EQ(quoted("NUM = 1 OR (FID IS NULL)"), "\"NUM\" = 1 OR (\"FID\" IS NULL)");
    // OGR's own SQL reads a quote inside a name only after a backslash.
    EXPECT_EQ(quoteFieldNames("\"q\" = 'y'", names, DateLiteralStyle::OgrSql), "\"\\\"q\\\"\" = 'y'");
    // Dates beside such names are still found, and names hide no dates.
    const std::string dated = quoteFieldNames("\"q\" = #1/2/2003#", {"\"q#\"", "\"q\""}, DateLiteralStyle::OgrSql);
    EXPECT_EQ(translateWhereClause(dated, DateLiteralStyle::OgrSql), "\"\\\"q\\\"\" = '2003/01/02'");
    const std::string hashed = quoteFieldNames("\"q#\" = 1", {"\"q#\""}, DateLiteralStyle::OgrSql);
    EXPECT_EQ(translateWhereClause(hashed, DateLiteralStyle::OgrSql), hashed);
}

TEST(WhereClauseTest, ANulByteAnywhereIsAHostError)
{
    using namespace std::string_literals;
    for (const std::string& clause : {"ADDNUM\0x = 1"s, "STNAME = 'a\0'"s, "\0"s}) {
        EXPECT_THROW((void)translateWhereClause(clause, DateLiteralStyle::Iso), host::HostError);
        EXPECT_THROW(requireNoNulByte(clause), host::HostError);
    }
}

} // namespace
} // namespace corvane::gdal
