// The shipped languages: every language file fills the whole message table with texts the code
// can format, and every language brings its input-type table and a profile folder that differs
// from the English one only in its visible texts.

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "core/IniFile.h"
#include "lang/LanguageFile.h"
#include "lang/Messages.h"
#include "profiles/PresetCatalogue.h"
#include "profiles/ProfileDirs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

namespace quillabe {
namespace {

std::string dataDir() {
    const char* source = std::getenv("QUILLABE_SOURCE_DIR");
    return std::string(source ? source : ".") + "/data/";
}

std::string langDir() {
    return dataDir() + "skin/ozu/lang/";
}

// "english.ini" -> "type_english.dat"
std::string typeFileOf(const std::string& languageFile) {
    return "type_" + languageFile.substr(0, languageFile.rfind('.')) + ".dat";
}

// The %s and %d that FormatText fills, in order; "%%" is a literal percent sign.
std::string placeholders(std::string_view text) {
    std::string out;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '%')
            continue;
        if (text[i + 1] == 's' || text[i + 1] == 'd')
            out += text.substr(i, 2);
        ++i;
    }
    return out;
}

size_t countOf(std::string_view text, std::string_view part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// The windows take texts as UTF-8; a file saved in a legacy code page shows garbage.
bool isUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const size_t length = c < 0x80           ? 1
                              : (c >> 5) == 0x6  ? 2
                              : (c >> 4) == 0xE  ? 3
                              : (c >> 3) == 0x1E ? 4
                                                 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> linesOf(const std::string& path) {
    std::string text;
    EXPECT_TRUE(ReadFileText(path, text)) << path;
    return splitLines(text);
}

bool startsWithAny(const std::string& line, std::initializer_list<std::string_view> prefixes) {
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [&](std::string_view p) { return line.rfind(p, 0) == 0; });
}

// The file's text without the translated lines.
std::string bodyOf(const std::string& path, std::initializer_list<std::string_view> translated) {
    std::string body;
    for (const auto& line : linesOf(path))
        if (!startsWithAny(line, translated))
            body += line + "\n";
    return body;
}

// A folder's files as bodies; the file names are left out because a language may rename its
// profiles. Sorted, so that two folders compare as multisets.
std::vector<std::string> bodiesOf(const std::string& dir,
                                  std::initializer_list<std::string_view> translated) {
    std::vector<std::string> bodies;
    for (const auto& name : ListDirectory(dir, ""))
        bodies.push_back(bodyOf(dir + name, translated));
    std::sort(bodies.begin(), bodies.end());
    return bodies;
}

// Empty when the two folders hold the same bodies; otherwise the first line of a body of its
// own that differs from the nearest English body, so that a failure names the setting.
std::string difference(const std::vector<std::string>& own,
                       const std::vector<std::string>& english) {
    if (own.size() != english.size())
        return std::to_string(own.size()) + " files where English has " +
               std::to_string(english.size());
    std::vector<std::string> extra;
    std::set_difference(own.begin(), own.end(), english.begin(), english.end(),
                        std::back_inserter(extra));
    if (extra.empty())
        return {};
    const auto mine = splitLines(extra.front());
    std::string nearest;
    size_t fewest = SIZE_MAX;
    for (const auto& body : english) {
        const auto theirs = splitLines(body);
        size_t differing = std::max(mine.size(), theirs.size());
        for (size_t i = 0; i < std::min(mine.size(), theirs.size()); ++i)
            differing -= mine[i] == theirs[i];
        if (differing < fewest) {
            fewest = differing;
            nearest = body;
        }
    }
    const auto theirs = splitLines(nearest);
    for (size_t i = 0; i < mine.size(); ++i)
        if (i >= theirs.size() || mine[i] != theirs[i])
            return "\"" + mine[i] + "\" where English has \"" +
                   (i < theirs.size() ? theirs[i] : std::string()) + "\"";
    return "a body shorter than its English one";
}

std::vector<std::string> formatFolders(const std::string& profileRoot) {
    std::vector<std::string> folders;
    for (const auto& entry : std::filesystem::directory_iterator(profileRoot))
        if (entry.is_directory() && entry.path().filename() != "default_setting")
            folders.push_back(entry.path().filename().string());
    std::sort(folders.begin(), folders.end());
    return folders;
}

class LanguageFiles : public ::testing::TestWithParam<const char*> {
protected:
    void TearDown() override { ResetMessages(); }
    std::string file() const { return GetParam(); }
    std::string profileRoot() const { return dataDir() + ProfileBaseNameFor(file()) + "/"; }
};

