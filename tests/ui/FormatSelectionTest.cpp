// The current format and its profile or preset: action states, profile boxes, preset menus, the
// start-up restore and the Output Format menu.

#include "ui/main/FormatSelection.h"
#include "core/GlobalVars.h"
#include "core/OutputFormat.h"
#include "core/StartupConstants.h"
#include "lang/Messages.h"
#include "profiles/ProfileDirs.h"
#include "profiles/ProfileLists.h"
#include "support/TempDir.h"
#include "ui/main/PresetMenus.h"
#include "ui/skin/SkinLayout.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QWidget>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace quillabe {
namespace {

using test::ProgramHome;

constexpr const char* kToolbarActions[] = {"ActionToAVI",  "ActionToMP4", "ActionTo3GP",
                                           "ActionToMPEG", "ActionToMOV", "ActionToWMV",
                                           "ActionToRM",   "ActionToSWF", "ActionToOthers"};
constexpr const char* kOtherActions[] = {"ActionToVOB", "ActionToASF", "ActionToAAC",
                                         "ActionToAC3", "ActionToMP2", "ActionToMP3",
                                         "ActionToAMR", "ActionToWAV"};

class FormatSelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetMessages();
        ResetGlobalVars();
        SetStartupConstants(); // this build's MP4 menu: the iPod presets only
        GlobalVars.LanguageFile = "english.ini";
        ASSERT_TRUE(CreateProfileDirs());
        ipodA = preset("ipod_a.ini", "iPod A",
                       "[Item1]\nTitleE=A small\nEXT=mp4\n[item2]\nTitleE=hidden\nEXT=xxx\n"
                       "[Item3]\nTitleE=A TV\nEXT=m4v\n");
        ipodB = preset("ipod_b.ini", "iPod B", "[Item1]\nTitleE=B one\nEXT=mp4\n");
        psp = preset("psp.ini", "PSP Movie", "[Item1]\nTitleE=PSP small\nEXT=mp4\n");
        other = preset("car.ini", "Car Player", "[Item1]\nTitleE=Car\nEXT=m4v\n");
        phone = preset("phone.ini", "3GPP Phone", "[Item1]\nTitleE=Phone QCIF\nEXT=3gp\n");
    }
    void TearDown() override { ResetGlobalVars(); }

    std::string preset(const std::string& file, const std::string& title,
                       const std::string& items) {
        return home.Dir().Write("profile_en/default_setting/" + file,
                                "[Info]\nTitleE=" + title + "\nDescriptionE=d\n" + items);
    }
    void profile(const std::string& relative) { home.Dir().Write("profile_en/" + relative, ""); }

    // A new selection on a window of its own, with the lists loaded.
    FormatSelection& make() {
        parents.push_back(std::make_unique<QWidget>());
        auto* fs = new FormatSelection(parents.back().get(), DesignSkinLayout());
        fs->LoadProfileLists();
        return *fs;
    }
    static QAction* action(FormatSelection& fs, const char* name) {
        return fs.findChild<QAction*>(name);
    }
    static std::vector<std::string> comboItems(QComboBox* box) {
        std::vector<std::string> items;
        for (int i = 0; i < box->count(); ++i)
            items.push_back(box->itemText(i).toStdString());
        return items;
    }
    static std::vector<std::string> checkedPresets(const FormatSelection& fs) {
        std::vector<std::string> paths;
        for (int tag : {0, 1})
            for (QAction* item : fs.Presets().Items(tag))
                if (item->isChecked())
                    paths.push_back(PresetMenus::PathOf(item));
        return paths;
    }
    // Visible boxes by object name.
    std::set<std::string> visibleBoxes() const {
        std::set<std::string> names;
        for (QComboBox* box : parents.back()->findChildren<QComboBox*>())
            if (box->isVisibleTo(parents.back().get()))
                names.insert(box->objectName().toStdString());
        return names;
    }

    ProgramHome home;
    std::string ipodA, ipodB, psp, other, phone;
    std::vector<std::unique_ptr<QWidget>> parents;
};

