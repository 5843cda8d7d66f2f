#include "core/IniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include "base/PathUtils.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quillabe;
using quillabe::test::TempDir;

namespace {

struct ReadCase {
    const char* name;
    const char* content;
    const char* section;
    const char* key;
    const char* expected; // nullptr: the fallback comes back
};

class IniRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, ValueFollowsThePrivateProfileRules) {
    const ReadCase& c = GetParam();
    TempDir dir;
    IniFile ini(dir.Write("f.ini", c.content));
    EXPECT_EQ(ini.ReadString(c.section, c.key, "<fallback>"),
              c.expected ? c.expected : "<fallback>");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniRead,
    ::testing::Values(
        ReadCase{"plain", "[General]\nKey=value\n", "General", "Key", "value"},
        ReadCase{"section_case", "[GeNeRaL]\nKey=v\n", "general", "Key", "v"},
        ReadCase{"key_case", "[S]\nVideoCodec=3\n", "S", "VIDEOCODEC", "3"},
        ReadCase{"blanks_trimmed", "[S]\n  Key  =   a b  \n", "S", "Key", "a b"},
        ReadCase{"first_equals", "[S]\nKey=a=b\n", "S", "Key", "a=b"},
        ReadCase{"double_quotes", "[S]\nKey=\"  quoted  \"\n", "S", "Key", "  quoted  "},
        ReadCase{"single_quotes", "[S]\nKey='x'\n", "S", "Key", "x"},
        ReadCase{"one_pair_only", "[S]\nKey=\"\"x\"\"\n", "S", "Key", "\"x\""},
        ReadCase{"unbalanced_quote", "[S]\nKey=\"x\n", "S", "Key", "\"x"},
        ReadCase{"empty_value", "[S]\nKey=\n", "S", "Key", ""},
        ReadCase{"crlf", "[S]\r\nKey=v\r\nOther=w\r\n", "S", "Other", "w"},
        ReadCase{"missing_key", "[S]\nKey=v\n", "S", "Nope", nullptr},
        ReadCase{"key_in_other_section", "[A]\nKey=a\n[B]\nX=1\n", "B", "Key", nullptr},
        ReadCase{"first_duplicate_wins", "[S]\nKey=1\nKey=2\n", "S", "Key", "1"},
        ReadCase{"comment_ignored", "[S]\n;Key=c\nKey=v\n", "S", "Key", "v"},
        ReadCase{"no_final_newline", "[S]\nKey=v", "S", "Key", "v"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(IniFile, ValuesAreCutAt2047Characters) {
    TempDir dir;
    IniFile ini(dir.Write("f.ini", "[S]\nKey=" + std::string(5000, 'x') + "\n"));
    EXPECT_EQ(ini.ReadString("S", "Key", "").size(), 2047u);
}

TEST(IniFile, MissingFileReadsLikeAFileWithoutTheKey) {
    TempDir dir;
    IniFile ini(dir.File("absent.ini"));
    EXPECT_FALSE(ini.Exists());
    EXPECT_EQ(ini.ReadString("S", "K", "d"), "d");
    EXPECT_EQ(ini.ReadInteger("S", "K", 7), 7);
    EXPECT_TRUE(ini.ReadSections().empty());
}

TEST(IniFile, IntegerForms) {
    struct Case {
        const char* text;
        int32_t expected;
    };
    const Case cases[] = {
        {"42", 42},
        {"-17", -17},
        {"+5", 5},
        {"0x1F", 31},
        {"0X1f", 31},
        {"$1F", 31},
        {"-$10", -16},
        {"0x", -1},
        {"", -1},
        {"12abc", -1},
        {"abc", -1},
        {"1.5", -1},
        {"2147483647", 2147483647},
        {"2147483648", -1},
        {"$FFFFFFFF", -1},
        {"07", 7},
        {"yes", -1},
        {"- 3", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseIniInteger(c.text).value_or(-1), c.expected) << c.text;
}

TEST(IniFile, BooleansAreAnyNonZeroInteger) {
    TempDir dir;
    IniFile ini(dir.Write("f.ini", "[S]\nA=1\nB=0\nC=-4\nD=yes\nE=0x10\n"));
    EXPECT_TRUE(ini.ReadBool("S", "A", false));
    EXPECT_FALSE(ini.ReadBool("S", "B", true));
    EXPECT_TRUE(ini.ReadBool("S", "C", false));
    EXPECT_TRUE(ini.ReadBool("S", "D", true)); // not a number: the fallback
    EXPECT_FALSE(ini.ReadBool("S", "D", false));
    EXPECT_TRUE(ini.ReadBool("S", "E", false));
}

TEST(IniFile, WritesReplaceInPlaceAndAppendAtSectionEnd) {
    TempDir dir;
    std::string path = dir.Write("f.ini", "[A]\nx=1\ny=2\n\n[B]\nz=3\n");
    IniFile ini(path);
    ini.WriteString("a", "X", "10");  // in place, the file's spelling of the key kept
    ini.WriteString("A", "new", "n"); // after the section's last key, before the blank line
    ini.WriteString("C", "k", "v");   // a missing section goes at the end of the file
    ini.WriteBool("B", "flag", true);
    ASSERT_TRUE(ini.Flush());
    EXPECT_EQ(dir.Read("f.ini"), "[A]\nx=10\ny=2\nnew=n\n\n[B]\nz=3\nflag=1\n[C]\nk=v\n");
}

TEST(IniFile, KeepsCrLfLineEnds) {
    TempDir dir;
    std::string path = dir.Write("f.ini", "[A]\r\nx=1\r\n");
    ASSERT_TRUE(IniWriteString(path, "A", "y", "2"));
    EXPECT_EQ(dir.Read("f.ini"), "[A]\r\nx=1\r\ny=2\r\n");
}

TEST(IniFile, CreatesAMissingFileButNotItsFolder) {
    TempDir dir;
    EXPECT_TRUE(IniWriteString(dir.File("new.ini"), "S", "k", "v"));
    EXPECT_EQ(dir.Read("new.ini"), "[S]\nk=v\n");
    EXPECT_FALSE(IniWriteString(dir.File("no/such/folder.ini"), "S", "k", "v"));
}

TEST(IniFile, FailedWriteLeavesTheOldFileIntactAndNoTemporaryFile) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    TempDir dir;
    std::string path = dir.Write("sub/f.ini", "[S]\nk=old\n");
    chmod(dir.File("sub").c_str(), 0555);
    EXPECT_FALSE(IniWriteString(path, "S", "k", "new"));
    chmod(dir.File("sub").c_str(), 0755);
    EXPECT_EQ(dir.Read("sub/f.ini"), "[S]\nk=old\n");
}

TEST(IniFile, FullDiskLeavesTheOldFileIntact) {
    // A file size limit makes the write fail part-way, as a full disk does.
    TempDir dir;
    std::string path = dir.Write("f.ini", "[S]\nk=old\n");
    IniFile ini(path);
    ini.WriteString("S", "k", std::string(4096, 'n'));
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = 100;
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    bool ok = ini.Flush();
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(ok);
    EXPECT_EQ(dir.Read("f.ini"), "[S]\nk=old\n");
    EXPECT_EQ(ListDirectory(dir.Path(), "").size(), 1u) << "the temporary file was removed";
}

TEST(IniFile, WritesThroughASymbolicLinkAndKeepsPermissions) {
    TempDir dir;
    std::string target = dir.Write("real.ini", "[S]\nk=1\n");
    chmod(target.c_str(), 0600);
    ASSERT_EQ(symlink(target.c_str(), dir.File("link.ini").c_str()), 0);
    ASSERT_TRUE(IniWriteString(dir.File("link.ini"), "S", "k", "2"));
    struct stat st {};
    lstat(dir.File("link.ini").c_str(), &st);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    stat(target.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(dir.Read("real.ini"), "[S]\nk=2\n");
}

TEST(IniFile, SectionsKeysAndValuesInFileOrder) {
    TempDir dir;
    IniFile ini(dir.Write("p.ini", "[Info]\nTitleE=T\n[Item1]\nCommand2=b\nCommand1=a\n"
                                   "[item2]\n[Item3]\nx=\"q\"\nx=again\n"));
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Info", "Item1", "item2", "Item3"}));
    EXPECT_EQ(ini.ReadSectionKeys("ITEM1"), (std::vector<std::string>{"Command2", "Command1"}));
    auto values = ini.ReadSectionValues("Item3");
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].second, "q");
    EXPECT_EQ(values[1].second, "again");
}

} // namespace
