#pragma once
// Whether the windows can start at all: without a display server Qt's platform plugin aborts the
// program, so the start checks first and says what to do instead.

#include <string_view>

namespace quillabe {

// QT_QPA_PLATFORM, DISPLAY and WAYLAND_DISPLAY as the environment gives them (null: unset).
struct DisplayEnvironment {
    const char* platform = nullptr;
    const char* x11 = nullptr;
    const char* wayland = nullptr;
};
DisplayEnvironment CurrentDisplayEnvironment();

// True when the windows have somewhere to go: a platform that needs no display server is forced
// (offscreen, say), or an X11 or Wayland display is named.
bool DisplayAvailable(const DisplayEnvironment& env);

inline constexpr std::string_view kNoDisplayText =
    "no graphical display found; use --convert for the command line, see --help";

} // namespace quillabe
