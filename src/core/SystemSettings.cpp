#include "core/SystemSettings.h"

#include "base/PathUtils.h"
#include "core/GlobalVars.h"
#include "core/IniFile.h"
#include "core/ProgramDir.h"
#include "core/ShellFolders.h"
#include "core/StartupConstants.h"

#include <array>
#include <variant>

namespace quillabe {

namespace {

constexpr const char* kSystem = "System";

using Member =
    std::variant<std::string TGlobalVars::*, uint8_t TGlobalVars::*, bool TGlobalVars::*>;
struct SettingField {
    const char* key;
    Member member;
};

// Section "System" in its order of reading and writing.
const std::array<SettingField, 9> kSystemFields = {{
    {"LanguageFile", &TGlobalVars::LanguageFile},
    {"LastInputOpenDir", &TGlobalVars::LastInputOpenDir},
    {"LastOutputOpenDir", &TGlobalVars::LastOutputOpenDir},
    {"Priority", &TGlobalVars::Priority},
    {"ShutdownFlag", &TGlobalVars::ShutdownFlag},
    {"DeleteFileAfterProcessing", &TGlobalVars::DeleteFileAfterProcessing},
    {"ShutdownWindowsWhenDone", &TGlobalVars::ShutdownWindowsWhenDone},
    {"UseDirectShow", &TGlobalVars::UseDirectShow},
    {"TgpiPodPSPProfileFileName", &TGlobalVars::PresetFileName},
}};

struct Reader {
    const IniFile& ini;
    const char* key;
    void operator()(std::string TGlobalVars::*m) const {
        GlobalVars.*m = ini.ReadString(kSystem, key, GlobalVars.*m);
    }
    void operator()(uint8_t TGlobalVars::*m) const {
        GlobalVars.*m = static_cast<uint8_t>(ini.ReadInteger(kSystem, key, GlobalVars.*m) & 0xFF);
    }
    void operator()(bool TGlobalVars::*m) const {
        GlobalVars.*m = ini.ReadBool(kSystem, key, GlobalVars.*m);
    }
};

struct Writer {
    IniFile& ini;
    const char* key;
    void operator()(std::string TGlobalVars::*m) const {
        ini.WriteString(kSystem, key, GlobalVars.*m);
    }
    void operator()(uint8_t TGlobalVars::*m) const {
        ini.WriteInteger(kSystem, key, GlobalVars.*m);
    }
    void operator()(bool TGlobalVars::*m) const { ini.WriteBool(kSystem, key, GlobalVars.*m); }
};

} // namespace

std::string InfoIniFileName() {
    return InProgramDir("info.ini");
}

bool LoadSystemSettings() {
    IniFile ini(InfoIniFileName());
    if (!ini.Exists()) {
        SaveSystemSettings();
        return false;
    }
    GlobalVars.OutputFormat = 1;
    for (const auto& field : kSystemFields)
        std::visit(Reader{ini, field.key}, field.member);
    GlobalVars.Mp4PresetIndex = 0;
    return true;
}

bool SaveSystemSettings() {
    IniFile ini(InfoIniFileName());
    for (const auto& field : kSystemFields)
        std::visit(Writer{ini, field.key}, field.member);
    return ini.Flush();
}

bool WriteInfoString(const std::string& section, const std::string& key, const std::string& value) {
    return IniWriteString(InfoIniFileName(), section, key, value);
}

void SetGlobalDefaults() {
    GlobalVars.OutputFormat = 0;
    GlobalVars.EncoderPath = "divuvo.dll";
    GlobalVars.Priority = 1;
    GlobalVars.ShutdownFlag = 1;
    GlobalVars.DeleteFileAfterProcessing = false;
    GlobalVars.ShutdownWindowsWhenDone = false;
    GlobalVars.LanguageFile = LanguageIniName;
    GlobalVars.LastInputOpenDir = GetShellFolder("Personal");
    GlobalVars.LastOutputOpenDir = GlobalVars.LastInputOpenDir;
    GlobalVars.UseDirectShow = false;
    GlobalVars.PresetFileName.clear();
    GlobalVars.Mp4PresetIndex = 0;
    GlobalVars.TgpPresetIndex = 0;
}

} // namespace quillabe
