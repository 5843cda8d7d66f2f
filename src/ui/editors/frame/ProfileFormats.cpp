#include "ui/editors/frame/ProfileFormats.h"

#include "core/GlobalVars.h"
#include "core/OutputFormat.h"
#include "profiles/ProfileDirs.h"
#include "ui/editors/frame/ProfileEditorFactory.h"

#include <array>

namespace quillabe {

namespace {

std::array<ProfileFormat, kOutputFormatCount> buildTable() {
    std::array<ProfileFormat, kOutputFormatCount> table{};
    for (int i = 0; i < kOutputFormatCount; ++i) {
        const OutputFormatInfo& info = kOutputFormats[static_cast<size_t>(i)];
        table[static_cast<size_t>(i)] = {i, info.name, FindProfileRecordOps(i),
                                         &CreateProfileEditor};
    }
    return table;
}

} // namespace

std::string ProfileFormat::Extension() const {
    return GetProfileExt(kOutputFormats[static_cast<size_t>(format)].directoryName);
}

std::string ProfileFormat::Folder() const {
    return ProfileDirOf(format);
}

const ProfileFormat* FindProfileFormat(int format) {
    static const std::array<ProfileFormat, kOutputFormatCount> table = buildTable();
    if (format < 0 || format >= kOutputFormatCount || IsPresetFormat(format))
        return nullptr;
    const ProfileFormat& entry = table[static_cast<size_t>(format)];
    return entry.record ? &entry : nullptr;
}

} // namespace quillabe
