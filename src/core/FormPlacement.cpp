#include "core/FormPlacement.h"

#include "base/TextUtils.h"
#include "core/IniFile.h"
#include "core/SystemSettings.h"

#include <cstdint>

namespace quillabe {

namespace {
std::string fileOrSettings(const std::string& file) {
    return Trim(file).empty() ? InfoIniFileName() : file;
}
} // namespace

FormPlacement LimitToScreen(FormPlacement p, ScreenSize screen) {
    if (p.width > screen.width)
        p.width = screen.width;
    if (p.height > screen.height)
        p.height = screen.height;
    // The sums in 64 bits: a hand-edited file may hold any 32-bit position.
    if (int64_t{p.left} + p.width > screen.width)
        p.left = static_cast<int>(int64_t{screen.width} - p.width);
    if (int64_t{p.top} + p.height > screen.height)
        p.top = static_cast<int>(int64_t{screen.height} - p.height);
    if (p.left < 0)
        p.left = 0;
    if (p.top < 0)
        p.top = 0;
    return p;
}

FormPlacement LoadFormPlacement(const std::string& section, const FormPlacement& current,
                                ScreenSize screen, const std::string& file) {
    IniFile ini(fileOrSettings(file));
    FormPlacement p;
    p.left = ini.ReadInteger(section, "x", current.left);
    p.top = ini.ReadInteger(section, "y", current.top);
    p.height = ini.ReadInteger(section, "height", current.height);
    p.width = ini.ReadInteger(section, "width", current.width);
    // A window has a size: none or a negative one in the file counts as missing.
    if (p.height <= 0)
        p.height = current.height;
    if (p.width <= 0)
        p.width = current.width;
    p.maximized = ini.ReadBool(section, "maximized", false);
    return LimitToScreen(p, screen);
}

bool SaveFormPlacement(const std::string& section, const FormPlacement& placement,
                       const std::string& file) {
    IniFile ini(fileOrSettings(file));
    ini.WriteInteger(section, "x", placement.left);
    ini.WriteInteger(section, "y", placement.top);
    ini.WriteInteger(section, "height", placement.height);
    ini.WriteInteger(section, "width", placement.width);
    ini.WriteBool(section, "maximized", placement.maximized);
    return ini.Flush();
}

} // namespace quillabe