TEST_F(FormatSelectionTest, SelectFormatShowsTheFormatInTheActionStates) {
    const struct {
        TOutputFormat format;
        const char* disabled;
        const char* checked; // none for the toolbar formats
        const char* box;
        bool profileCommands;
    } cases[] = {
        {ofAVI, "ActionToAVI", nullptr, "ComboBoxAviProfile", true},
        {ofMP4, "ActionToMP4", nullptr, "ComboBoxProfile", false},
        {of3GP, "ActionTo3GP", nullptr, "ComboBoxProfile", false},
        {ofMPEG, "ActionToMPEG", nullptr, "ComboBoxMPEGProfile", true},
        {ofMOV, "ActionToMOV", nullptr, "ComboBoxMovProfile", true},
        {ofWMV, "ActionToWMV", nullptr, "ComboBoxWmvProfile", true},
        {ofRM, "ActionToRM", nullptr, "ComboBoxRmProfile", true},
        {ofSWF, "ActionToSWF", nullptr, "ComboBoxSwfProfile", true},
        {ofVOB, "ActionToOthers", "ActionToVOB", "ComboBoxVobProfile", true},
        {ofASF, "ActionToOthers", "ActionToASF", "ComboBoxAsfProfile", true},
        {ofAAC, "ActionToOthers", "ActionToAAC", "ComboBoxAacProfile", true},
        {ofAC3, "ActionToOthers", "ActionToAC3", "ComboBoxAc3Profile", true},
        {ofMP2, "ActionToOthers", "ActionToMP2", "ComboBoxMp2Profile", true},
        {ofMP3, "ActionToOthers", "ActionToMP3", "ComboBoxMp3Profile", true},
        {ofAMR, "ActionToOthers", "ActionToAMR", "ComboBoxAmrProfile", true},
        {ofWAV, "ActionToOthers", "ActionToWAV", "ComboBoxWavProfile", true},
    };
    FormatSelection& fs = make();
    QAction edit, more;
    fs.SetProfileCommandActions({&edit, &more});
    // Forward and back again, so that every state is also left for every other one.
    std::vector<size_t> order;
    for (size_t i = 0; i < std::size(cases); ++i)
        order.push_back(i);
    for (size_t i = std::size(cases); i-- > 0;)
        order.push_back(i);
    for (size_t i : order) {
        const auto& c = cases[i];
        SCOPED_TRACE(kOutputFormats[c.format].name.data());
        fs.SelectFormat(fs.FormatAction(c.format));
        EXPECT_EQ(int(GlobalVars.OutputFormat), int(c.format));
        EXPECT_EQ(fs.FormatFromActionStates(), int(c.format));
        for (const char* name : kToolbarActions)
            EXPECT_EQ(action(fs, name)->isEnabled(), std::string(name) != c.disabled) << name;
        for (const char* name : kOtherActions)
            EXPECT_EQ(action(fs, name)->isChecked(), c.checked && std::string(name) == c.checked)
                << name;
        EXPECT_EQ(visibleBoxes(), std::set<std::string>{c.box});
        EXPECT_EQ(fs.CurrentProfileBox()->objectName().toStdString(), c.box);
        EXPECT_EQ(edit.isEnabled(), c.profileCommands);
        EXPECT_EQ(more.isEnabled(), c.profileCommands);
    }
}

TEST_F(FormatSelectionTest, ChoosingAnOtherFormatAndBack) {
    FormatSelection& fs = make();
    action(fs, "ActionToAAC")->trigger(); // from the other-formats menu
    EXPECT_TRUE(action(fs, "ActionToAAC")->isChecked());
    EXPECT_FALSE(action(fs, "ActionToOthers")->isEnabled());
    EXPECT_TRUE(fs.ProfileBox(ofAAC)->isVisibleTo(parents.back().get()));
    action(fs, "ActionToAVI")->trigger();
    EXPECT_FALSE(action(fs, "ActionToAAC")->isChecked());
    EXPECT_TRUE(action(fs, "ActionToOthers")->isEnabled());
    EXPECT_FALSE(action(fs, "ActionToAVI")->isEnabled());
    EXPECT_EQ(fs.CurrentFormat(), ofAVI);
}

