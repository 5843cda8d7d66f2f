#include "profiles/ProfileLists.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "core/GlobalVars.h"
#include "core/OutputFormat.h"
#include "profiles/ProfileDirs.h"

namespace quillabe {

namespace {
std::string dottedExt(int format) {
    if (format < 0 || format >= kOutputFormatCount)
        return {};
    return "." + GetProfileExt(kOutputFormats[static_cast<size_t>(format)].directoryName);
}
} // namespace

std::vector<std::string> ListProfileNames(int format) {
    std::vector<std::string> names;
    const std::string ext = dottedExt(format);
    if (ext.empty())
        return names;
    for (const auto& file : ListDirectory(ProfileDirOf(format), ext))
        if (EndsWith(file, ext))
            names.push_back(file.substr(0, file.size() - ext.size()));
    return names;
}

int SelectProfileIndex(const std::vector<std::string>& names,
                       const std::optional<std::string>& nameToSelect) {
    if (names.empty())
        return -1;
    if (!nameToSelect)
        return 0;
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == *nameToSelect)
            return static_cast<int>(i);
    return -1;
}

std::string ProfilePath(int format, const std::string& name) {
    return ProfileDirOf(format) + name + dottedExt(format);
}

} // namespace quillabe
