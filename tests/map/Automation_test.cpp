#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "Automation.h"
#include "AutomationScript.h"

namespace corvane::map {
namespace {

TEST(MapAutomationScript, LastArgumentIsTheRestOfTheLine)
{
    const auto steps = parseScript(QStringLiteral("# demo\n"
                                                  "open a.gpkg b.shp\r\n"
                                                  "\n"
                                                  "select frmMain List1  ELM ST \n"
                                                  "type frmMain Text1\n"
                                                  "click frmConfig Command1\n"
                                                  "extent\n"));
    ASSERT_EQ(steps.size(), 5u);
    EXPECT_EQ(steps[0].verb, QStringLiteral("open"));
    EXPECT_EQ(steps[0].arguments, QStringList{QStringLiteral("a.gpkg b.shp")});
    EXPECT_EQ(steps[1].line, 4);
    // One blank separates words: a second one starts the entry, so names
    // with a leading blank can be picked.
    EXPECT_EQ(steps[1].arguments,
              (QStringList{QStringLiteral("frmMain"), QStringLiteral("List1"), QStringLiteral(" ELM ST")}));
    EXPECT_EQ(steps[2].arguments, (QStringList{QStringLiteral("frmMain"), QStringLiteral("Text1"), QString()}));
    EXPECT_EQ(steps[3].arguments, (QStringList{QStringLiteral("frmConfig"), QStringLiteral("Command1")}));
    EXPECT_TRUE(steps[4].arguments.isEmpty());
}

TEST(MapAutomationScript, OpenNamesSplitAtBlanksUnlessQuoted)
{
    using Names = std::vector<std::string>;
    EXPECT_EQ(splitNames("a.gpkg  b.shp\t"), (Names{"a.gpkg", "b.shp"}));
    EXPECT_EQ(splitNames(R"("/data/My Town/parcels.gpkg" b.shp)"), (Names{"/data/My Town/parcels.gpkg", "b.shp"}));
    EXPECT_EQ(splitNames(R"("PG:dbname=town host=/tmp/pg" "")"), (Names{"PG:dbname=town host=/tmp/pg", ""}));
    EXPECT_EQ(splitNames(R"(a "b c)"), (Names{"a", "b c"})) << "an unclosed quote runs to the end";
    EXPECT_TRUE(splitNames("   ").empty());
}

TEST(MapAutomationScript, UnknownStepsAndMissingArgumentsNameTheLine)
{
    try {
        (void)parseScript(QStringLiteral("extent\nfly away\n"));
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos);
    }
    EXPECT_THROW((void)parseScript(QStringLiteral("select frmMain List1\n")), std::runtime_error);
    EXPECT_THROW((void)parseScript(QStringLiteral("press\n")), std::runtime_error);
}

} // namespace
} // namespace corvane::map