TEST_F(FormatSelectionTest, EveryBoxStartsAtItsFirstProfileAndKeepsItsSelection) {
    profile("mpg/Small.mpo");
    profile("mpg/Large.mpo");
    profile("wmv/Web.wmo");
    FormatSelection& fs = make();
    QComboBox* mpeg = fs.ProfileBox(ofMPEG);
    ASSERT_EQ(mpeg->count(), 2);
    EXPECT_EQ(fs.CurrentProfileName(ofMPEG), ListProfileNames(ofMPEG).front());
    mpeg->setCurrentIndex(1);
    const std::string chosen = fs.CurrentProfileName(ofMPEG);
    fs.SelectFormat(fs.FormatAction(ofMPEG));
    fs.SelectFormat(fs.FormatAction(ofWMV));
    EXPECT_EQ(fs.CurrentProfilePath(), home.Path() + "profile_en/wmv/Web.wmo");
    fs.SelectFormat(fs.FormatAction(ofMPEG));
    EXPECT_EQ(fs.CurrentProfileName(ofMPEG), chosen);
    EXPECT_EQ(fs.CurrentProfilePath(), home.Path() + "profile_en/mpg/" + chosen + ".mpo");

    // Re-listing selects a name exactly, or nothing when no profile has that name.
    fs.FillProfileCombo(ofMPEG, "Small");
    EXPECT_EQ(fs.CurrentProfileName(ofMPEG), "Small");
    fs.FillProfileCombo(ofMPEG, "small");
    EXPECT_EQ(fs.ProfileBox(ofMPEG)->currentIndex(), -1);
    EXPECT_EQ(fs.CurrentProfilePath(), home.Path() + "profile_en/mpg/.mpo");
}

TEST_F(FormatSelectionTest, ExtensionAndProfilePathOfEveryProfileFormat) {
    const struct {
        TOutputFormat format;
        const char* ext;
        const char* file; // below profile_en/
    } cases[] = {
        {ofAVI, ".avi", "avi/Avi one.avo"}, {ofMPEG, ".mpg", "mpg/Mpeg one.mpo"},
        {ofMOV, ".mov", "mov/Mov one.moo"}, {ofWMV, ".wmv", "wmv/Wmv one.wmo"},
        {ofRM, ".rm", "rm/Rm one.rmo"},     {ofSWF, ".swf", "swf/Swf one.swo"},
        {ofVOB, ".vob", "vob/Vob one.voo"}, {ofASF, ".asf", "asf/Asf one.aso"},
        {ofAAC, ".aac", "aac/Aac one.aao"}, {ofAC3, ".ac3", "ac3/Ac3 one.aco"},
        {ofMP2, ".mp2", "mp2/Mp2 one.mpo"}, {ofMP3, ".mp3", "mp3/Mp3 one.mpo"},
        {ofAMR, ".amr", "amr/Amr one.amo"}, {ofWAV, ".wav", "wav/Wav one.wao"},
    };
    for (const auto& c : cases)
        profile(c.file);
    FormatSelection& fs = make();
    for (const auto& c : cases) {
        fs.SelectFormat(fs.FormatAction(c.format));
        EXPECT_EQ(fs.GetOutputExtension(), c.ext) << c.file;
        EXPECT_EQ(fs.CurrentProfilePath(), home.Path() + "profile_en/" + c.file);
    }
}

TEST_F(FormatSelectionTest, ProfileNamesThatAreNotUtf8KeepTheirBytes) {
    profile("avi/Caf\xe9.avo");
    FormatSelection& fs = make();
    fs.SelectFormat(fs.FormatAction(ofAVI));
    EXPECT_EQ(fs.CurrentProfilePath(), home.Path() + "profile_en/avi/Caf\xe9.avo");
}

