#pragma once
// The main window's skin layout file as plain data: every control's geometry and pictures, read
// from skin.ini with the file's own key names and defaults. Nothing here touches a widget; the
// main window applies the values.

#include <array>
#include <string>
#include <string_view>

namespace quillabe {

struct SkinRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const SkinRect&, const SkinRect&) = default;
};

struct SkinPoint {
    int left = 0;
    int top = 0;
    friend bool operator==(const SkinPoint&, const SkinPoint&) = default;
};

// A picture is held as the full path of its file (the skin folder plus the upper-cased value);
// an empty path means no picture.
struct SkinImageControl {
    std::string picture;
    SkinRect rect;
};

enum class ButtonState { Normal, MouseOn, MouseDown, Disable };
inline constexpr int kButtonStateCount = 4;

struct SkinButton {
    std::array<std::string, kButtonStateCount> pictures; // indexed by ButtonState
    SkinRect rect;
    const std::string& Picture(ButtonState s) const { return pictures[static_cast<size_t>(s)]; }
};

inline constexpr int kToolbarButtonCount = 11;
inline constexpr int kToolbarLineCount = 3;
inline constexpr int kMainButtonCount = 9;
inline constexpr int kSystemButtonCount = 3;
inline constexpr int kSkinLabelCount = 26;
inline constexpr int kSkinEditBoxCount = 16;

// Arrays are indexed from 0: ToolbarButton1 is ToolbarButtons[0], Label26 is Labels[25].
struct SkinLayout {
    bool DefaultSkin = true; // the first of the two built-in skins (SkinPalette.h)
    SkinImageControl ImageMain;
    SkinRect ListViewFiles;
    SkinRect editOutputFileName;
    // The skin moves the AVI profile box only; the other sixteen boxes keep kDesignProfileBox.
    SkinRect ComboBoxAviProfile;
    SkinRect ScrollBox;
    std::array<SkinButton, kToolbarButtonCount> ToolbarButtons;
    std::array<SkinImageControl, kToolbarLineCount> ToolbarImageLines;
    std::array<SkinButton, kMainButtonCount> MainButtons;
    std::array<SkinButton, kSystemButtonCount> SystemButtons;
    // Label width and height come from the texts; the file gives only the position.
    std::array<SkinPoint, kSkinLabelCount> Labels;
    std::array<SkinPoint, kSkinEditBoxCount> EditBoxes; // relative to the media panel
    std::string SplashLeftImage;                        // the About window's left picture
};

inline constexpr SkinRect kDesignProfileBox{120, 242, 482, 21};

// Coordinates outside 0..kMaxSkinCoordinate are not taken from a skin file.
inline constexpr int kMaxSkinCoordinate = 16384;

// The layout the window is designed with, used as it stands when there is no skin file.
SkinLayout DesignSkinLayout();

// Reads the skin file (a name relative to the program folder) into the layout. Returns false and
// leaves the layout untouched when the file does not exist. Keys missing from the file, and
// values that are not numbers or lie outside 0..kMaxSkinCoordinate, take the key's default.
bool LoadSkinLayout(const std::string& relativeName, SkinLayout& layout);
// The same for a file given by its full path.
bool LoadSkinLayoutFile(const std::string& path, SkinLayout& layout);

// The skin file's folder with a trailing separator, followed by the picture value.
std::string SkinImagePath(std::string_view skinFile, std::string_view value);
// The same for the installed skin file (SkinIniFile below the program folder).
std::string SkinImagePath(std::string_view value);

} // namespace quillabe
