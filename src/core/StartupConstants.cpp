#include "core/StartupConstants.h"

#include <clocale>

#include <array>

namespace quillabe {

uint8_t BrandVariant = 0;
std::string SkinIniFile;
std::string LangDir;
uint8_t LanguageIndex = 0;
std::string HelpFile;
std::string LanguageIniName;
std::string HelpTopicContents;
std::string HelpTopicQuickStart;
std::string HomePageAddress;
std::string SupportMailAddress;
std::string ProgramVersion;
std::string ProfileBaseName = "profile";

namespace {
struct LanguageRow {
    const char* helpFile;
    const char* iniName;
};
// Help pages are HTML in the language folder; the language file names are those users keep.
constexpr std::array<LanguageRow, 4> kLanguages = {{
    {"skin/ozu/lang/en_help/index.html", "english.ini"},
    {"skin/ozu/lang/fr_help/index.html", "french.ini"},
    {"skin/ozu/lang/de_help/index.html", "deutsch.ini"},
    {"skin/ozu/lang/it_help/index.html", "italian.ini"},
}};

struct BrandRow {
    const char* homePage;
    const char* supportMail;
};
// One pair of endpoint addresses per brand variant; this build is variant 3.
constexpr std::array<BrandRow, 4> kBrands = {{
    {"https://quillabe.example.org/", "mailto:support@quillabe.example.org"},
    {"https://quillabe.example.org/", "mailto:support@quillabe.example.org"},
    {"https://quillabe.example.org/", "mailto:support@quillabe.example.org"},
    {"https://quillabe.example.org/", "mailto:support@quillabe.example.org"},
}};
} // namespace

void SetStartupConstants() {
    BrandVariant = 3;
    SkinIniFile = "skin/ozu/skin/skin.ini";
    LangDir = "skin/ozu/lang";
    LanguageIndex = 0;
    if (LanguageIndex < kLanguages.size()) {
        HelpFile = kLanguages[LanguageIndex].helpFile;
        LanguageIniName = kLanguages[LanguageIndex].iniName;
    } else {
        HelpFile.clear();
        LanguageIniName.clear();
    }
    HelpTopicContents = "Introduction.html";
    HelpTopicQuickStart = "The user interface (Overview).html";
    HomePageAddress = kBrands[BrandVariant].homePage;
    SupportMailAddress = kBrands[BrandVariant].supportMail;
    ProgramVersion = "2.3";
    ProfileBaseName = "profile";
}

void UseDotDecimalSeparator() {
    std::setlocale(LC_NUMERIC, "C");
}

} // namespace quillabe