TEST_F(FormatSelectionTest, PresetMenuItemClick) {
    FormatSelection& fs = make();
    const QList<QAction*> mp4Menu = fs.PopupMenuMP4()->actions();
    ASSERT_EQ(mp4Menu.size(), 2) << "the iPod presets";
    QAction* a = fs.Presets().ItemForPath(0, ipodA);
    QAction* b = fs.Presets().ItemForPath(0, ipodB);
    ASSERT_TRUE(a && b);

    a->trigger();
    EXPECT_EQ(comboItems(fs.ComboBoxProfile()), (std::vector<std::string>{"A small", "A TV"}));
    EXPECT_EQ(fs.ComboBoxProfile()->currentIndex(), 0);
    EXPECT_EQ(fs.CurrentFormat(), ofMP4);
    EXPECT_FALSE(action(fs, "ActionToMP4")->isEnabled());
    EXPECT_EQ(GlobalVars.Mp4PresetIndex, mp4Menu.indexOf(a));
    EXPECT_EQ(GlobalVars.PresetFileName, ipodA);
    EXPECT_EQ(checkedPresets(fs), std::vector<std::string>{ipodA});
    EXPECT_EQ(fs.GetOutputExtension(), ".mp4");
    fs.ComboBoxProfile()->setCurrentIndex(1);
    EXPECT_EQ(fs.GetOutputExtension(), ".m4v");
    ASSERT_TRUE(fs.SelectedPreset());
    EXPECT_EQ(fs.SelectedPreset()->SectionName, "Item3");
    EXPECT_EQ(fs.SelectedPreset()->PresetPath, ipodA);

    // The 3GP menu is a radio group of its own: the MP4 menu keeps its mark.
    fs.PopupMenu3GP()->actions().front()->trigger();
    EXPECT_EQ(fs.CurrentFormat(), of3GP);
    EXPECT_EQ(GlobalVars.TgpPresetIndex, 0);
    EXPECT_EQ(GlobalVars.PresetFileName, phone);
    EXPECT_EQ(fs.GetOutputExtension(), ".3gp");
    EXPECT_EQ(checkedPresets(fs), (std::vector<std::string>{ipodA, phone}));

    b->trigger();
    EXPECT_EQ(checkedPresets(fs), (std::vector<std::string>{ipodB, phone}));
    EXPECT_EQ(comboItems(fs.ComboBoxProfile()), std::vector<std::string>{"B one"});
}

