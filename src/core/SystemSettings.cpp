#include "core/SystemSettings.h"

#include "base/PathUtils.h"
#include "core/GlobalVars.h"
#include "core/IniFile.h"
#include "core/ProgramDir.h"
#include "core/ShellFolders.h"
#include "core/StartupConstants.h"

#include <algorithm>
#include <array>
#include <variant>

namespace quillabe {

namespace {

constexpr const char* kSystem = "System";

// A number of our own with its own rule: a value the program cannot use reads as `fallback`, one
// above `max` as `max`, so a hand-edited file never asks for more than the program allows.
struct BoundedInt {
    int32_t TGlobalVars::*member;
    int32_t min;
    int32_t max;
    int32_t fallback;
};

using Member = std::variant<std::string TGlobalVars::*, uint8_t TGlobalVars::*, bool TGlobalVars::*,
                            BoundedInt>;
struct SettingField {
    const char* key;
    Member member;
};

// Section "System" in its order of reading and writing.
const std::array<SettingField, 10> kSystemFields = {{
    {"LanguageFile", &TGlobalVars::LanguageFile},
    {"LastInputOpenDir", &TGlobalVars::LastInputOpenDir},
    {"LastOutputOpenDir", &TGlobalVars::LastOutputOpenDir},
    {"Priority", &TGlobalVars::Priority},
    {"ShutdownFlag", &TGlobalVars::ShutdownFlag},
    {"DeleteFileAfterProcessing", &TGlobalVars::DeleteFileAfterProcessing},
    {"ShutdownWindowsWhenDone", &TGlobalVars::ShutdownWindowsWhenDone},
    {"UseDirectShow", &TGlobalVars::UseDirectShow},
    {"TgpiPodPSPProfileFileName", &TGlobalVars::PresetFileName},
    {"SimultaneousConversions",
     BoundedInt{&TGlobalVars::SimultaneousJobs, 0, kMaxSimultaneousJobs, 1}},
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
    void operator()(const BoundedInt& b) const {
        const auto text = ini.Find(kSystem, key);
        if (!text)
            return; // a file of an earlier version: the field keeps its value
        const auto value = ParseIniInteger(*text);
        if (!value || *value < b.min)
            GlobalVars.*b.member = b.fallback;
        else
            GlobalVars.*b.member = std::min(*value, b.max);
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
    void operator()(const BoundedInt& b) const {
        ini.WriteInteger(kSystem, key, GlobalVars.*b.member);
    }
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
    GlobalVars.SimultaneousJobs = 1;
    GlobalVars.Mp4PresetIndex = 0;
    GlobalVars.TgpPresetIndex = 0;
}

} // namespace quillabe
