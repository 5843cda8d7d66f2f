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
    LoadLanguage(CurrentLanguagePath());
    // Only the modes that add files need the type tables; they check typeDataLoaded.
    if (FileExists(TypeDataFileName())) {
        LoadTypeData();
        r.typeDataLoaded = true;
    } else {
        r.error = FormatMsg(MSG_NO_DAT_FILE, {TypeDataFileName()});
    }
    return r;
}

} // namespace quillabe
