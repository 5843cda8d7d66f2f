// The skin layout file read into plain data: its defaults, its odd key names and bad values.

#include "ui/skin/SkinLayout.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

using namespace quillabe;

namespace {

constexpr SkinRect kFirstToolbarButton{2, 28, 62, 76};
constexpr SkinRect kFirstMainButton{620, 120, 115, 25};
constexpr SkinRect kFirstSystemButton{678, 4, 24, 21};

struct LayoutCase {
    const char* name;
    const char* ini;
    std::function<void(const SkinLayout&, const std::string& folder)> check;
};

const LayoutCase kCases[] = {
    {"only the background picture: the repeated first-button defaults",
     "[MAINFORM]\nImageMainPic=main.jpg\n",
     [](const SkinLayout& l, const std::string& folder) {
         const SkinLayout design = DesignSkinLayout();
         EXPECT_EQ(l.ImageMain.picture, folder + "MAIN.JPG");
         EXPECT_EQ(l.ImageMain.rect, (SkinRect{0, 0, 754, 571}));
         EXPECT_TRUE(l.DefaultSkin);
         EXPECT_EQ(l.ToolbarButtons[0].rect, kFirstToolbarButton);
         EXPECT_EQ(l.ToolbarButtons[1].rect, (SkinRect{66, 28, 62, 76}));
         for (int i = 2; i < kToolbarButtonCount; ++i)
             EXPECT_EQ(l.ToolbarButtons[i].rect, kFirstToolbarButton) << "toolbar " << i + 1;
         for (const SkinImageControl& line : l.ToolbarImageLines)
             EXPECT_EQ(line.rect, (SkinRect{64, 40, 2, 52}));
         for (const SkinButton& b : l.MainButtons)
             EXPECT_EQ(b.rect, kFirstMainButton);
         for (const SkinButton& b : l.SystemButtons)
             EXPECT_EQ(b.rect, kFirstSystemButton);
         // The other controls keep their design geometry, but for the version label's left.
         EXPECT_EQ(l.ListViewFiles, design.ListViewFiles);
         EXPECT_EQ(l.editOutputFileName, design.editOutputFileName);
         EXPECT_EQ(l.ComboBoxAviProfile, kDesignProfileBox);
         EXPECT_EQ(l.ScrollBox, design.ScrollBox);
         EXPECT_EQ(l.Labels[1], (SkinPoint{144, 8}));
         EXPECT_EQ(design.Labels[1], (SkinPoint{48, 8}));
         for (int i = 0; i < kSkinLabelCount; ++i) {
             if (i != 1) {
                 EXPECT_EQ(l.Labels[i], design.Labels[i]) << "Label" << i + 1;
             }
         }
         EXPECT_EQ(l.EditBoxes, design.EditBoxes);
         for (const SkinButton& b : l.MainButtons)
             for (const std::string& picture : b.pictures)
                 EXPECT_EQ(picture, "");
         EXPECT_EQ(l.SplashLeftImage, "");
     }},
    {"NONE in any letter case is no picture; other values are upper-cased",
     "[TOOLBAR]\nButton1Normal=none\nButton1MouseOn= NoNe \nButton1MouseDown=\n"
     "Button1Disable=Sub\\Off.bmp\nImageLine2=line.png\n[SPLASH]\nLeftImage=About.png\n",
     [](const SkinLayout& l, const std::string& folder) {
         const SkinButton& b = l.ToolbarButtons[0];
         EXPECT_EQ(b.Picture(ButtonState::Normal), "");
         EXPECT_EQ(b.Picture(ButtonState::MouseOn), "");
         EXPECT_EQ(b.Picture(ButtonState::MouseDown), "");
         EXPECT_EQ(b.Picture(ButtonState::Disable), folder + "SUB/OFF.BMP");
         EXPECT_EQ(l.ToolbarImageLines[1].picture, folder + "LINE.PNG");
         EXPECT_EQ(l.ToolbarImageLines[0].picture, "");
         EXPECT_EQ(l.SplashLeftImage, folder + "ABOUT.PNG");
     }},
    {"an edit box's top is read from LABEL only, its left from EDITBOX only",
     "[EDITBOX]\nEditBox3Top=77\nEditBox4Left=401\n[LABEL]\nEditBox5Top=61\nEditBox6Left=9\n",
     [](const SkinLayout& l, const std::string&) {
         EXPECT_EQ(l.EditBoxes[2], (SkinPoint{112, 40}));
         EXPECT_EQ(l.EditBoxes[3], (SkinPoint{401, 40}));
         EXPECT_EQ(l.EditBoxes[4], (SkinPoint{112, 61}));
         EXPECT_EQ(l.EditBoxes[5], (SkinPoint{500, 56}));
     }},
    {"the profile keys move the AVI profile box only", "[MAINFORM]\nComboProfileTop=300\n",
     [](const SkinLayout& l, const std::string&) {
         EXPECT_EQ(l.ComboBoxAviProfile, (SkinRect{120, 300, 482, 21}));
         EXPECT_EQ(kDesignProfileBox, (SkinRect{120, 242, 482, 21}));
         EXPECT_EQ(l.editOutputFileName, (SkinRect{120, 214, 482, 21}));
     }},
    {"the background's left key is spelled ImageMainLet",
     "[MAINFORM]\nImageMainLeft=5\nImageMainTop=6\n[mainform]\n",
     [](const SkinLayout& l, const std::string&) {
         EXPECT_EQ(l.ImageMain.rect, (SkinRect{0, 6, 754, 571}));
     }},
    {"ImageMainLet is read", "[MAINFORM]\nImageMainLet=5\n",
     [](const SkinLayout& l, const std::string&) { EXPECT_EQ(l.ImageMain.rect.left, 5); }},
    {"garbage, negative and huge numbers take the key's default",
     "[MAINFORM]\nListViewLeft=abc\nListViewTop=-5\nListViewWidth=99999999999\n"
     "ListViewHeight=16385\nScrollBoxLeft=$10\nScrollBoxTop=16384\nScrollBoxWidth=0\n"
     "ScrollBoxHeight=12px\nDefaultSkin=yes\n[MAINBUTTON]\nButton3Left=-1\nButton3Top=$FFFFFFFF\n"
     "Button3Width= 44 \n[LABEL]\nLabel2Left=2147483648\n",
     [](const SkinLayout& l, const std::string&) {
         EXPECT_EQ(l.ListViewFiles, (SkinRect{120, 120, 482, 84}));
         EXPECT_EQ(l.ScrollBox, (SkinRect{16, 16384, 0, 239}));
         EXPECT_TRUE(l.DefaultSkin);
         EXPECT_EQ(l.MainButtons[2].rect, (SkinRect{620, 120, 44, 25}));
         EXPECT_EQ(l.Labels[1].left, 144);
     }},
    {"section and key names in any letter case; DefaultSkin 0 picks the second skin",
     "[systembutton]\nbutton3LEFT=700\n[MainForm]\ndefaultskin=0\n",
     [](const SkinLayout& l, const std::string&) {
         EXPECT_EQ(l.SystemButtons[2].rect, (SkinRect{700, 4, 24, 21}));
         EXPECT_FALSE(l.DefaultSkin);
     }},
};

TEST(SkinLayout, FileCases) {
    for (const LayoutCase& c : kCases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        std::string path = dir.Write("skin/skin.ini", c.ini);
        SkinLayout layout = DesignSkinLayout();
        ASSERT_TRUE(LoadSkinLayoutFile(path, layout));
        c.check(layout, dir.Path() + "skin/");
    }
}

TEST(SkinLayout, MissingFileKeepsTheLayoutItIsGiven) {
    test::ProgramHome home;
    SkinLayout layout = DesignSkinLayout();
    layout.ListViewFiles.top = 40; // as moved by the window; must not be touched
    EXPECT_FALSE(LoadSkinLayout("skin/ozu/skin/skin.ini", layout));
    SkinLayout expected = DesignSkinLayout();
    expected.ListViewFiles.top = 40;
    EXPECT_EQ(layout.ListViewFiles, expected.ListViewFiles);
    EXPECT_EQ(layout.MainButtons[8].rect, (SkinRect{620, 275, 115, 25}));
    EXPECT_EQ(layout.ToolbarButtons[10].rect, (SkinRect{626, 28, 62, 76}));
    EXPECT_EQ(layout.ImageMain.picture, "");

    // A folder of that name is not a skin file either.
    home.Dir().Write("skin/ozu/skin/skin.ini/x", "");
    EXPECT_FALSE(LoadSkinLayout("skin/ozu/skin/skin.ini", layout));
}

TEST(SkinLayout, ImagePathsAreBelowTheSkinFilesFolder) {
    test::ProgramHome home;
    home.Dir().Write("skin/ozu/skin/skin.ini", "[MAINFORM]\nImageMainPic=Back.JPG\n");
    SkinLayout layout = DesignSkinLayout();
    ASSERT_TRUE(LoadSkinLayout("skin/ozu/skin/skin.ini", layout));
    EXPECT_EQ(layout.ImageMain.picture, home.Path() + "skin/ozu/skin/BACK.JPG");
    EXPECT_EQ(SkinImagePath("/a/b/skin.ini", "X.BMP"), "/a/b/X.BMP");
    EXPECT_EQ(SkinImagePath("/a/b/skin.ini", "SUB\\X.BMP"), "/a/b/SUB/X.BMP");
}

// The shipped skin gives every position itself: nothing stacks on the first button's default.
TEST(SkinLayout, ShippedSkinGivesTheDesignGeometry) {
    SkinLayout layout;
    ASSERT_TRUE(
        LoadSkinLayoutFile(std::string(QUILLABE_SOURCE) + "/data/skin/ozu/skin/skin.ini", layout));
    const SkinLayout design = DesignSkinLayout();
    for (int i = 0; i < kToolbarButtonCount; ++i)
        EXPECT_EQ(layout.ToolbarButtons[i].rect, design.ToolbarButtons[i].rect) << i + 1;
    for (int i = 0; i < kToolbarLineCount; ++i)
        EXPECT_EQ(layout.ToolbarImageLines[i].rect, design.ToolbarImageLines[i].rect) << i + 1;
    for (int i = 0; i < kMainButtonCount; ++i)
        EXPECT_EQ(layout.MainButtons[i].rect, design.MainButtons[i].rect) << i + 1;
    for (int i = 0; i < kSystemButtonCount; ++i)
        EXPECT_EQ(layout.SystemButtons[i].rect, design.SystemButtons[i].rect) << i + 1;
    EXPECT_EQ(layout.Labels, design.Labels);
    EXPECT_EQ(layout.EditBoxes, design.EditBoxes);
    EXPECT_EQ(layout.ImageMain.rect, design.ImageMain.rect);
    EXPECT_EQ(layout.ListViewFiles, design.ListViewFiles);
    EXPECT_EQ(layout.ScrollBox, design.ScrollBox);
    EXPECT_TRUE(layout.DefaultSkin);
}

} // namespace