TEST_P(LanguageFiles, FillTheWholeMessageTableWithFormattableTexts) {
    const IniFile english(langDir() + "english.ini");
    const IniFile ini(langDir() + file());
    ASSERT_TRUE(ini.Exists()) << file();

    std::string raw;
    ASSERT_TRUE(ReadFileText(ini.Path(), raw));
    EXPECT_TRUE(isUtf8(raw));

    std::set<std::string> known;
    for (int i = 0; i < kMsgCount; ++i)
        known.insert(std::string(MsgKey(static_cast<MsgId>(i))));
    std::set<std::string> seen;
    for (const auto& key : ini.ReadSectionKeys("LANGRES")) {
        EXPECT_TRUE(known.count(key)) << "unknown key " << key;
        EXPECT_TRUE(seen.insert(key).second) << "repeated key " << key;
    }

    for (int i = 0; i < kMsgCount; ++i) {
        const auto id = static_cast<MsgId>(i);
        const std::string key(MsgKey(id));
        const auto value = ini.Find("LANGRES", key);
        if (!value) {
            ADD_FAILURE() << "missing " << key;
            continue;
        }
        SCOPED_TRACE(key + "=" + *value);
        EXPECT_EQ(placeholders(*value), placeholders(MsgDefault(id)));
        const std::string englishValue = english.ReadString("LANGRES", key, "");
        EXPECT_EQ(countOf(*value, "#13"), countOf(englishValue, "#13"));
        if (!MsgDefault(id).empty()) {
            EXPECT_FALSE(NormalizeLangText(*value).empty());
        }
    }
}

TEST_P(LanguageFiles, OfferTheEnglishInputTypesUnderTheirOwnNames) {
    const IniFile english(langDir() + "type_english.dat");
    const IniFile types(langDir() + typeFileOf(file()));
    ASSERT_TRUE(types.Exists()) << types.Path();
    std::string raw;
    ASSERT_TRUE(ReadFileText(types.Path(), raw));
    EXPECT_TRUE(isUtf8(raw));

    EXPECT_EQ(types.ReadSections(), english.ReadSections());
    EXPECT_EQ(types.ReadSectionValues("AVSExt"), english.ReadSectionValues("AVSExt"));

    const auto expected = english.ReadSectionValues("InputFileTypes");
    const auto lines = types.ReadSectionValues("InputFileTypes");
    ASSERT_EQ(lines.size(), expected.size());
    std::set<std::string> names; // the dialog looks a name up, so a repeated one hides a line
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].second, expected[i].second) << lines[i].first;
        EXPECT_FALSE(lines[i].first.empty());
        EXPECT_TRUE(names.insert(UpperCase(lines[i].first)).second) << lines[i].first;
    }
}

TEST_P(LanguageFiles, ShipTheEnglishProfilesWithOnlyTheirDescriptionsTranslated) {
    ASSERT_NE(ProfileBaseNameFor(file()), "profile") << "no profile folder for " << file();
    const std::string en = dataDir() + "profile_en/";
    const std::string own = profileRoot();
    ASSERT_EQ(formatFolders(own), formatFolders(en));

    const IniFile texts(langDir() + file());
    const std::string noDescription =
        NormalizeLangText(texts.ReadString("LANGRES", "MSG_NO_DESCRIPTION", ""));
    for (const auto& folder : formatFolders(en)) {
        SCOPED_TRACE(folder);
        const std::string ext = "." + GetProfileExt(folder);
        EXPECT_EQ(difference(bodiesOf(own + folder + "/", {"Description="}),
                             bodiesOf(en + folder + "/", {"Description="})),
                  "");

        // Descriptions by body (two profiles may hold the same settings). The undescribed ones
        // are what the program writes for a new profile, so they carry the language's own
        // "no description"; the others are translated.
        std::map<std::string, std::vector<std::string>> englishDescriptions, ownDescriptions;
        for (const auto& name : ListDirectory(en + folder + "/", ext))
            englishDescriptions[bodyOf(en + folder + "/" + name, {"Description="})].push_back(
                IniFile(en + folder + "/" + name).ReadString("General", "Description", ""));

        for (const auto& name : ListDirectory(own + folder + "/", "")) {
            SCOPED_TRACE(name);
            EXPECT_TRUE(EndsWith(name, ext));
            EXPECT_TRUE(isUtf8(name));
            const std::string path = own + folder + "/" + name;
            std::string raw;
            ASSERT_TRUE(ReadFileText(path, raw));
            EXPECT_TRUE(isUtf8(raw));
            const std::string description = IniFile(path).ReadString("General", "Description", "");
            EXPECT_FALSE(description.empty());
            ownDescriptions[bodyOf(path, {"Description="})].push_back(description);
        }
        for (const auto& [body, english] : englishDescriptions) {
            const auto& translated = ownDescriptions[body];
            EXPECT_EQ(std::count(translated.begin(), translated.end(), noDescription),
                      std::count(english.begin(), english.end(), MsgDefault(MSG_NO_DESCRIPTION)));
            if (file() == "english.ini")
                continue;
            for (const auto& text : english)
                if (text != MsgDefault(MSG_NO_DESCRIPTION)) {
                    EXPECT_EQ(std::count(translated.begin(), translated.end(), text), 0)
                        << "not translated: " << text;
                }
        }
    }
}

