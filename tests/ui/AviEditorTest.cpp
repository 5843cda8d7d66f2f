// The AVI editor: every shipped profile survives opening and saving unchanged, every field but
// the unselectable blocks is bound, its lists and ranges, and damaged profiles open sensibly.

#include "ui/editors/decls/AviEditor.h"
#include "profiles/AviSettings.h"
#include "support/TempDir.h"
#include "ui/editors/frame/ProfileEditorFactory.h"
#include "ui/editors/groups/VideoSizeGroup.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>

using namespace quillabe;

namespace {

namespace fs = std::filesystem;

bool unselectable(const std::string& key) {
    for (const std::string suffix : {"DV", "Mpeg1", "Mpeg2"})
        if (key.size() > suffix.size() && key.ends_with(suffix))
            return true;
    return false;
}

// Public, so that the damaged-profile table's checks can look at the window.
class AviEditor : public ::testing::Test {
public:
    void SetUp() override { DefaultAviSettings(); }
    template <class W> W* find(const std::string& name) {
        auto* w = editor.findChild<W*>(QString::fromStdString(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString text(const std::string& label) { return find<QLabel>(label)->text(); }
    void open() { editor.SettingsToControls(); }
    TAVISettings saved() {
        editor.ControlsToSettings();
        return AviSettings;
    }

    TfrmAVIProfile editor{nullptr};
};

TEST_F(AviEditor, BindsEveryFieldButTheUnselectableBlocks) {
    std::multiset<std::string> bound;
    for (const auto& b : editor.Bindings())
        bound.insert(b.key);
    std::multiset<std::string> expected;
    for (const auto& key : AviSettingsLayout().RecordKeys())
        if (!unselectable(key))
            expected.insert(key);
    EXPECT_EQ(bound, expected);
}

TEST_F(AviEditor, ShippedProfilesRoundTripUnchanged) {
    const fs::path folder = fs::path(QUILLABE_SOURCE) / "data/profile_en/avi";
    int profiles = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".avo")
            continue;
        ++profiles;
        DefaultAviSettings();
        const TAVISettings defaults = AviSettings;
        LoadAviSettings(entry.path().string());
        TAVISettings expected = AviSettings;
        open();
        // Only the controls may bring the values back; the unbound blocks stay as the record
        // holds them.
        AviSettings = defaults;
        for (const auto& f : AviSettingsLayout().fields)
            if (unselectable(f.key))
                std::visit([&](auto m) { expected.*m = defaults.*m; }, f.member);
        EXPECT_EQ(saved(), expected) << entry.path();
    }
    EXPECT_GE(profiles, 1);
}

TEST_F(AviEditor, WindowFrame) {
    EXPECT_EQ(editor.windowTitle(), "AVI Profile Editor");
    EXPECT_EQ(editor.Pages()->currentIndex(), 0);
    EXPECT_EQ(editor.Pages()->count(), 3);
    EXPECT_TRUE(editor.SaveButton()->isDefault());
    auto made = CreateProfileEditor(0, nullptr);
    EXPECT_NE(dynamic_cast<TfrmAVIProfile*>(made.get()), nullptr);
}

TEST_F(AviEditor, EachCodecEntrySelectsItsHeadedPage) {
    for (auto [list, stack] : {std::pair{editor.VideoCodecList(), editor.VideoCodecPages()},
                               std::pair{editor.AudioCodecList(), editor.AudioCodecPages()}}) {
        for (int i = 0; i < list->count(); ++i) {
            list->setCurrentIndex(i);
            EXPECT_EQ(stack->currentIndex(), i);
            EXPECT_EQ(stack->currentWidget()->findChild<QLabel*>("LabelFormatProperties")->text(),
                      list->itemText(i) + " format properties");
        }
    }
    EXPECT_EQ(editor.VideoCodecList()->count(), 11);
    EXPECT_EQ(editor.VideoCodecList()->itemText(5), "H263P");
    EXPECT_EQ(editor.AudioCodecList()->count(), 5);
}

TEST_F(AviEditor, ConfigureOnEveryVideoPageAsksFor64To9600) {
    const AskValueFn original = VideoBitrateAsker();
    std::vector<std::pair<int, int>> bounds;
    VideoBitrateAsker() = [&](QWidget*, const std::string&, const std::string&, int current,
                              int max, int min) {
        bounds.emplace_back(min, max);
        return current;
    };
    for (const auto* s : {"DivX", "XviD", "Msmpeg4", "MsMpeg4v2", "H263", "H263P", "H264",
                          "huffYUV", "Mjpeg", "Svq1", "Flv"}) {
        find<QRadioButton>(std::string("RadioButtonVideoSpecify") + s)->setChecked(true);
        find<QPushButton>(std::string("ButtonVideoBitrateConfigure") + s)->click();
    }
    VideoBitrateAsker() = original;
    EXPECT_EQ(bounds, std::vector(11, std::pair{64, 9600}));
}

TEST_F(AviEditor, H263OffersThreeFixedSizes) {
    AviSettings.VideoWidthH263 = 320;
    AviSettings.VideoHeightH263 = 240;
    AviSettings.VideoAspectH263 = 3;
    open();
    EXPECT_TRUE(find<QRadioButton>("RadioButtonVideoSize352_288H263")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("RadioButtonAspect119H263")->isChecked());
    EXPECT_EQ(editor.findChild<SizeSpinBox*>("EditVideoWidthH263"), nullptr);
    find<QRadioButton>("RadioButtonVideoSize176_144H263")->setChecked(true);
    const auto r = saved();
    EXPECT_EQ(r.VideoWidthH263, 176);
    EXPECT_EQ(r.VideoHeightH263, 144);
    EXPECT_EQ(r.VideoAspectH263, 3);
}

TEST_F(AviEditor, Ac3SixChannelsNeedAtLeast112) {
    AviSettings.AudioChannelsAC3 = 2;
    AviSettings.AudioSampleRateAC3 = 0;
    AviSettings.AudioBitRatePresetAC3 = 32;
    open();
    auto* slider = find<QSlider>("TrackBarAudioBitrateAC3");
    EXPECT_EQ(slider->minimum(), 6);
    EXPECT_EQ(text("LabelAudioBitrateAC3"), "112");
    slider->setValue(14);
    find<QComboBox>("ComboBoxAudioChannelsAC3")->setCurrentIndex(1);
    EXPECT_EQ(slider->maximum(), 12);
    EXPECT_EQ(text("LabelAudioBitrateAC3"), "320");
    EXPECT_EQ(saved().AudioBitRatePresetAC3, 320);
}

TEST_F(AviEditor, Mp3At24000StoresAtMost160) {
    AviSettings.AudioSampleRateMp3 = 1;
    AviSettings.AudioBitRatePresetMp3 = 192;
    open();
    EXPECT_EQ(text("LabelAudioBitrateMp3"), "160");
    EXPECT_EQ(saved().AudioBitRatePresetMp3, 160);
}

TEST_F(AviEditor, PcmPagesListEightRates) {
    AviSettings.AudioSampleRatePcm16le = 6;
    AviSettings.AudioSampleRatePcmu8 = 7;
    open();
    EXPECT_EQ(find<QComboBox>("ComboBoxSampleRatePcm16le")->currentText(), "44100");
    EXPECT_EQ(find<QComboBox>("ComboBoxSampleRatePcmu8")->currentText(), "48000");
    EXPECT_EQ(editor.findChild<QSlider*>("TrackBarAudioBitratePcm16le"), nullptr);
}

// --- Damaged profiles ------------------------------------------------------------------------

struct DamageCase {
    const char* lines; // keys of section General over the defaults
    std::function<void(AviEditor&, const TAVISettings& saved)> check;
};

class DamagedProfile : public AviEditor, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedProfile, OpensWithSensibleValues) {
    test::TempDir dir;
    LoadAviSettings(dir.Write("damaged.avo", std::string("[General]\n") + GetParam().lines));
    open();
    GetParam().check(*this, saved());
}

INSTANTIATE_TEST_SUITE_P(
    Loading, DamagedProfile,
    ::testing::Values(
        DamageCase{"VideoCodec=200\nAudioCodec=9\n",
                   [](AviEditor& w, const TAVISettings& s) {
                       auto* video = w.editor.VideoCodecPages();
                       EXPECT_EQ(video->currentIndex(), video->count() - 1); // the blank page
                       EXPECT_EQ(w.editor.VideoCodecList()->currentIndex(), -1);
                       EXPECT_EQ(s.VideoCodec, 200);
                       EXPECT_EQ(s.AudioCodec, 9);
                   }},
        DamageCase{"VideoBitRatePresetDivX=800\n",
                   [](AviEditor& w, const TAVISettings& s) {
                       EXPECT_EQ(w.text("LabelBitrateDivX"), "800");
                       EXPECT_EQ(w.find<QSlider>("TrackBarVideoBitrateDivX")->value(), 2);
                       EXPECT_EQ(s.VideoBitRatePresetDivX, 800);
                   }},
        DamageCase{"VideoBitRatePresetDivX=123456\nVideoBitRatePresetXviD=-7\n",
                   [](AviEditor& w, const TAVISettings& s) {
                       EXPECT_EQ(w.text("LabelBitrateDivX"), "128");
                       EXPECT_EQ(s.VideoBitRatePresetDivX, 128);
                       EXPECT_EQ(s.VideoBitRatePresetXviD, 128);
                   }},
        DamageCase{"VideoSizeUseSourceDivX=0\nVideoWidthDivX=-40\nVideoHeightDivX=99999\n",
                   [](AviEditor& w, const TAVISettings& s) {
                       EXPECT_EQ(w.find<QComboBox>("ComboBoxVideoSizeDivX")->currentText(), "...");
                       EXPECT_EQ(s.VideoWidthDivX, 2);
                       EXPECT_EQ(s.VideoHeightDivX, 1600);
                   }},
        DamageCase{
            "VideoFrameRateDivX=44\nVideoAspectDivX=9\n",
            [](AviEditor& w, const TAVISettings& s) {
                EXPECT_EQ(w.find<QComboBox>("ComboBoxVideoFrameRateDivX")->currentIndex(), -1);
                EXPECT_TRUE(w.find<QRadioButton>("RadioButtonAutoSetAspectDivX")->isChecked());
                EXPECT_EQ(s.VideoFrameRateDivX, 44);
                EXPECT_EQ(s.VideoAspectDivX, 0);
            }},
        DamageCase{"StartTime=soon\nDuration=1:30\n",
                   [](AviEditor& w, const TAVISettings& s) {
                       EXPECT_EQ(w.editor.TimeControl()->Text(TimeBox::End), "0:01:30.000");
                       EXPECT_EQ(s.StartTime, "soon");
                       EXPECT_EQ(s.Duration, "1:30");
                   }},
        DamageCase{"StartTime=9999999:00:00.000\nDuration=-1\n",
                   [](AviEditor& w, const TAVISettings&) {
                       EXPECT_EQ(w.editor.TimeControl()->Text(TimeBox::End), "9999999:00:00.000");
                   }},
        DamageCase{"AudioSampleRateMp3=9\nAudioBitRatePresetMp3=320\nAudioChannelsMp3=5\n",
                   [](AviEditor& w, const TAVISettings& s) {
                       EXPECT_EQ(w.find<QSlider>("TrackBarAudioBitrateMp3")->maximum(), 12);
                       EXPECT_EQ(w.text("LabelAudioBitrateMp3"), "320");
                       EXPECT_EQ(s.AudioSampleRateMp3, 9);
                       EXPECT_EQ(s.AudioChannelsMp3, 5);
                       EXPECT_EQ(s.AudioBitRatePresetMp3, 320);
                   }},
        DamageCase{"AudioBitRatePresetAC3=100000\nAudioBitRatePresetMp2=150\n",
                   [](AviEditor& w, const TAVISettings& s) {
                       EXPECT_EQ(w.text("LabelAudioBitrateAC3"), "64");
                       EXPECT_EQ(s.AudioBitRatePresetAC3, 64);
                       EXPECT_EQ(s.AudioBitRatePresetMp2, 150); // between entries, allowed
                   }},
        DamageCase{"AudioBitRatePresetMp2=300\n", // between entries, above 22050's limit
                   [](AviEditor& w, const TAVISettings& s) {
                       EXPECT_EQ(w.text("LabelAudioBitrateMp2"), "160");
                       EXPECT_EQ(s.AudioBitRatePresetMp2, 160);
                   }}));

// --- Pictures --------------------------------------------------------------------------------

// Not a check: grabs every page to /tmp/quillabe-avi-*.png for a look (run it with
// --gtest_also_run_disabled_tests, and once more with QT_SCALE_FACTOR=2).
TEST_F(AviEditor, DISABLED_GrabEveryPage) {
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1");
    const QString prefix = QDir::tempPath() + "/quillabe-avi-" + scale + "x-";
    AviSettings.EnableTimeControl = true;
    AviSettings.VideoSizeUseSourceDivX = false;
    AviSettings.AudioChannelsAC3 = 2;
    open();
    editor.show();
    editor.grab().save(prefix + "general.png");
    for (int i = 0; i < editor.VideoCodecList()->count(); ++i) {
        editor.VideoCodecList()->setCurrentIndex(i);
        editor.Pages()->setCurrentIndex(1);
        editor.grab().save(prefix + "video-" + QString::number(i) + ".png");
    }
    for (int i = 0; i < editor.AudioCodecList()->count(); ++i) {
        editor.AudioCodecList()->setCurrentIndex(i);
        editor.Pages()->setCurrentIndex(2);
        editor.grab().save(prefix + "audio-" + QString::number(i) + ".png");
    }
}

} // namespace
