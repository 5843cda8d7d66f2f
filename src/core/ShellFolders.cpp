#include "core/ShellFolders.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"

#include <array>
#include <cstdlib>

namespace quillabe {

namespace {
struct FolderRow {
    std::string_view name;
    std::string_view xdgKey;
    std::string_view fallback; // below $HOME
};
constexpr std::array<FolderRow, 5> kFolders = {{
    {"Personal", "XDG_DOCUMENTS_DIR", "Documents"},
    {"My Video", "XDG_VIDEOS_DIR", "Videos"},
    {"My Music", "XDG_MUSIC_DIR", "Music"},
    {"My Pictures", "XDG_PICTURES_DIR", "Pictures"},
    {"Desktop", "XDG_DESKTOP_DIR", "Desktop"},
}};

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// The value of KEY="..." in user-dirs.dirs, with $HOME expanded; empty when missing.
std::string userDirsValue(std::string_view key, const std::string& home) {
    std::string config = env("XDG_CONFIG_HOME");
    if (config.empty())
        config = home.empty() ? "" : home + "/.config";
    std::string text;
    if (config.empty() || !ReadFileText(config + "/user-dirs.dirs", text))
        return {};
    for (const auto& raw : SplitLines(text)) {
        std::string line = Trim(raw);
        if (line.empty() || line[0] == '#' || !StartsWith(line, key) || line.size() <= key.size() ||
            line[key.size()] != '=')
            continue;
        std::string value = line.substr(key.size() + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (StartsWith(value, "$HOME"))
            value = home + value.substr(5);
        return value;
    }
    return {};
}
} // namespace

std::string GetShellFolder(std::string_view name) {
    const std::string home = RemoveBackslash(env("HOME"));
    for (const auto& row : kFolders) {
        if (row.name != name)
            continue;
        std::string value = userDirsValue(row.xdgKey, home);
        // user-dirs.dirs sets a disabled folder to $HOME itself; that is no special folder.
        if (!value.empty() && RemoveBackslash(value) != RemoveBackslash(home))
            return value;
        std::string fallback = home.empty() ? "" : home + "/" + std::string(row.fallback);
        return DirectoryExists(fallback) ? fallback : std::string();
    }
    return {};
}

} // namespace quillabe
