#pragma once
// The user's special folders, from the XDG user-dirs configuration.

#include <string>
#include <string_view>

namespace quillabe {

// "Personal" (documents), "My Video", "My Music", "My Pictures", "Desktop". Empty when the folder
// is not configured and its conventional default ($HOME/Documents and so on) does not exist.
std::string GetShellFolder(std::string_view name);

} // namespace quillabe
