#include "config/ConfigItems.h"

#include <gtest/gtest.h>

namespace corvane::config {
namespace {

using Items = std::vector<std::string>;

Items readAll(std::string_view data)
{
    ItemReader reader(data);
    Items items;
    while (!reader.atEnd())
        items.push_back(reader.next());
    EXPECT_EQ(reader.position(), data.size());
    EXPECT_EQ(items.size(), countItems(data));
    // Counted as a file read in pieces: whole, and split at every byte.
    ItemCounter whole;
    whole.feed(data);
    EXPECT_EQ(whole.finish(), items.size()) << data;
    ItemCounter bytes;
    for (const char c : data) bytes.feed(std::string_view(&c, 1));
    EXPECT_EQ(bytes.finish(), items.size()) << data;
    return items;
}

TEST(ConfigItemsTest, WrittenFileHoldsThreeItems)
{
    EXPECT_EQ(readAll("\"Parcels\"\r\n\"STREET\"\r\n\"ADDR_NO\"\r\n"), (Items{"Parcels", "STREET", "ADDR_NO"}));
    EXPECT_EQ(readAll(""), Items{});
    EXPECT_EQ(readAll("Parcels\r\nSTREET\r\nADDR_NO\r\n"), (Items{"Parcels", "STREET", "ADDR_NO"}));
    EXPECT_EQ(countItems("a\r\nb\r\n"), 2u);
    EXPECT_EQ(countItems("a\r\nb\r\nc\r\nd\r\n"), 4u);
}

TEST(ConfigItemsTest, QuotesKeepCommasAndDoubledQuotesReadAsOne)
{
    EXPECT_EQ(readAll("\"Parcels, 2024\"\r\n"), Items{"Parcels, 2024"});
    EXPECT_EQ(readAll("Parcels, 2024\r\n"), (Items{"Parcels", "2024"}));
    for (const std::string value : {"O\"Brien", "\"", "\"\"x\"", "a,\"b\"\r\nc", ""})
        EXPECT_EQ(readAll(quoteItem(value) + "\r\n"), Items{value}) << value;
    EXPECT_EQ(quoteItem("O\"Brien"), "\"O\"\"Brien\"");
    EXPECT_EQ(quoteItem("Parcels"), "\"Parcels\"");
}

TEST(ConfigItemsTest, HandEditedFiles)
{
    // Blanks around an unquoted item go; a quoted one keeps its own.
    EXPECT_EQ(readAll("  Parcels \t\r\n \" STREET \" \r\n"), (Items{"Parcels", " STREET "}));
    // Text after a closing quote is dropped up to the separator.
    EXPECT_EQ(readAll("\"a\"junk,b\r\n"), (Items{"a", "b"}));
    // A blank line is an empty item, so it spoils a three-item file.
    EXPECT_EQ(readAll("a\r\n\r\nb\r\nc\r\n"), (Items{"a", "", "b", "c"}));
    EXPECT_EQ(readAll("a\r\n   \r\n"), (Items{"a", ""}));
    // Lone CR and lone LF end lines; the last line end may be missing.
    EXPECT_EQ(readAll("a\rb\nc"), (Items{"a", "b", "c"}));
    // A comma always announces one more item.
    EXPECT_EQ(readAll("a,"), (Items{"a", ""}));
    EXPECT_EQ(readAll("a,\r\n"), (Items{"a", ""}));
    // An open quote runs to the end of the file.
    EXPECT_EQ(readAll("\"a\r\nb"), Items{"a\r\nb"});
    // A quote inside an unquoted item is just a character.
    EXPECT_EQ(readAll("O\"Brien\r\n"), Items{"O\"Brien"});
}

TEST(ConfigItemsTest, FilesWrittenWithoutDoubledQuotesReadAsBefore)
{
    // An older writer put a quote in a value as it was: the value is cut at
    // that quote, as it always was, and the item count is unchanged.
    EXPECT_EQ(readAll("\"O\"Brien\"\r\n\"b\"\r\n\"c\"\r\n"), (Items{"O", "b", "c"}));
}

TEST(ConfigItemsTest, ReaderAtTheEndStaysThere)
{
    ItemReader reader("a");
    EXPECT_EQ(reader.next(), "a");
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(reader.next(), "");
    EXPECT_EQ(reader.position(), 1u);
}

} // namespace
} // namespace corvane::config