TEST_P(LanguageFiles, FileThePresetsIntoTheEnglishMenus) {
    const std::string en = dataDir() + "profile_en/default_setting/";
    const std::string own = profileRoot() + "default_setting/";
    EXPECT_EQ(difference(bodiesOf(own, {"TitleE=", "DescriptionE="}),
                         bodiesOf(en, {"TitleE=", "DescriptionE="})),
              "");

    PresetCatalogue english, translated;
    ASSERT_TRUE(LoadPresetCatalogue(en, english));
    ASSERT_TRUE(LoadPresetCatalogue(own, translated));
    const auto sizes = [](const PresetCatalogue& c) {
        return std::vector<size_t>{c.TgpPresetList.size(), c.IPodPresetList.size(),
                                   c.PspPresetList.size(), c.OtherPresetList.size()};
    };
    EXPECT_EQ(sizes(translated), sizes(english));
    for (const auto* list : {&translated.TgpPresetList, &translated.IPodPresetList,
                             &translated.PspPresetList, &translated.OtherPresetList})
        for (const auto& preset : *list) {
            EXPECT_FALSE(preset.Title.empty()) << preset.PresetPath;
            for (const auto& variant : LoadPresetItems(preset.PresetPath))
                EXPECT_FALSE(variant.Title.empty()) << preset.PresetPath;
        }
}

TEST_P(LanguageFiles, LoadingTranslatesTheCommonCommands) {
    if (file() == "english.ini")
        GTEST_SKIP() << "the defaults are English";
    ResetMessages();
    LoadLanguage(langDir() + file());
    for (MsgId id :
         {MSG_CANCEL, MSG_YES, MSG_CONVERT, MSG_ADD_FILES, MSG_SETTINGS_TITLE, MSG_NO_DESCRIPTION})
        EXPECT_NE(Msg(id), MsgDefault(id)) << MsgKey(id);
}

std::string languageName(const ::testing::TestParamInfo<const char*>& param) {
    const std::string name = param.param;
    return name.substr(0, name.find('.'));
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageFiles,
                         ::testing::Values("english.ini", "french.ini", "deutsch.ini",
                                           "italian.ini"),
                         languageName);

TEST(FrenchLanguage, ReplacesTheTextsWithAccentsAndLineBreaksIntact) {
    ResetMessages();
    LoadLanguage(langDir() + "french.ini");
    EXPECT_EQ(Msg(MSG_OK), "OK");
    EXPECT_EQ(Msg(MSG_CANCEL), "Annuler");
    EXPECT_EQ(Msg(MSG_SETTINGS_TITLE), "Paramètres");
    EXPECT_EQ(Msg(MSG_FAIL_CREATEDIR), "Échec");
    EXPECT_EQ(FormatMsg(MSG_FILE_EXISTS, {std::string("a.avi")}),
              "Le fichier « a.avi » existe déjà.\r\n\r\nVoulez-vous vraiment le remplacer ?");
    EXPECT_EQ(FormatMsg(MSG_ID_WORKING, {2LL, 5LL, std::string("b.mkv")}),
              "Conversion du fichier 2 sur 5 : b.mkv");
    ResetMessages();
}

// Each profile box starts with its first profile selected, so a language's profile names keep the
// English listing order: the same profile is the one a format starts with.
TEST(ShippedProfileNames, ListInTheEnglishOrder) {
    const std::string en = dataDir() + "profile_en/";
    for (const char* language : {"profile_fr", "profile_de", "profile_it"}) {
        const std::string other = dataDir() + language + "/";
        for (const auto& folder : formatFolders(en)) {
            SCOPED_TRACE(std::string(language) + "/" + folder);
            const auto english = ListDirectory(en + folder + "/", "");
            const auto translated = ListDirectory(other + folder + "/", "");
            ASSERT_EQ(translated.size(), english.size());
            for (size_t i = 0; i < translated.size(); ++i)
                EXPECT_TRUE(bodyOf(other + folder + "/" + translated[i], {"Description="}) ==
                            bodyOf(en + folder + "/" + english[i], {"Description="}))
                    << translated[i] << " stands where English has " << english[i];
        }
    }
}

} // namespace
} // namespace quillabe
