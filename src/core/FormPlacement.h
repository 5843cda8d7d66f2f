#pragma once
// The main window's placement in the settings file (a section given by the caller).

#include <string>

namespace quillabe {

struct FormPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool maximized = false;
};

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// Reads x, y, height, width and maximized (defaults: `current`, not maximized; a width or height
// that is not positive counts as missing) from `file` (the settings file when blank), then limits
// the rectangle to the screen.
FormPlacement LoadFormPlacement(const std::string& section, const FormPlacement& current,
                                ScreenSize screen, const std::string& file = "");
// Writes x, y, height, width and maximized; false when the file could not be written.
bool SaveFormPlacement(const std::string& section, const FormPlacement& placement,
                       const std::string& file = "");

// The screen limits alone.
FormPlacement LimitToScreen(FormPlacement p, ScreenSize screen);

} // namespace quillabe
