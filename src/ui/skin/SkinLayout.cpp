#include "ui/skin/SkinLayout.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "core/IniFile.h"
#include "core/ProgramDir.h"
#include "core/StartupConstants.h"

#include <algorithm>

namespace quillabe {

namespace {

constexpr const char* kMainForm = "MAINFORM";
constexpr const char* kToolbar = "TOOLBAR";
constexpr const char* kMainButton = "MAINBUTTON";
constexpr const char* kSystemButton = "SYSTEMBUTTON";
constexpr const char* kLabel = "LABEL";
constexpr const char* kEditBox = "EDITBOX";
constexpr const char* kSplash = "SPLASH";

// The design geometry of every control.
constexpr SkinRect kDesignImageMain{0, 0, 754, 571};
constexpr SkinRect kDesignListView{120, 120, 482, 84};
constexpr SkinRect kDesignEditOutput{120, 214, 482, 21};
constexpr SkinRect kDesignScrollBox{18, 313, 719, 239};

constexpr std::array<SkinRect, kToolbarButtonCount> kDesignToolbarButtons{{
    {2, 28, 62, 76},
    {66, 28, 62, 76},
    {128, 28, 62, 76},
    {190, 28, 62, 76},
    {252, 28, 62, 76},
    {314, 28, 62, 76},
    {376, 28, 62, 76},
    {438, 28, 62, 76},
    {500, 28, 62, 76},
    {562, 28, 62, 76},
    {626, 28, 62, 76},
}};
constexpr std::array<SkinRect, kToolbarLineCount> kDesignToolbarLines{{
    {64, 40, 2, 52},
    {624, 40, 2, 52},
    {688, 40, 2, 52},
}};
constexpr std::array<SkinRect, kMainButtonCount> kDesignMainButtons{{
    {620, 120, 115, 25}, // input Browse
    {620, 150, 30, 25},  // up
    {650, 150, 27, 25},  // down
    {677, 150, 27, 25},  // add
    {704, 150, 31, 25},  // delete
    {620, 212, 115, 25}, // output Browse
    {620, 240, 84, 25},  // Edit Profile
    {704, 240, 31, 25},  // profile menu
    {620, 275, 115, 25}, // Convert
}};
constexpr std::array<SkinRect, kSystemButtonCount> kDesignSystemButtons{{
    {678, 4, 24, 21}, // minimise
    {702, 4, 23, 21}, // help menu
    {725, 4, 24, 21}, // close
}};
constexpr std::array<SkinPoint, kSkinLabelCount> kDesignLabels{{
    {16, 8},   {48, 8},    {30, 122}, {24, 218},  {75, 246},  {120, 280}, {16, 8},
    {24, 24},  {368, 24},  {24, 40},  {368, 40},  {24, 56},   {368, 56},  {16, 80},
    {24, 96},  {368, 96},  {24, 112}, {368, 112}, {24, 128},  {368, 128}, {16, 152},
    {24, 168}, {368, 168}, {24, 184}, {368, 184}, {584, 216},
}};
// The file's default for "Label2Left" is not the design position.
constexpr int kLabel2LeftKeyDefault = 144;
constexpr std::array<SkinPoint, kSkinEditBoxCount> kDesignEditBoxes{{
    {112, 24},
    {500, 24},
    {112, 40},
    {500, 40},
    {112, 56},
    {500, 56},
    {112, 96},
    {500, 96},
    {112, 112},
    {500, 112},
    {112, 128},
    {500, 128},
    {112, 168},
    {500, 168},
    {112, 184},
    {500, 184},
}};

// The single controls of section MAINFORM, with their key prefix.
struct SingleRow {
    const char* prefix;
    const char* leftSuffix; // the background's left key is spelled "ImageMainLet"
    SkinRect design;
    SkinRect& (*field)(SkinLayout&);
};
const std::array<SingleRow, 5> kSingles{{
    {"ImageMain", "Let", kDesignImageMain,
     [](SkinLayout& l) -> SkinRect& { return l.ImageMain.rect; }},
    {"ListView", "Left", kDesignListView,
     [](SkinLayout& l) -> SkinRect& { return l.ListViewFiles; }},
    {"EditOutputFile", "Left", kDesignEditOutput,
     [](SkinLayout& l) -> SkinRect& { return l.editOutputFileName; }},
    {"ComboProfile", "Left", kDesignProfileBox,
     [](SkinLayout& l) -> SkinRect& { return l.ComboBoxAviProfile; }},
    {"ScrollBox", "Left", kDesignScrollBox, [](SkinLayout& l) -> SkinRect& { return l.ScrollBox; }},
}};

// A numbered group of buttons in one section. Missing position keys of a button past the first
// `ownDefaults` take the first button's values, so a file that gives no positions stacks them.
struct ButtonGroup {
    const char* section;
    const SkinRect* design;
    int count;
    int ownDefaults;
    SkinButton* (*buttons)(SkinLayout&);
};
const std::array<ButtonGroup, 3> kButtonGroups{{
    {kToolbar, kDesignToolbarButtons.data(), kToolbarButtonCount, 2,
     [](SkinLayout& l) { return l.ToolbarButtons.data(); }},
    {kMainButton, kDesignMainButtons.data(), kMainButtonCount, 1,
     [](SkinLayout& l) { return l.MainButtons.data(); }},
    {kSystemButton, kDesignSystemButtons.data(), kSystemButtonCount, 1,
     [](SkinLayout& l) { return l.SystemButtons.data(); }},
}};
constexpr std::array<const char*, kButtonStateCount> kStateSuffixes{"Normal", "MouseOn",
                                                                    "MouseDown", "Disable"};

std::string numbered(std::string_view prefix, int n, std::string_view suffix) {
    return std::string(prefix) + std::to_string(n) + std::string(suffix);
}

class SkinReader {
public:
    SkinReader(const IniFile& ini, std::string skinFile)
        : ini_(ini), skinFile_(std::move(skinFile)) {}

