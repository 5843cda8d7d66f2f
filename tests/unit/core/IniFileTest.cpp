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
        ReadCase{"no_final_newline", "[S]\nKey=v", "S", "Key", "v"},
        // Values of older files that resemble the escaped form keep their classic meaning: the
        // form counts only when well made and holding a line break.
        ReadCase{"windows_path_quoted", "[S]\nKey=\"C:\\new\\\"\n", "S", "Key", "C:\\new\\"},
        ReadCase{"at_quoted_name", "[S]\nKey=@\"name\"\n", "S", "Key", "@\"name\""},
        ReadCase{"at_quoted_path", "[S]\nKey=@\"C:\\new\\\"\n", "S", "Key", "@\"C:\\new\\\""},
        ReadCase{"at_unknown_escape", "[S]\nKey=@\"a\\qb\\n\"\n", "S", "Key", "@\"a\\qb\\n\""},
        ReadCase{"at_inner_quote", "[S]\nKey=@\"a\"b\\n\"\n", "S", "Key", "@\"a\"b\\n\""},
        ReadCase{"escaped_form", "[S]\nKey=  @\"a\\r\\nb\\\\\\\"\\x41\"  \n", "S", "Key",
                 "a\r\nb\\\"A"}),
    [](const auto& p) { return std::string(p.param.name); });

struct RoundTripCase {
    const char* name;
    std::string value;
    const char* stored = nullptr; // the exact text after "Key=", where it matters
};

// Every value is written between two other keys and read back by a fresh reader: the same value,
// and no key appears that was not written.
class IniRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(IniRoundTrip, ValueReadsBackUnchangedOnOneLine) {
    const RoundTripCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.Write("f.ini", "[S]\nBefore=1\n");
    {
        IniFile ini(path);
        ini.WriteString("S", "Key", c.value);
        ini.WriteString("S", "After", "2");
        ASSERT_TRUE(ini.Flush());
    }
    const std::string text = dir.Read("f.ini");
    if (c.stored) {
        EXPECT_EQ(text, "[S]\nBefore=1\nKey=" + std::string(c.stored) + "\nAfter=2\n");
    }
    const IniFile ini(path);
    EXPECT_EQ(ini.ReadString("S", "Key", "<fallback>"), c.value);
    EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{"S"});
    EXPECT_EQ(ini.ReadSectionKeys("S"), (std::vector<std::string>{"Before", "Key", "After"}));
    EXPECT_EQ(ini.ReadInteger("S", "After", 0), 2);

    // Written again in place, the value keeps its one line.
    IniFile again(path);
    again.WriteString("S", "Key", c.value);
    EXPECT_EQ(again.Text(), text);
}