TEST_F(FormatSelectionTest, StartUpRestore) {
    const std::string empty =
        home.Dir().Write("profile_en/default_setting/empty.ini", "[Info]\nTitleE=iPod empty\n");
    const std::string gone = home.Path() + "profile_en/default_setting/gone.ini";
    const struct {
        const char* name;
        TOutputFormat saved;
        std::string presetFile;
        int index;
        TOutputFormat current;
        std::vector<std::string> variants;
        std::vector<std::string> checked;
    } cases[] = {
        {"first start", ofAVI, "", 0, ofAVI, {}, {}},
        {"no preset chosen yet", ofMP4, "", 0, ofMP4, {}, {}},
        // The index is not stored between runs: the saved file decides which item is checked.
        {"second iPod preset", ofMP4, ipodB, 0, ofMP4, {"B one"}, {ipodB}},
        {"a preset only the Output Format menu offers", ofMP4, psp, 0, ofMP4, {"PSP small"}, {psp}},
        {"a 3GP preset", ofMP4, phone, 0, of3GP, {"Phone QCIF"}, {phone}},
        {"a preset without variants", ofMP4, empty, 0, ofMP4, {}, {empty}},
        {"preset file removed, stale index", ofMP4, gone, 7, ofMP4, {}, {}},
        {"negative index", ofMP4, gone, -3, ofMP4, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GlobalVars.OutputFormat = c.saved;
        GlobalVars.PresetFileName = c.presetFile;
        GlobalVars.Mp4PresetIndex = c.index;
        GlobalVars.TgpPresetIndex = c.index;
        FormatSelection& fs = make();
        fs.RestoreStartupFormat();
        EXPECT_EQ(fs.CurrentFormat(), c.current);
        EXPECT_EQ(fs.FormatFromActionStates(), c.current);
        EXPECT_EQ(comboItems(fs.ComboBoxProfile()), c.variants);
        EXPECT_EQ(checkedPresets(fs), c.checked);
        EXPECT_EQ(fs.SelectedPreset().has_value(), !c.variants.empty());
        if (c.variants.empty() && IsPresetFormat(c.current)) {
            EXPECT_EQ(fs.GetOutputExtension(), ".mp4");
        }
        if (!c.checked.empty()) {
            const int tag = c.current == ofMP4 ? 0 : 1;
            const int position = tag == 0 ? GlobalVars.Mp4PresetIndex : GlobalVars.TgpPresetIndex;
            EXPECT_EQ(position,
                      fs.Presets().PositionOf(fs.Presets().ItemForPath(tag, c.checked[0])));
        }
        EXPECT_EQ(GlobalVars.PresetFileName, c.presetFile) << "the saved choice stays";
    }
}

TEST_F(FormatSelectionTest, OutputFormatMenuReachesEveryFormatAndPreset) {
    FormatSelection& fs = make();
    fs.RestoreStartupFormat();
    std::set<int> reached;
    std::set<std::string> presetTitles;
    for (QAction* entry : fs.OutputFormatMenu()->actions()) {
        if (entry->isSeparator())
            continue;
        if (QMenu* sub = entry->menu()) {
            for (QAction* item : sub->actions()) {
                if (item->isSeparator())
                    continue;
                presetTitles.insert(item->text().toStdString());
                item->trigger();
                reached.insert(fs.CurrentFormat());
                EXPECT_TRUE(entry->isChecked()) << "the submenu shows the current format";
                EXPECT_EQ(GlobalVars.PresetFileName, PresetMenus::PathOf(item));
                EXPECT_TRUE(fs.SelectedPreset().has_value());
            }
            continue;
        }
        entry->trigger();
        reached.insert(fs.CurrentFormat());
        EXPECT_EQ(entry->text().toStdString(),
                  "To " + std::string(kOutputFormats[fs.CurrentFormat()].name));
        // A second choice of the current format keeps its mark.
        entry->trigger();
        EXPECT_TRUE(entry->isChecked()) << entry->text().toStdString();
        EXPECT_EQ(fs.FormatFromActionStates(), fs.CurrentFormat());
    }
    EXPECT_EQ(reached.size(), 16u);
    EXPECT_EQ(presetTitles,
              (std::set<std::string>{"iPod A", "iPod B", "PSP Movie", "Car Player", "3GPP Phone"}));
    // The MP4 menu of this build keeps to the iPod presets.
    for (QAction* item : fs.PopupMenuMP4()->actions())
        EXPECT_NE(item->text().left(4), "PSP ");
}

TEST_F(FormatSelectionTest, EmptyPresetFolderLeavesUsableMenus) {
    std::filesystem::remove_all(home.Path() + "profile_en/default_setting");
    FormatSelection& fs = make();
    fs.RestoreStartupFormat();
    EXPECT_TRUE(fs.PopupMenuMP4()->isEmpty());
    for (QMenu* sub : {fs.Presets().Mp4Submenu(), fs.Presets().TgpSubmenu()}) {
        ASSERT_EQ(sub->actions().size(), 1);
        EXPECT_FALSE(sub->actions().front()->isEnabled());
        EXPECT_EQ(sub->actions().front()->text().toStdString(), Msg(MSG_NO_PRESETS));
    }
}

TEST_F(FormatSelectionTest, HiddenButtonAreaReopensTheFormatsMenu) {
    FormatSelection& fs = make();
    const struct {
        TOutputFormat format;
        QMenu* menu;
    } cases[] = {
        {ofMP4, fs.PopupMenuMP4()},
        {of3GP, fs.PopupMenu3GP()},
        {ofWAV, fs.PopupMenuOtherFormats()},
        {ofAVI, nullptr},
    };
    const std::vector<QMenu*> menus = {fs.PopupMenuMP4(), fs.PopupMenu3GP(),
                                       fs.PopupMenuOtherFormats()};
    for (const auto& c : cases) {
        fs.FormatAreaClicked(c.format);
        for (QMenu* menu : menus) {
            EXPECT_EQ(menu->isVisible(), menu == c.menu) << kOutputFormats[c.format].name;
            menu->hide();
        }
    }
    // The current format's own action is disabled, and the area still opens its menu.
    fs.PopupMenuMP4()->actions().front()->trigger();
    fs.FormatAreaClicked(ofMP4);
    EXPECT_TRUE(fs.PopupMenuMP4()->isVisible());
    fs.PopupMenuMP4()->hide();
}

} // namespace
} // namespace quillabe