    int Coordinate(const char* section, const std::string& key, int fallback) const {
        auto text = ini_.Find(section, key);
        if (!text)
            return fallback;
        auto value = ParseIniInteger(*text);
        if (!value || *value < 0 || *value > kMaxSkinCoordinate)
            return fallback;
        return *value;
    }

    SkinRect Rect(const char* section, std::string_view prefix, std::string_view leftSuffix,
                  const SkinRect& fallback) const {
        std::string p(prefix);
        return {Coordinate(section, p + std::string(leftSuffix), fallback.left),
                Coordinate(section, p + "Top", fallback.top),
                Coordinate(section, p + "Width", fallback.width),
                Coordinate(section, p + "Height", fallback.height)};
    }

    // An upper-cased value names a file in the skin folder; "NONE" in any case, or nothing,
    // means no picture.
    std::string Picture(const char* section, const std::string& key) const {
        auto text = ini_.Find(section, key);
        if (!text)
            return {};
        std::string value = UpperCase(*text);
        if (value.empty() || value == "NONE")
            return {};
        return SkinImagePath(skinFile_, value);
    }

private:
    const IniFile& ini_;
    std::string skinFile_;
};

} // namespace

SkinLayout DesignSkinLayout() {
    SkinLayout layout;
    for (const SingleRow& row : kSingles)
        row.field(layout) = row.design;
    for (const ButtonGroup& group : kButtonGroups)
        for (int i = 0; i < group.count; ++i)
            group.buttons(layout)[i].rect = group.design[i];
    for (int i = 0; i < kToolbarLineCount; ++i)
        layout.ToolbarImageLines[i].rect = kDesignToolbarLines[i];
    std::copy(kDesignLabels.begin(), kDesignLabels.end(), layout.Labels.begin());
    std::copy(kDesignEditBoxes.begin(), kDesignEditBoxes.end(), layout.EditBoxes.begin());
    return layout;
}

bool LoadSkinLayoutFile(const std::string& path, SkinLayout& layout) {
    if (!FileExists(path))
        return false;
    IniFile ini(path);
    SkinReader read(ini, path);
    SkinLayout out;
    out.DefaultSkin = ini.ReadInteger(kMainForm, "DefaultSkin", 1) != 0;
    out.ImageMain.picture = read.Picture(kMainForm, "ImageMainPic");
    for (const SingleRow& row : kSingles)
        row.field(out) = read.Rect(kMainForm, row.prefix, row.leftSuffix, row.design);

    for (const ButtonGroup& group : kButtonGroups) {
        SkinButton* buttons = group.buttons(out);
        for (int n = 1; n <= group.count; ++n) {
            SkinButton& button = buttons[n - 1];
            std::string prefix = numbered("Button", n, "");
            for (int s = 0; s < kButtonStateCount; ++s)
                button.pictures[s] = read.Picture(group.section, prefix + kStateSuffixes[s]);
            const SkinRect& fallback = group.design[n <= group.ownDefaults ? n - 1 : 0];
            button.rect = read.Rect(group.section, prefix, "Left", fallback);
        }
    }
    for (int n = 1; n <= kToolbarLineCount; ++n) {
        SkinImageControl& line = out.ToolbarImageLines[n - 1];
        std::string prefix = numbered("ImageLine", n, "");
        line.picture = read.Picture(kToolbar, prefix);
        line.rect = read.Rect(kToolbar, prefix, "Left", kDesignToolbarLines[0]);
    }

    for (int n = 1; n <= kSkinLabelCount; ++n) {
        SkinPoint fallback = kDesignLabels[n - 1];
        if (n == 2)
            fallback.left = kLabel2LeftKeyDefault;
        out.Labels[n - 1] = {read.Coordinate(kLabel, numbered("Label", n, "Left"), fallback.left),
                             read.Coordinate(kLabel, numbered("Label", n, "Top"), fallback.top)};
    }
    // An edit box takes its top from section LABEL and its left from section EDITBOX.
    for (int n = 1; n <= kSkinEditBoxCount; ++n) {
        const SkinPoint& fallback = kDesignEditBoxes[n - 1];
        out.EditBoxes[n - 1] = {
            read.Coordinate(kEditBox, numbered("EditBox", n, "Left"), fallback.left),
            read.Coordinate(kLabel, numbered("EditBox", n, "Top"), fallback.top)};
    }
    out.SplashLeftImage = read.Picture(kSplash, "LeftImage");
    layout = std::move(out);
    return true;
}

bool LoadSkinLayout(const std::string& relativeName, SkinLayout& layout) {
    return LoadSkinLayoutFile(InProgramDir(relativeName), layout);
}

std::string SkinImagePath(std::string_view skinFile, std::string_view value) {
    // Skins written for the other platform separate folders with a backslash.
    std::string name(value);
    std::replace(name.begin(), name.end(), '\\', kPathDelim);
    return ExtractFilePath(skinFile) + name;
}

std::string SkinImagePath(std::string_view value) {
    return SkinImagePath(InProgramDir(SkinIniFile), value);
}

} // namespace quillabe
