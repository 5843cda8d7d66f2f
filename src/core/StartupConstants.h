#pragma once
// Values set once at program start, before the main window exists.

#include <cstdint>
#include <string>

namespace quillabe {

extern uint8_t BrandVariant;
extern std::string SkinIniFile;
extern std::string LangDir;
extern uint8_t LanguageIndex;
extern std::string HelpFile;
extern std::string LanguageIniName;
extern std::string HelpTopicContents;
extern std::string HelpTopicQuickStart;
extern std::string HomePageAddress;
extern std::string SupportMailAddress;
extern std::string ProgramVersion;
extern std::string ProfileBaseName;

// Step 2 of the program start: fills every constant above.
void SetStartupConstants();
// Numbers are read and written with "." whatever the user's locale: the one place that sets it.
void UseDotDecimalSeparator();

} // namespace quillabe
