#include "gdal/WhereTerms.h"

#include <gtest/gtest.h>

namespace corvane::gdal {
namespace {

TEST(WhereTermsTest, TextEqualitiesOfConjunctionsAreFound)
{
    using Terms = std::vector<TextEquality>;
    EXPECT_EQ(conjoinedTextEqualities("STNAME = 'O''NEIL RD' AND ADDNUM = 12"), (Terms{{"STNAME", "O'NEIL RD"}}));
    EXPECT_EQ(conjoinedTextEqualities("STNAME = 'Main St' and ADDNUM_TXT = '10'"),
              (Terms{{"STNAME", "Main St"}, {"ADDNUM_TXT", "10"}}));
    EXPECT_EQ(conjoinedTextEqualities("\"ST NAME\" = ' ELM ST'"), (Terms{{"ST NAME", " ELM ST"}}));
    // Rows of these need not meet the text term.
    EXPECT_TRUE(conjoinedTextEqualities("STNAME = 'A' OR ADDNUM = 1").empty());
    EXPECT_TRUE(conjoinedTextEqualities("NOT STNAME = 'A'").empty());
    EXPECT_TRUE(conjoinedTextEqualities("STNAME <> 'A'").empty());
    EXPECT_EQ(conjoinedTextEqualities("(STNAME = 'A' OR STNAME = 'B') AND T = 'C'"), (Terms{{"T", "C"}}));
}

TEST(WhereTermsTest, NamesAreTheWordsOutsideTextLiterals)
{
    EXPECT_EQ(namesIn("STNAME = 'ADDNUM' AND \"Floor Count\" > 2"),
              (std::vector<std::string>{"STNAME", "AND", "Floor Count", "2"}));
}

} // namespace
} // namespace corvane::gdal
