#include "memory/WhereClause.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/HostError.h"
#include "memory/MemoryTown.h"

namespace corvane::memory {
namespace {

using host::HostError;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class WhereClauseTest : public ::testing::Test {
protected:
    // Object IDs of the town's parcels that the clause selects, in row order.
    std::vector<std::int32_t> select(std::string_view clause)
    {
        const TableData& data = town.parcels.data();
        const WhereClause compiled = WhereClause::compile(data, clause);
        std::vector<std::int32_t> oids;
        for (std::size_t row = 0; row < data.rowCount(); ++row)
            if (compiled.matches(row)) oids.push_back(data.oid(row));
        return oids;
    }

    // The description of the error the clause raises (fails when it raises none).
    std::string rejection(std::string_view clause)
    {
        try {
            (void)select(clause);
        } catch (const HostError& error) {
            EXPECT_LT(error.number(), 0);
            return error.description();
        }
        ADD_FAILURE() << "accepted: " << clause;
        return {};
    }

    MemoryHost host;
    MemoryTown town{host};
};

TEST_F(WhereClauseTest, TextEqualityIsExactAndUndoesDoubledQuotes)
{
    EXPECT_THAT(select("STNAME = 'MAIN ST'"), ElementsAre(4, 5));
    EXPECT_THAT(select("STNAME = 'Main St'"), ElementsAre(6));
    EXPECT_THAT(select("STNAME = 'main st'"), ElementsAre());
    EXPECT_THAT(select("STNAME = 'O''NEIL RD'"), ElementsAre(13, 14));
    EXPECT_THAT(select("STNAME = ' LEADING BLANK WAY'"), ElementsAre(15));
    EXPECT_THAT(select("STNAME = 'LEADING BLANK WAY'"), ElementsAre());
    EXPECT_THAT(select("ADDTEXT = ''"), ElementsAre(16));
}

TEST_F(WhereClauseTest, FieldNamesAndKeywordsIgnoreCase)
{
    EXPECT_THAT(select("stname = 'ELM ST' and AddNum = 2"), ElementsAre(1, 18));
    EXPECT_THAT(select("objectid IN (3,1)"), ElementsAre(1, 3));
    EXPECT_THAT(select("OBJECTID in (3) And STNAME = 'ELM ST'"), ElementsAre(3));
}

TEST_F(WhereClauseTest, NumbersCompareByValueAndNullEqualsNothing)
{
    EXPECT_THAT(select("ADDNUM = 10"), ElementsAre(2));
    EXPECT_THAT(select("ADDNUM = 10.0"), ElementsAre(2));
    EXPECT_THAT(select("ADDNUM = +10"), ElementsAre(2));
    EXPECT_THAT(select("ADDNUM = 10.5"), ElementsAre());
    EXPECT_THAT(select("ADDNUM = -10"), ElementsAre());
    EXPECT_THAT(select("ADDNUM = 0"), ElementsAre());
    EXPECT_THAT(select("STNAME = 'OAK AVE' AND ADDNUM = 12"), ElementsAre(10));
}

TEST_F(WhereClauseTest, DatesBetweenNumberSigns)
{
    EXPECT_THAT(select("SALEDATE = #1/2/2003#"), ElementsAre(2, 10));
    EXPECT_THAT(select("SALEDATE = #01/02/2003#"), ElementsAre(2, 10));
    EXPECT_THAT(select("SALEDATE = #2/29/2012 12:00:00 AM#"), ElementsAre(11));
    EXPECT_THAT(select("SALEDATE = #1/2/2003 10:00:00 AM#"), ElementsAre());
}

TEST_F(WhereClauseTest, EmptyOrBlankClauseSelectsEveryRow)
{
    EXPECT_EQ(select("").size(), kTownParcels.size());
    EXPECT_EQ(select("   ").size(), kTownParcels.size());
}

TEST_F(WhereClauseTest, InListIsASetOfIds)
{
    EXPECT_THAT(select("OBJECTID in (18,7,7,12)"), ElementsAre(7, 12, 18));
    EXPECT_THAT(select("OBJECTID in (99)"), ElementsAre());
    std::string longList = "OBJECTID in (";
    for (int id = 1000; id < 60000; ++id) longList += std::to_string(id) + ",";
    longList += "5)";
    EXPECT_THAT(select(longList), ElementsAre(5));
}

TEST_F(WhereClauseTest, RejectsWhatItCannotRead)
{
    EXPECT_THAT(rejection("NOSUCH = 1"), HasSubstr("unknown field NOSUCH"));
    EXPECT_THAT(rejection("ADDNUM = '12'"), HasSubstr("text literal"));
    EXPECT_THAT(rejection("ADDNUM = 'O''NEIL'"), HasSubstr("numeric field ADDNUM"));
    EXPECT_THAT(rejection("STNAME = 12"), HasSubstr("text field STNAME"));
    EXPECT_THAT(rejection("SALEDATE = '1/2/2003'"), HasSubstr("date field"));
    EXPECT_THAT(rejection("SALEDATE = #2/30/2003#"), HasSubstr("unreadable date"));
    EXPECT_THAT(rejection("SALEDATE = #1/2/2003"), HasSubstr("closing #"));
    EXPECT_THAT(rejection("STNAME = 'OAK AVE"), HasSubstr("closing quote"));
    EXPECT_THAT(rejection("ADDNUM = NONE"), HasSubstr("expected a value"));
    EXPECT_THAT(rejection("ADDNUM = 12 OR ADDNUM = 14"), HasSubstr("expected AND"));
    EXPECT_THAT(rejection("ADDNUM > 12"), HasSubstr("expected = or IN"));
    EXPECT_THAT(rejection("ADDNUM = 12 AND"), HasSubstr("expected a field name"));
    EXPECT_THAT(rejection("OBJECTID in ()"), HasSubstr("expected a value"));
    EXPECT_THAT(rejection("OBJECTID in (1,2"), HasSubstr("expected , or )"));
    EXPECT_THAT(rejection("ADDNUM = 1.2.3"), HasSubstr("malformed number"));
    EXPECT_THAT(rejection("SHAPE = 1"), HasSubstr("cannot be compared"));
    EXPECT_THAT(rejection("= 1"), StartsWith("Invalid where clause: "));
}

} // namespace
} // namespace corvane::memory

