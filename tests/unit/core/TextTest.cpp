#include "base/TextUtils.h"
#include "core/DateTime.h"
#include "core/StringList.h"

#include <gtest/gtest.h>

using namespace quillabe;

namespace {

TEST(Text, TrimAndCase) {
    EXPECT_EQ(Trim(" \t\r\n x y \x01"), "x y");
    EXPECT_TRUE(SameText("Deutsch.INI", "deutsch.ini"));
    EXPECT_FALSE(SameText("a", "ab"));
    EXPECT_EQ(ReplaceAllIgnoreCase("<%inputfile%> and <%InputFile%>", "<%InputFile%>", "x"),
              "x and x");
    EXPECT_EQ(ReplaceFirst("a -ac 1 -ac 2", " -ac ", " -ab 256 -ac "), "a -ab 256 -ac 1 -ac 2");
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(Text, StringListNameValueAccess) {
    StringList list;
    list.Add("Video=*.avi");
    list.Add("noequals");
    list.Add("video=*.mkv");
    EXPECT_EQ(list.Value("VIDEO"), "*.avi");
    EXPECT_EQ(list.Name(1), "noequals");
    EXPECT_EQ(list.ValueFromIndex(2), "*.mkv");
    EXPECT_EQ(list.Value("missing"), "");
}

TEST(DateTimeText, FormatsTheTimeOfDay) {
    const double second = 1.0 / 86400.0;
    EXPECT_EQ(FormatHNNSS(0), "0:00:00");
    EXPECT_EQ(FormatHNNSS(3723 * second), "1:02:03");
    EXPECT_EQ(FormatHNNSS(1.0 + 59 * second), "0:00:59") << "a day or more shows the rest";
    EXPECT_EQ(FormatHNNSS(-90 * second), "0:01:30") << "negative values show their absolute value";
    EXPECT_EQ(FormatHNNSS(86399 * second), "23:59:59");
}

TEST(DateTimeText, NowIsDaysSince1899) {
    // 2020-01-01 is day 43831; any machine running this is later.
    EXPECT_GT(Now(), 43831.0);
}

} // namespace
