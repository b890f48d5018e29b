#include "posix/WindowsPath.h"

#include <gtest/gtest.h>

namespace corvane::posix {
namespace {

using Names = std::vector<std::string>;

TEST(WindowsPathTest, TakesDriveAndFoldersApart)
{
    const auto path = parseWindowsPath("c:\\Program Files/CorvaneGIS\\\\config");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->drive, 'C');
    EXPECT_EQ(path->components, (Names{"Program Files", "CorvaneGIS", "config"}));
    EXPECT_FALSE(path->trailingSeparator);
    EXPECT_TRUE(parseWindowsPath("C:\\Program Files\\")->trailingSeparator);
    EXPECT_TRUE(parseWindowsPath("D:")->components.empty());
}

TEST(WindowsPathTest, DotDotStaysInsideTheDrive)
{
    EXPECT_EQ(parseWindowsPath("C:\\a\\.\\b\\..\\c")->components, (Names{"a", "c"}));
    EXPECT_EQ(parseWindowsPath("C:\\..\\..\\etc\\passwd")->components, (Names{"etc", "passwd"}));
}

TEST(WindowsPathTest, RejectsWhatIsNoFullPath)
{
    for (const char* text :
         {"", "C", "config", "\\\\server\\share\\x", "1:\\x", "C:\\a*b", "C:\\a:b", "C:\\a\nb", "C:\\what?"})
        EXPECT_FALSE(parseWindowsPath(text)) << text;
}

} // namespace
} // namespace corvane::posix