namespace corvane::memory {
namespace {

// Field kinds the town lacks: reals, times of day, small integers.
class WhereClauseKindsTest : public ::testing::Test {
protected:
    WhereClauseKindsTest()
    {
        layer.addFeature(envelope(0, 0, 1, 1), {0.5, host::DateTime{2012, 2, 29, 13, 5, 9}, -3, "A"});
        layer.addFeature(envelope(0, 0, 1, 1), {-0.0, host::DateTime{2012, 2, 29, 0, 0, 0}, 0, "B"});
        layer.addFeature(envelope(0, 0, 1, 1), {1e300, host::DateTime{2012, 2, 29, 12, 0, 0}, 7, "C"});
        layer.addFeature(envelope(0, 0, 1, 1), {host::Variant(), host::Variant(), host::Variant(), host::Variant()});
    }

    std::vector<std::int32_t> select(std::string_view clause)
    {
        const WhereClause compiled = WhereClause::compile(layer.data(), clause);
        std::vector<std::int32_t> oids;
        for (std::size_t row = 0; row < layer.data().rowCount(); ++row)
            if (compiled.matches(row)) oids.push_back(layer.data().oid(row));
        return oids;
    }

    MemoryHost host;
    MemoryFeatureLayer& layer = host.map().addFeatureLayer("Kinds", {{"RATIO", host::esriFieldTypeDouble},
                                                                     {"WHEN", host::esriFieldTypeDate},
                                                                     {"SMALL", host::esriFieldTypeSmallInteger},
                                                                     {"CODE", host::esriFieldTypeString}});
};

TEST_F(WhereClauseKindsTest, RealsCompareByValue)
{
    EXPECT_THAT(select("RATIO = .5"), ElementsAre(1));
    EXPECT_THAT(select("RATIO = 0.50"), ElementsAre(1));
    EXPECT_THAT(select("RATIO = 0"), ElementsAre(2));
    EXPECT_THAT(select("RATIO = 1E+300"), ElementsAre(3));
    EXPECT_THAT(select("RATIO = 1e400"), ElementsAre());
    EXPECT_THAT(select("SMALL = -3"), ElementsAre(1));
    EXPECT_THAT(select("SMALL = -0"), ElementsAre(2));
    EXPECT_THAT(select("SMALL = 1e-400"), ElementsAre(2));
}

TEST_F(WhereClauseKindsTest, TimesOfDayInDateLiterals)
{
    EXPECT_THAT(select("WHEN = #2/29/2012 1:05:09 PM#"), ElementsAre(1));
    EXPECT_THAT(select("WHEN = #2/29/2012 13:05:09#"), ElementsAre(1));
    EXPECT_THAT(select("WHEN = #2/29/2012#"), ElementsAre(2));
    EXPECT_THAT(select("WHEN = #2/29/2012 12:00 PM#"), ElementsAre(3));
    EXPECT_THAT(select("WHEN in (#2/29/2012#, #2/29/2012 12:00:00 PM#)"), ElementsAre(2, 3));
    EXPECT_THROW((void)select("WHEN = #2/29/2011#"), host::HostError);
    EXPECT_THROW((void)select("WHEN = #2/29/2012 13:00 PM#"), host::HostError);
}

TEST_F(WhereClauseKindsTest, EmptyCellsEqualNothing)
{
    EXPECT_THAT(select("CODE = ''"), ElementsAre());
    EXPECT_THAT(select("CODE in ('A','C','Z')"), ElementsAre(1, 3));
    EXPECT_THAT(select("SMALL in (0, 7)"), ElementsAre(2, 3));
}

} // namespace
} // namespace corvane::memory
