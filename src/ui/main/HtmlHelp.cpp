#include "ui/main/HtmlHelp.h"

#include "base/PathUtils.h"
#include "core/MessageDialogs.h"
#include "core/ProgramDir.h"
#include "core/StartupConstants.h"
#include "lang/Messages.h"
#include "ui/main/ShellOpen.h"

#include <filesystem>

namespace quillabe {

std::string HelpPagePath(const std::string& topic) {
    const std::string folder = std::filesystem::path(HelpFile).parent_path().string();
    std::string path = ProgramDir() + (folder.empty() ? "" : AddBackslash(folder)) + topic;
    // ShellOpen takes only a path from the root for a file; a relative program folder (from
    // QUILLABE_HOME) would otherwise be read as an address.
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.lexically_normal().string();
}

bool ShowHtmlHelp(const std::string& topic) {
    const std::string page = HelpPagePath(topic);
    if (!FileExists(page)) {
        ShowMessageBox(FormatMsg(MSG_HELP_PAGE_MISSING, {page}), Msg(MSG_Error),
                       MB_ICONEXCLAMATION);
        return false;
    }
    ShellOpen(page);
    return true;
}

} // namespace quillabe
