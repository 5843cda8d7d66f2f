#include "core/GlobalVars.h"
#include "core/StartupConstants.h"
#include "lang/LanguageFile.h"
#include "lang/LanguageMenu.h"
#include "lang/Messages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

using namespace quillabe;
using quillabe::test::ProgramHome;

namespace {

class Language : public ::testing::Test {
protected:
    void SetUp() override {
        ResetMessages();
        ResetGlobalVars();
        SetStartupConstants();
        GlobalVars.LanguageFile = "english.ini";
    }
    void TearDown() override { ResetMessages(); }
    std::string lang(const std::string& name, const std::string& body) {
        return home.Dir().Write("skin/ozu/lang/" + name, "[LANGRES]\n" + body);
    }
    ProgramHome home;
};

TEST(MessageTable, HoldsEveryKeyOnceWithItsDefault) {
    EXPECT_EQ(kMsgCount, 298);
    std::set<std::string_view> keys;
    for (int i = 0; i < kMsgCount; ++i)
        keys.insert(MsgKey(static_cast<MsgId>(i)));
    EXPECT_EQ(keys.size(), 298u);
    EXPECT_EQ(Msg(MSG_EMPTY_STR), "...");
    EXPECT_EQ(Msg(MSG_CONVERTING), "Conveting");
    EXPECT_EQ(Msg(MSG_FORMAT_ERROR), "An error occurred while adding file:\r\n\r\nThe file \"%s\" "
                                     "is damaged or the format is not supported.");
    EXPECT_EQ(MsgKey(MSG_Error), "MSG_Error");
}

TEST(MessageTable, FormattingNeverReadsMoreThanItIsGiven) {
    EXPECT_EQ(FormatMsg(MSG_ID_WORKING, {1LL, 3LL, std::string("clip.avi")}),
              "Working on file 1 of 3: clip.avi");
    EXPECT_EQ(FormatMsg(MSG_TRAY_HINT, {std::string("/in/a.avi"), 25LL}), "/in/a.avi: 25%");
    // A hostile translation: extra placeholders stay empty, other conversions stay literal.
    EXPECT_EQ(FormatText("%s %s %n %x %d%", {std::string("a")}), "a  %n %x %");
}

TEST(MessageTable, PlaceholderFollowsTheCurrentText) {
    EXPECT_EQ(EmptyToPlaceholder(""), "...");
    EXPECT_EQ(EmptyToPlaceholder("x"), "x");
    SetMsg(MSG_EMPTY_STR, "n/a");
    EXPECT_EQ(EmptyToPlaceholder(""), "n/a");
    ResetMessages();
}

TEST(LanguageText, Normalisation) {
    EXPECT_EQ(NormalizeLangText("one#13two"), "one\r\ntwo");
    EXPECT_EQ(NormalizeLangText("  one   two  "), "one two");
    EXPECT_EQ(NormalizeLangText("a  #13  b"), "a \r\n b") << "blanks around #13 collapse, stay";
    EXPECT_EQ(NormalizeLangText("\t\x01x\r"), "x");
    EXPECT_EQ(NormalizeLangText("#13#13"), "\r\n\r\n");
}

TEST_F(Language, ShippedEnglishFileHoldsEveryKey) {
    const char* appDir = std::getenv("QUILLABE_APP_DIR");
    ASSERT_NE(appDir, nullptr);
    LoadLanguage(std::string(appDir) + "/skin/ozu/lang/english.ini");
    for (int i = 0; i < kMsgCount; ++i) {
        auto id = static_cast<MsgId>(i);
        std::string expected(MsgDefault(id));
        // The file writes line breaks as #13, which loads as CR LF.
        std::string got = Msg(id);
        auto flatten = [](std::string s) {
            std::replace(s.begin(), s.end(), '\r', '\n');
            s.erase(std::unique(s.begin(), s.end(),
                                [](char a, char b) { return a == '\n' && b == '\n'; }),
                    s.end());
            return s;
        };
        EXPECT_EQ(flatten(got).size() > 0, !expected.empty()) << MsgKey(id);
        if (expected.find_first_of("\r\n") == std::string::npos) {
            EXPECT_EQ(got, expected) << MsgKey(id);
        }
    }
}

TEST_F(Language, MissingKeysKeepThePreviousLanguage) {
    std::string french =
        lang("french.ini", "MSG_CONVERT=Convertir\nMSG_OK=D'accord\nMSG_UNKNOWN=x\n");
    std::string partial = lang("partial.ini", "MSG_CONVERT=  Start   now  \n");
    LoadLanguage(french);
    EXPECT_EQ(Msg(MSG_OK), "D'accord");
    LoadLanguage(partial);
    EXPECT_EQ(Msg(MSG_CONVERT), "Start now");
    EXPECT_EQ(Msg(MSG_OK), "D'accord");
    LoadLanguage(home.Dir().File("skin/ozu/lang/missing.ini"));
    EXPECT_EQ(Msg(MSG_CONVERT), "Start now");
}

TEST_F(Language, MenuListsLanguagesAndSwitches) {
    lang("english.ini", "MSG_CONVERT=Convert\n");
    lang("french.ini", "MSG_CONVERT=Convertir\n");
    lang("d&e.ini", "MSG_CONVERT=Umwandeln\n");
    home.Dir().Write("skin/ozu/lang/type_english.dat", "");
    auto items = BuildLanguageMenu();
    ASSERT_EQ(items.size(), 3u);
    for (const auto& item : items)
        EXPECT_EQ(item.checked, item.caption == "ENGLISH") << item.caption;
    LanguageMenuItemClick("FRENCH");
    EXPECT_EQ(GlobalVars.LanguageFile, "FRENCH.ini");
    EXPECT_EQ(Msg(MSG_CONVERT), "Convertir");
    auto after = BuildLanguageMenu();
    EXPECT_EQ(std::count_if(after.begin(), after.end(), [](auto& i) { return i.checked; }), 1);
    // Menus insert "&" into captions; the file name loses them.
    LanguageMenuItemClick("D&&E");
    EXPECT_EQ(GlobalVars.LanguageFile, "DE.ini");
    EXPECT_EQ(Msg(MSG_CONVERT), "Convertir") << "no file DE.ini: nothing changes";
}

} // namespace
