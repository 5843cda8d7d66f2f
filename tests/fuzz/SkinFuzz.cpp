// The skin layout file. Any text is read as skin.ini: every coordinate the layout takes is one
// of 0..kMaxSkinCoordinate (from the file or the design default), and every picture is a file in
// the skin's folder or none.

#include "base/TextUtils.h"
#include "fuzz/FuzzSupport.h"
#include "ui/skin/SkinLayout.h"

#include <string>

using namespace quillabe;
using quillabe::fuzz::Printable;

namespace {

void checkRect(const SkinRect& r, const char* what) {
    for (int v : {r.left, r.top, r.width, r.height})
        FUZZ_CHECK(v >= 0 && v <= kMaxSkinCoordinate, std::string(what) + " " + std::to_string(v));
}

void checkPicture(const std::string& picture, const std::string& folder) {
    FUZZ_CHECK(picture.empty() || StartsWith(picture, folder), "picture " + Printable(picture));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::WriteScratchFile(
        "skin/ozu/skin/skin.ini", std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string folder = fuzz::ScratchDir() + "skin/ozu/skin/";
    SkinLayout layout = DesignSkinLayout();
    FUZZ_CHECK(LoadSkinLayoutFile(path, layout), "the file was not read");

    checkRect(layout.ImageMain.rect, "ImageMain");
    checkPicture(layout.ImageMain.picture, folder);
    for (const SkinRect& r : {layout.ListViewFiles, layout.editOutputFileName,
                              layout.ComboBoxAviProfile, layout.ScrollBox})
        checkRect(r, "box");
    auto checkButtons = [&folder](const auto& buttons) {
        for (const SkinButton& button : buttons) {
            checkRect(button.rect, "button");
            for (const std::string& picture : button.pictures)
                checkPicture(picture, folder);
        }
    };
    checkButtons(layout.ToolbarButtons);
    checkButtons(layout.MainButtons);
    checkButtons(layout.SystemButtons);
    for (const SkinImageControl& line : layout.ToolbarImageLines) {
        checkRect(line.rect, "toolbar line");
        checkPicture(line.picture, folder);
    }
    for (const SkinPoint& p : layout.Labels)
        checkRect({p.left, p.top, 0, 0}, "label");
    for (const SkinPoint& p : layout.EditBoxes)
        checkRect({p.left, p.top, 0, 0}, "edit box");
    checkPicture(layout.SplashLeftImage, folder);
    return 0;
}