const std::string kLongest(kIniMaxValueLength, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, IniRoundTrip,
    ::testing::Values(
        RoundTripCase{"plain", "/home/me/Videos", "/home/me/Videos"},
        RoundTripCase{"empty", "", ""},
        RoundTripCase{"inner_blanks_and_signs", "a = b ; c [d]", "a = b ; c [d]"},
        RoundTripCase{"windows_path", "C:\\new\\", "C:\\new\\"},
        RoundTripCase{"open_quote_only", "\"x", "\"x"}, RoundTripCase{"lone_quote", "\"", "\""},
        RoundTripCase{"at_sign_text", "@\"name\"", "@\"name\""},
        RoundTripCase{"lf", "a\nb", "@\"a\\nb\""}, RoundTripCase{"cr", "a\rb", "@\"a\\rb\""},
        RoundTripCase{"crlf", "a\r\nb", "@\"a\\r\\nb\""},
        RoundTripCase{"trailing_lf", "/media/x\n", "@\"/media/x\\n\""},
        RoundTripCase{"injected_key", "x\nKey=1"},
        RoundTripCase{"injected_setting", "\nDeleteFileAfterProcessing=1"},
        RoundTripCase{"injected_section", "x\r\n[Other]\r\nk=v"},
        RoundTripCase{"nul", std::string("a\0b", 3), "@\"a\\x00b\""},
        RoundTripCase{"break_with_escapes", "\\ \"q\"\t\x01\x7F\n",
                      "@\"\\\\ \\\"q\\\"\t\\x01\\x7F\\n\""},
        RoundTripCase{"break_and_blanks", "  a\n  ", "@\"  a\\n  \""},
        RoundTripCase{"looks_escaped", "@\"a\\nb\"", "\"@\"a\\nb\"\""},
        RoundTripCase{"quotes_at_both_ends", "\"Best\" quality \"HQ\"",
                      "\"\"Best\" quality \"HQ\"\""},
        RoundTripCase{"single_quotes", "'x'", "\"'x'\""},
        RoundTripCase{"only_quotes", "\"\"", "\"\"\"\""},
        RoundTripCase{"only_single_quotes", "''", "\"''\""},
        RoundTripCase{"leading_and_trailing_blanks", "  a b  ", "\"  a b  \""},
        RoundTripCase{"tabs", "\ta\t", "\"\ta\t\""}, RoundTripCase{"blanks_only", "   ", "\"   \""},
        RoundTripCase{"utf8_with_break", "Gr\xC3\xBC\xC3\x9F\xC3\xA9\nx"},
        RoundTripCase{"longest", kLongest, kLongest.c_str()},
        RoundTripCase{"longest_quoted", "\"" + kLongest.substr(2) + "\""},
        RoundTripCase{"longest_with_breaks", "\n" + kLongest.substr(2) + "\r"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(IniFile, ValuesBeyond2047CharactersReadBackCut) {
    TempDir dir;
    const std::string path = dir.File("f.ini");
    const std::string plain(3000, 'p');
    const std::string broken = "\n" + std::string(3000, 'b');
    {
        IniFile ini(path);
        ini.WriteString("S", "Plain", plain);
        ini.WriteString("S", "Broken", broken);
        ASSERT_TRUE(ini.Flush());
    }
    EXPECT_EQ(dir.Read("f.ini"),
              "[S]\nPlain=" + plain + "\nBroken=@\"\\n" + std::string(3000, 'b') + "\"\n");
    const IniFile ini(path);
    EXPECT_EQ(ini.ReadString("S", "Plain", ""), plain.substr(0, kIniMaxValueLength));
    EXPECT_EQ(ini.ReadString("S", "Broken", ""), broken.substr(0, kIniMaxValueLength));
}

// A settings file as earlier versions wrote it reads the same, and writing its values back
// leaves it byte for byte as it was.
TEST(IniFile, FilesOfEarlierVersionsReadTheSameAndStayUnchanged) {
    const std::string old = "[System]\r\n"
                            "LanguageFile=english.ini\r\n"
                            "LastInputOpenDir=C:\\Documents and Settings\\me\\My Documents\r\n"
                            "LastOutputOpenDir=/home/me/out dir\r\n"
                            "Priority=1\r\n"
                            "TgpiPodPSPProfileFileName=\r\n"
                            "[General]\r\n"
                            "Description=\"  DVD \"quality\"  \"\r\n"
                            "Duration=0:00:00.000\r\n"
                            "Note=@home #13 \\n 'a\r\n";
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"LanguageFile", "english.ini"},
        {"LastInputOpenDir", "C:\\Documents and Settings\\me\\My Documents"},
        {"LastOutputOpenDir", "/home/me/out dir"},
        {"Priority", "1"},
        {"TgpiPodPSPProfileFileName", ""},
        {"Description", "  DVD \"quality\"  "},
        {"Duration", "0:00:00.000"},
        {"Note", "@home #13 \\n 'a"},
    };
    TempDir dir;
    const std::string path = dir.Write("info.ini", old);
    IniFile ini(path);
    for (const auto& [key, value] : expected) {
        const char* section =
            key == "Description" || key == "Duration" || key == "Note" ? "General" : "System";
        EXPECT_EQ(ini.ReadString(section, key, "<fallback>"), value) << key;
        ini.WriteString(section, key, value);
    }
    EXPECT_EQ(ini.Text(), old);
}

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
