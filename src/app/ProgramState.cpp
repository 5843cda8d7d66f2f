#include "app/ProgramState.h"

#include "base/PathUtils.h"
#include "core/StartupConstants.h"
#include "core/SystemSettings.h"
#include "core/TypeData.h"
#include "lang/LanguageFile.h"
#include "lang/Messages.h"
#include "profiles/ProfileDirs.h"

#include <clocale>

namespace quillabe {

namespace {

// The language and the type tables, once the settings have named the language.
void loadLanguageData(StateResult& r) {
    LoadLanguage(CurrentLanguagePath());
    // Only the modes that add files need the type tables; they check typeDataLoaded.
    if (FileExists(TypeDataFileName())) {
        LoadTypeData();
        r.typeDataLoaded = true;
    } else {
        r.error = FormatMsg(MSG_NO_DAT_FILE, {TypeDataFileName()});
    }
}

} // namespace

StateResult StartProgramState() {
    StateResult r;
    SetStartupConstants();
    UseDotDecimalSeparator();
    SetGlobalDefaults();
    r.settingsExisted = LoadSystemSettings();
    if (!CreateProfileDirs()) {
        r.ok = false;
        r.error = Msg(MSG_CREATE_DIR_ERROR);
        return r;
    }
    RemoveInterruptedWrites();
    loadLanguageData(r);
    return r;
}

StateResult ReadProgramState() {
    StateResult r;
    SetStartupConstants();
    UseDotDecimalSeparator();
    SetGlobalDefaults();
    // Reading an existing settings file writes nothing; without one the defaults stand.
    r.settingsExisted = FileExists(InfoIniFileName());
    if (r.settingsExisted)
        LoadSystemSettings();
    NameProfileDirs();
    loadLanguageData(r);
    return r;
}

} // namespace quillabe
