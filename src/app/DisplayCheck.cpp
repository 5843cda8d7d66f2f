#include "app/DisplayCheck.h"

#include <cstdlib>

namespace quillabe {

namespace {

bool named(const char* value) {
    return value && *value;
}

// QT_QPA_PLATFORM may list platforms to try ("wayland;xcb") and give each options after ':'.
// Only xcb and the wayland family need a display server.
bool needsDisplayServer(std::string_view platforms) {
    while (!platforms.empty()) {
        const size_t end = platforms.find(';');
        std::string_view entry = platforms.substr(0, end);
        entry = entry.substr(0, entry.find(':'));
        if (!entry.empty() && entry != "xcb" && entry.substr(0, 7) != "wayland")
            return false;
        if (end == std::string_view::npos)
            break;
        platforms.remove_prefix(end + 1);
    }
    return true;
}

} // namespace

DisplayEnvironment CurrentDisplayEnvironment() {
    return {std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY")};
}

bool DisplayAvailable(const DisplayEnvironment& env) {
    if (named(env.platform) && !needsDisplayServer(env.platform))
        return true;
    return named(env.x11) || named(env.wayland);
}

} // namespace quillabe
