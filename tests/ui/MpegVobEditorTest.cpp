// The MPEG and VOB editors: every shipped profile survives opening and saving unchanged, every
// field is bound, the MPEG preset rule (tabs and groups), the audio page the two MPEG audio lists
// select, the DVD page's tables, the size boxes of each format, and damaged profiles.

#include "profiles/MpegVobSettings.h"
#include "support/TempDir.h"
#include "ui/editors/decls/MpegVobEditors.h"
#include "ui/editors/frame/ProfileEditorFactory.h"
#include "ui/editors/groups/VideoSizeGroup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>

using namespace quillabe;

namespace {

namespace fs = std::filesystem;

template <class E> struct Window {
    E editor{nullptr};
    template <class W> W* find(const std::string& name) {
        auto* w = editor.template findChild<W*>(QString::fromStdString(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString text(const std::string& label) { return find<QLabel>(label)->text(); }
    // The titles of the visible tabs, joined by commas.
    std::string tabs() {
        std::string out;
        auto* pages = editor.Pages();
        for (int i = 0; i < pages->count(); ++i)
            if (pages->isTabVisible(i))
                out += (out.empty() ? "" : ",") + pages->tabText(i).toStdString();
        return out;
    }
    // The heading of the audio codec page in front.
    std::string audioPage() {
        auto* heading = editor.AudioCodecPages()->currentWidget()->template findChild<QLabel*>(
            "LabelFormatProperties");
        return heading ? heading->text().toStdString() : "blank";
    }
};

class MpegEditor : public ::testing::Test, public Window<TfrmMPEGProfile> {
public:
    void SetUp() override { DefaultMpegSettings(); }
    void open() { editor.SettingsToControls(); }
    TMPEGSettings saved() {
        editor.ControlsToSettings();
        return MpegSettings;
    }
};

class VobEditor : public ::testing::Test, public Window<TfrmVobProfile> {
public:
    void SetUp() override { DefaultVobSettings(); }
    void open() { editor.SettingsToControls(); }
    TVobSettings saved() {
        editor.ControlsToSettings();
        return VobSettings;
    }
};

// Opens every profile of the folder in a fresh editor, saves it into a defaulted record and
// compares; returns the number of profiles.
template <class E, class R>
int roundTripFolder(const char* folder, const char* ext, R& record, void (*defaults)(),
                    void (*load)(const std::string&)) {
    int profiles = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(QUILLABE_SOURCE) / folder)) {
        if (entry.path().extension() != ext)
            continue;
        ++profiles;
        defaults();
        load(entry.path().string());
        const R expected = record;
        E editor(nullptr);
        editor.SettingsToControls();
        defaults();
        editor.ControlsToSettings();
        EXPECT_TRUE(record == expected) << entry.path();
    }
    return profiles;
}

TEST(MpegVobEditors, ShippedProfilesRoundTripUnchanged) {
    struct Format {
        const char* folder;
        std::function<int()> roundTrip;
        int atLeast;
    };
    const Format formats[] = {
        {"data/profile_en/mpg",
         [] {
             return roundTripFolder<TfrmMPEGProfile>("data/profile_en/mpg", ".mpo", MpegSettings,
                                                     DefaultMpegSettings, LoadMpegSettings);
         },
         6},
        {"data/profile_en/vob",
         [] {
             return roundTripFolder<TfrmVobProfile>("data/profile_en/vob", ".voo", VobSettings,
                                                    DefaultVobSettings, LoadVobSettings);
         },
         1},
    };
    for (const auto& f : formats)
        EXPECT_GE(f.roundTrip(), f.atLeast) << f.folder;
}

TEST(MpegVobEditors, BindEveryFieldAndOpenFromTheFactory) {
    TfrmMPEGProfile mpeg(nullptr);
    TfrmVobProfile vob(nullptr);
    const auto keys = [](const BindingTable& t) {
        std::multiset<std::string> out;
        for (const auto& b : t)
            out.insert(b.key);
        return out;
    };
    const auto layout = [](const auto& l) {
        const auto k = l.RecordKeys();
        return std::multiset<std::string>(k.begin(), k.end());
    };
    EXPECT_EQ(keys(mpeg.Bindings()), layout(MpegSettingsLayout()));
    EXPECT_EQ(keys(vob.Bindings()), layout(VobSettingsLayout()));
    EXPECT_EQ(mpeg.windowTitle(), "MPEG Profile Editor");
    EXPECT_EQ(vob.windowTitle(), "VOB Profile Editor");
    EXPECT_NE(dynamic_cast<TfrmMPEGProfile*>(CreateProfileEditor(3, nullptr).get()), nullptr);
    EXPECT_NE(dynamic_cast<TfrmVobProfile*>(CreateProfileEditor(8, nullptr).get()), nullptr);
}

// --- MPEG -----------------------------------------------------------------------------------

TEST_F(MpegEditor, PresetChoicesDecideTheTabs) {
    struct Case {
        bool preset;
        int type;
        bool audioOff;
        const char* tabs;
    };
    for (const Case c :
         {Case{true, 0, false, "General"}, Case{true, 1, true, "General"},
          Case{true, 2, false, "General,DVD"}, Case{false, 2, false, "General,Video,Audio"},
          Case{false, 0, true, "General,Video"}}) {
        MpegSettings.UsePresetFormats = c.preset;
        MpegSettings.PresetType = static_cast<uint8_t>(c.type);
        MpegSettings.AudioDisableAudio = c.audioOff;
        open();
        EXPECT_EQ(tabs(), c.tabs) << c.preset << c.type << c.audioOff;
        EXPECT_EQ(find<QGroupBox>("RadioGroupPresetType")->isEnabledTo(&editor), c.preset);
        EXPECT_EQ(find<QGroupBox>("GroupBoxVideoCode")->isVisibleTo(&editor), !c.preset);
        EXPECT_EQ(find<QGroupBox>("GroupBoxDisableAudio")->isVisibleTo(&editor), !c.preset);
    }
    // Clicks follow the same rule.
    editor.UsePresetBox()->setChecked(false);
    editor.DisableAudioBox()->setChecked(false);
    EXPECT_EQ(tabs(), "General,Video,Audio");
    editor.UsePresetBox()->setChecked(true);
    editor.PresetTypes()->button(2)->click();
    EXPECT_EQ(tabs(), "General,DVD");
    editor.PresetTypes()->button(0)->click();
    EXPECT_EQ(tabs(), "General");
}

TEST_F(MpegEditor, StoredDisableAudioDisablesTheHiddenAudioLists) {
    MpegSettings.UsePresetFormats = true;
    MpegSettings.AudioDisableAudio = true;
    open();
    EXPECT_FALSE(editor.DisableAudioBox()->isVisibleTo(&editor));
    EXPECT_FALSE(editor.Mpeg1AudioList()->isEnabledTo(&editor));
    EXPECT_FALSE(editor.Mpeg2AudioList()->isEnabledTo(&editor));
    editor.UsePresetBox()->setChecked(false);
    EXPECT_FALSE(editor.Mpeg2AudioList()->isEnabledTo(&editor));
    editor.DisableAudioBox()->setChecked(false);
    EXPECT_TRUE(editor.Mpeg2AudioList()->isEnabledTo(&editor));
    const auto s = saved();
    EXPECT_FALSE(s.UsePresetFormats);
    EXPECT_FALSE(s.AudioDisableAudio);
}

TEST_F(MpegEditor, AudioListsOfTheVideoCodecSelectTheAudioPage) {
    struct Case {
        int video, mpeg1, mpeg2;
        const char* page;
        const char* group; // in front
    };
    for (const Case c : {Case{0, 0, 0, "Mp2 format properties", "GroupBoxAudioCodecMpeg1"},
                         Case{0, 1, 0, "Mp3 format properties", "GroupBoxAudioCodecMpeg1"},
                         Case{1, 1, 0, "AC3 format properties", "GroupBoxAudioCodecMpeg2"},
                         Case{1, 0, 1, "Mp2 format properties", "GroupBoxAudioCodecMpeg2"},
                         Case{1, 0, 2, "Mp3 format properties", "GroupBoxAudioCodecMpeg2"}}) {
        MpegSettings.VideoCodec = static_cast<uint8_t>(c.video);
        MpegSettings.AudioCodecMpeg1 = static_cast<uint8_t>(c.mpeg1);
        MpegSettings.AudioCodecMpeg2 = static_cast<uint8_t>(c.mpeg2);
        open();
        EXPECT_EQ(audioPage(), c.page) << c.video << c.mpeg1 << c.mpeg2;
        EXPECT_EQ(editor.AudioCodecGroups()->currentWidget()->objectName(), c.group);
        EXPECT_EQ(editor.VideoCodecPages()->currentIndex(), c.video);
    }
    // Mpeg-1 with "Mp3", then switching to Mpeg-2 shows the MPEG-2 list's entry.
    editor.VideoCodecList()->setCurrentIndex(0);
    editor.Mpeg1AudioList()->setCurrentIndex(1);
    editor.Mpeg2AudioList()->setCurrentIndex(0);
    EXPECT_EQ(audioPage(), "Mp3 format properties");
    editor.VideoCodecList()->setCurrentIndex(1);
    EXPECT_EQ(audioPage(), "AC3 format properties");
    EXPECT_EQ(editor.AudioCodecGroups()->currentWidget()->objectName(), "GroupBoxAudioCodecMpeg2");
    editor.Mpeg2AudioList()->setCurrentIndex(2);
    EXPECT_EQ(audioPage(), "Mp3 format properties");
}

TEST_F(MpegEditor, AudioSliderRangesFollowTheSampleRate) {
    struct Case {
        const char* page;
        int rate; // index: 22050, 24000, 44100, 48000
        int min, max;
    };
    open();
    find<QComboBox>("ComboBoxAudioChannelsAC3")->setCurrentIndex(1);
    for (const Case c : {Case{"AC3", 0, 1, 12}, Case{"AC3", 3, 2, 14}, Case{"Mp2", 1, 1, 8},
                         Case{"Mp2", 2, 1, 13}, Case{"Mp3", 0, 1, 8}, Case{"Mp3", 3, 1, 12}}) {
        find<QComboBox>(std::string("ComboBoxSampleRate") + c.page)->setCurrentIndex(c.rate);
        auto* slider = find<QSlider>(std::string("TrackBarAudioBitrate") + c.page);
        EXPECT_EQ(slider->minimum(), c.min) << c.page << c.rate;
        EXPECT_EQ(slider->maximum(), c.max) << c.page << c.rate;
    }
}

TEST_F(MpegEditor, SizeListNamesDiscSizesAndOddSizesStay) {
    MpegSettings.VideoSizeUseSourceMpeg1 = false;
    open();
    auto* list = find<QComboBox>("ComboBoxVideoSizeMpeg1");
    ASSERT_EQ(list->count(), 17);
    EXPECT_EQ(list->itemText(12), "480 x 480 (SVCD NTSC)");
    EXPECT_EQ(list->itemText(16), "...");
    list->setCurrentIndex(3);
    emit list->activated(3);
    EXPECT_EQ(saved().VideoWidthMpeg1, 160);
    EXPECT_EQ(MpegSettings.VideoHeightMpeg1, 320);
    auto* width = find<SizeSpinBox>("EditVideoWidthMpeg1");
    for (const auto& [typed, value] :
         {std::pair{"721", 721}, std::pair{"1601", 1600}, std::pair{"a", 2}, std::pair{"0", 2}}) {
        width->setFocus();
        width->selectAll();
        QTest::keyClicks(width, typed);
        emit width->editingFinished();
        EXPECT_EQ(width->value(), value) << typed;
    }
}

TEST_F(MpegEditor, DvdPageTables) {
    struct Case {
        int32_t videoStored;
        int videoPosition;
        int32_t videoSaved;
        int32_t audioStored;
        int audioPosition;
        int32_t audioSaved;
    };
    // Not in the tables: the default positions (1080, 160). Above the sliders' reach (9600, 384
    // of shipped DVD profiles): the end position, the number kept.
    for (const Case c : {Case{1080, 6, 1080, 128, 5, 128}, Case{64, 1, 64, 64, 1, 64},
                         Case{9600, 11, 9600, 384, 10, 384}, Case{4600, 11, 4600, 320, 10, 320},
                         Case{0, 6, 1080, 0, 6, 160}, Case{20000, 6, 1080, 1000, 6, 160}}) {
        MpegSettings.DVDVideoBitRatePreset = c.videoStored;
        MpegSettings.DVDAudioBitRatePreset = c.audioStored;
        open();
        EXPECT_EQ(find<QSlider>("TrackBarDVDVideoBitrate")->value(), c.videoPosition)
            << c.videoStored;
        EXPECT_EQ(find<QSlider>("TrackBarDVDAudioBitrate")->value(), c.audioPosition)
            << c.audioStored;
        EXPECT_EQ(text("LabelDVDBitrate").toInt(), c.videoSaved);
        const auto s = saved();
        EXPECT_EQ(s.DVDVideoBitRatePreset, c.videoSaved);
        EXPECT_EQ(s.DVDAudioBitRatePreset, c.audioSaved);
    }
    auto* video = find<QSlider>("TrackBarDVDVideoBitrate");
    EXPECT_EQ(video->minimum(), 1);
    EXPECT_EQ(video->maximum(), 11);
    video->setValue(10);
    video->setValue(11);
    EXPECT_EQ(saved().DVDVideoBitRatePreset, 4600); // moved: the slider's own entry
    // The aspect list follows "Change aspect"; the specify row follows its button.
    auto* aspects = find<QComboBox>("ComboBoxDVDVideoAspect");
    find<QRadioButton>("RadioButtonDVDAutoSetAspect")->setChecked(true);
    EXPECT_FALSE(aspects->isEnabled());
    find<QRadioButton>("RadioButtonDVDChangeAspect")->setChecked(true);
    EXPECT_TRUE(aspects->isEnabled());
    aspects->setCurrentIndex(2);
    find<QRadioButton>("RadioButtonDVDVideoSpecify")->setChecked(true);
    EXPECT_FALSE(video->isEnabledTo(&editor));
    const auto s = saved();
    EXPECT_FALSE(s.DVDVideoKeepAspect);
    EXPECT_EQ(s.DVDVideoAspect, 2);
    EXPECT_FALSE(s.DVDVideoBitRateUsePresert);
}

// --- VOB ------------------------------------------------------------------------------------

TEST_F(VobEditor, ListsAndSizes) {
    VobSettings.VideoFrameRateMpeg2 = 0;
    VobSettings.VideoSizeUseSourceMpeg2 = false;
    VobSettings.AudioCodec = 1;
    VobSettings.AudioChannelsAC3 = 2;
    open();
    auto* rates = find<QComboBox>("ComboBoxVideoFrameRateMpeg2");
    EXPECT_EQ(rates->count(), 9);
    EXPECT_EQ(rates->currentText(), "19.98");
    EXPECT_EQ(rates->itemText(8), "60");
    EXPECT_EQ(find<QComboBox>("ComboBoxVideoSizeMpeg2")->count(), 14);
    EXPECT_EQ(audioPage(), "AC3 format properties");
    auto* ac3 = find<QSlider>("TrackBarAudioBitrateAC3");
    EXPECT_EQ(ac3->minimum(), 6);
    EXPECT_EQ(ac3->maximum(), 14);
    auto* width = find<SizeSpinBox>("EditVideoWidthMpeg2");
    width->setFocus();
    width->selectAll();
    QTest::keyClicks(width, "721");
    emit width->editingFinished();
    EXPECT_EQ(saved().VideoWidthMpeg2, 722);
}

// --- Damaged profiles ------------------------------------------------------------------------

struct MpegDamage {
    const char* lines; // keys of section General over the defaults
    std::function<void(MpegEditor&, const TMPEGSettings& saved)> check;
};

class DamagedMpegProfile : public MpegEditor, public ::testing::WithParamInterface<MpegDamage> {};

TEST_P(DamagedMpegProfile, OpensWithSensibleValues) {
    test::TempDir dir;
    LoadMpegSettings(dir.Write("damaged.mpo", std::string("[General]\n") + GetParam().lines));
    open();
    GetParam().check(*this, saved());
}

INSTANTIATE_TEST_SUITE_P(
    Loading, DamagedMpegProfile,
    ::testing::Values(
        MpegDamage{"UsePresetFormats=1\nPresetType=9\nTargetFormat=200\n",
                   [](MpegEditor& w, const TMPEGSettings& s) {
                       EXPECT_EQ(w.editor.PresetTypes()->checkedId(), -1);
                       EXPECT_EQ(w.editor.TargetFormats()->checkedId(), -1);
                       EXPECT_EQ(w.tabs(), "General");
                       EXPECT_EQ(s.PresetType, 9);
                       EXPECT_EQ(s.TargetFormat, 200);
                   }},
        MpegDamage{"VideoCodec=7\nAudioCodecMpeg1=5\nAudioCodecMpeg2=250\n",
                   [](MpegEditor& w, const TMPEGSettings& s) {
                       EXPECT_EQ(w.audioPage(), "blank");
                       EXPECT_EQ(w.editor.Mpeg1AudioList()->currentIndex(), -1);
                       EXPECT_EQ(s.VideoCodec, 7);
                       EXPECT_EQ(s.AudioCodecMpeg1, 5);
                       EXPECT_EQ(s.AudioCodecMpeg2, 250);
                   }},
        MpegDamage{"VideoCodec=0\nAudioCodecMpeg1=5\n",
                   [](MpegEditor& w, const TMPEGSettings&) { EXPECT_EQ(w.audioPage(), "blank"); }},
        MpegDamage{"DVDVideoBitRatePreset=-5\nDVDAudioBitRatePreset=-3\nDVDVideoAspect=9\n",
                   [](MpegEditor& w, const TMPEGSettings& s) {
                       EXPECT_EQ(w.text("LabelDVDBitrate"), "1080");
                       EXPECT_EQ(s.DVDVideoBitRatePreset, 1080);
                       EXPECT_EQ(s.DVDAudioBitRatePreset, 160);
                       EXPECT_EQ(s.DVDVideoAspect, 9);
                   }},
        MpegDamage{"VideoSizeUseSourceMpeg2=0\nVideoWidthMpeg2=-40\nVideoHeightMpeg2=99999\n"
                   "VideoWidthMpeg1=721\nStartTime=soon\nDuration=-1\n",
                   [](MpegEditor& w, const TMPEGSettings& s) {
                       EXPECT_EQ(w.find<QComboBox>("ComboBoxVideoSizeMpeg2")->currentText(), "...");
                       EXPECT_EQ(s.VideoWidthMpeg2, 2);
                       EXPECT_EQ(s.VideoHeightMpeg2, 1600);
                       EXPECT_EQ(s.VideoWidthMpeg1, 721);
                       EXPECT_EQ(s.StartTime, "soon");
                   }}));

// --- Pictures --------------------------------------------------------------------------------

// Not a check: grabs every page to /tmp/quillabe-mpeg-*.png and /tmp/quillabe-vob-*.png for a
// look (run it with --gtest_also_run_disabled_tests, and once more with QT_SCALE_FACTOR=2).
TEST(MpegVobEditors, DISABLED_GrabEveryPage) {
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1");
    const auto grab = [&](QWidget& w, const QString& name) {
        w.grab().save(QDir::tempPath() + "/quillabe-" + name.arg(scale) + ".png");
    };
    DefaultMpegSettings();
    MpegSettings.EnableTimeControl = true;
    MpegSettings.VideoSizeUseSourceMpeg1 = false;
    MpegSettings.VideoCodec = 1;
    TfrmMPEGProfile mpeg(nullptr);
    mpeg.SettingsToControls();
    mpeg.show();
    grab(mpeg, "mpeg-%1x-general");
    for (int i = 0; i < 2; ++i) {
        mpeg.VideoCodecList()->setCurrentIndex(i);
        mpeg.Pages()->setCurrentIndex(1);
        grab(mpeg, "mpeg-%1x-video-" + QString::number(i));
    }
    for (int i = 0; i < 3; ++i) {
        mpeg.Mpeg2AudioList()->setCurrentIndex(i);
        mpeg.Pages()->setCurrentIndex(2);
        grab(mpeg, "mpeg-%1x-audio-" + QString::number(i));
    }
    mpeg.UsePresetBox()->setChecked(true);
    mpeg.PresetTypes()->button(2)->click();
    mpeg.Pages()->setCurrentIndex(0);
    grab(mpeg, "mpeg-%1x-preset");
    mpeg.Pages()->setCurrentIndex(3);
    grab(mpeg, "mpeg-%1x-dvd");

    DefaultVobSettings();
    VobSettings.VideoSizeUseSourceMpeg2 = false;
    TfrmVobProfile vob(nullptr);
    vob.SettingsToControls();
    vob.show();
    grab(vob, "vob-%1x-general");
    vob.Pages()->setCurrentIndex(1);
    grab(vob, "vob-%1x-video");
    for (int i = 0; i < 2; ++i) {
        vob.AudioCodecList()->setCurrentIndex(i);
        vob.Pages()->setCurrentIndex(2);
        grab(vob, "vob-%1x-audio-" + QString::number(i));
    }
}

} // namespace
