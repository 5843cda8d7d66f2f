// The MOV, WMV, RM, SWF and ASF editors: every shipped profile survives opening and saving
// unchanged, every field is bound, and each editor's own lists, tables and ranges; damaged
// profiles open sensibly.

#include "profiles/ProfileRecords.h"
#include "support/TempDir.h"
#include "ui/editors/decls/MovWmvAsfRmSwfEditors.h"
#include "ui/editors/frame/ProfileEditorFactory.h"
#include "ui/editors/groups/VideoBitrateGroup.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

using namespace quillabe;

namespace {

namespace fs = std::filesystem;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// One window over the format's global record, with the record's load and save at hand.
struct Window {
    explicit Window(int format)
        : ops(*FindProfileRecordOps(format)), editor(dynamic_cast<TProfileEditorFrame*>(
                                                  CreateProfileEditor(format, nullptr).release())) {
        ops.defaults();
    }
    template <class W> W* find(const QString& name) {
        auto* w = editor->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QString text(const QString& label) { return find<QLabel>(label)->text(); }
    // Loads "[General]" + `lines` over the defaults and shows it in the controls.
    void open(const std::string& lines) {
        ops.load(dir.Write("profile.ini", "[General]\n" + lines));
        editor->SettingsToControls();
    }
    // The record as the controls give it back, as the profile file would hold it.
    std::string saved() {
        editor->ControlsToSettings();
        const std::string path = dir.Path() + "saved.ini";
        ops.save(path);
        return readFile(path);
    }

    const ProfileRecordOps& ops;
    std::unique_ptr<TProfileEditorFrame> editor;
    test::TempDir dir;
};

struct FormatCase {
    int format;
    const char* folder;
    const char* caption;
    QStringList videoEntries;
    QStringList audioEntries;
};

const FormatCase kFormats[] = {
    {4,
     "mov",
     "MOV Profile Editor",
     {"Svq1", "Divx", "Xvid", "H263", "H264"},
     {"AAC", "A-Law", "AMR Narrow-Band", "WAV (pcm 16 little-endian)", "WAV (pcm 16 big-endian)"}},
    {5, "wmv", "WMV Profile Editor", {"Ms-mpeg4", "Ms-mpeg4v2", "WMV7", "WMV8"}, {"Mp3"}},
    {6, "rm", "RM Profile Editor", {"Real Video 7"}, {"AC3"}},
    {7, "swf", "SWF Profile Editor", {"Flv"}, {"Mp3"}},
    {9, "asf", "ASF Profile Editor", {"Ms-mpeg4", "Ms-mpeg4v2"}, {"Mp3"}},
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.folder;
}

class MovFamilyFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(MovFamilyFormat, ShippedProfilesRoundTripUnchanged) {
    Window w(GetParam().format);
    const fs::path folder = fs::path(QUILLABE_SOURCE) / "data/profile_en" / GetParam().folder;
    int profiles = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        ++profiles;
        w.ops.defaults();
        w.ops.load(entry.path().string());
        const std::string expected = w.dir.Path() + "expected.ini";
        w.ops.save(expected);
        w.editor->SettingsToControls();
        // Only the controls may bring the values back.
        w.ops.defaults();
        EXPECT_EQ(w.saved(), readFile(expected)) << entry.path();
    }
    EXPECT_GE(profiles, 1);
}

TEST_P(MovFamilyFormat, BindsEveryField) {
    Window w(GetParam().format);
    std::multiset<std::string> bound;
    for (const auto& b : w.editor->Bindings())
        bound.insert(b.key);
    const auto keys = w.ops.recordKeys();
    EXPECT_EQ(bound, std::multiset<std::string>(keys.begin(), keys.end()));
}

TEST_P(MovFamilyFormat, ListsSelectTheirHeadedPages) {
    Window w(GetParam().format);
    auto* e = w.editor.get();
    EXPECT_EQ(e->windowTitle(), GetParam().caption);
    EXPECT_EQ(e->Pages()->count(), 3);
    auto made = CreateProfileEditor(GetParam().format, nullptr);
    EXPECT_EQ(made->metaObject(), e->metaObject());
    for (auto [list, stack, entries] :
         {std::tuple{e->VideoCodecList(), e->VideoCodecPages(), GetParam().videoEntries},
          std::tuple{e->AudioCodecList(), e->AudioCodecPages(), GetParam().audioEntries}}) {
        QStringList shown;
        for (int i = 0; i < list->count(); ++i) {
            shown << list->itemText(i);
            list->setCurrentIndex(i);
            EXPECT_EQ(stack->currentIndex(), i);
            EXPECT_EQ(stack->currentWidget()->findChild<QLabel*>("LabelFormatProperties")->text(),
                      list->itemText(i) + " format properties");
        }
        EXPECT_EQ(shown, entries);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, MovFamilyFormat, ::testing::ValuesIn(kFormats),
                         [](const auto& row) { return std::string(row.param.folder); });

// --- Video bitrate: slider's last entry and Configure's bounds, per page ----------------------

struct VideoBitrateCase {
    int format;
    const char* suffix;
    int maxPosition;
    const char* lastEntry;
    int askMax;
};

class MovFamilyVideoBitrate : public ::testing::TestWithParam<VideoBitrateCase> {};

TEST_P(MovFamilyVideoBitrate, SliderEndsAtTheTablesLastEntryAndConfigureAsksWithinRange) {
    const auto& c = GetParam();
    Window w(c.format);
    const QString s = c.suffix;
    auto* slider = w.find<QSlider>("TrackBarVideoBitrate" + s);
    slider->setValue(slider->maximum());
    EXPECT_EQ(slider->maximum(), c.maxPosition);
    EXPECT_EQ(w.text("LabelBitrate" + s), c.lastEntry);

    const AskValueFn original = VideoBitrateAsker();
    std::pair<int, int> bounds;
    VideoBitrateAsker() = [&](QWidget*, const std::string&, const std::string&, int current,
                              int max, int min) {
        bounds = {min, max};
        return current;
    };
    w.find<QRadioButton>("RadioButtonVideoSpecify" + s)->setChecked(true);
    w.find<QPushButton>("ButtonVideoBitrateConfigure" + s)->click();
    VideoBitrateAsker() = original;
    EXPECT_EQ(bounds, std::pair(64, c.askMax));
}

INSTANTIATE_TEST_SUITE_P(Pages, MovFamilyVideoBitrate,
                         ::testing::Values(VideoBitrateCase{4, "Svq1", 13, "9600", 9600},
                                           VideoBitrateCase{4, "DivX", 13, "9600", 9600},
                                           VideoBitrateCase{4, "XviD", 13, "9600", 9600},
                                           VideoBitrateCase{4, "H263", 13, "9600", 9600},
                                           VideoBitrateCase{4, "H264", 13, "9600", 9600},
                                           VideoBitrateCase{5, "Msmpeg4", 12, "6000", 6000},
                                           VideoBitrateCase{5, "MsMpeg4v2", 12, "6000", 6000},
                                           VideoBitrateCase{5, "Wmv7", 12, "6000", 6000},
                                           VideoBitrateCase{5, "Wmv8", 12, "6000", 6000},
                                           VideoBitrateCase{6, "Rm10", 13, "9600", 9600},
                                           VideoBitrateCase{7, "Flv", 11, "3600", 3600},
                                           VideoBitrateCase{9, "Msmpeg4", 12, "6000", 6000},
                                           VideoBitrateCase{9, "MsMpeg4v2", 12, "6000", 6000}));

// --- Audio bitrate slider range by sample rate --------------------------------------------------

struct AudioRangeCase {
    int format;
    const char* suffix;
    int sampleRate;  // index into the page's list
    int min, max;    // slider positions
    const char* top; // the bitrate at the top of the range
};

class MovFamilyAudioRange : public ::testing::TestWithParam<AudioRangeCase> {};

TEST_P(MovFamilyAudioRange, FollowsTheSampleRate) {
    const auto& c = GetParam();
    Window w(c.format);
    w.editor->SettingsToControls();
    const QString s = c.suffix;
    w.find<QComboBox>("ComboBoxSampleRate" + s)->setCurrentIndex(c.sampleRate);
    auto* slider = w.find<QSlider>("TrackBarAudioBitrate" + s);
    EXPECT_EQ(slider->minimum(), c.min);
    EXPECT_EQ(slider->maximum(), c.max);
    slider->setValue(slider->maximum());
    EXPECT_EQ(w.text("LabelAudioBitrate" + s), c.top);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, MovFamilyAudioRange,
    ::testing::Values(
        AudioRangeCase{4, "AACMp4", 0, 1, 5, "64"}, AudioRangeCase{4, "AACMp4", 1, 1, 5, "64"},
        AudioRangeCase{4, "AACMp4", 2, 1, 6, "96"}, AudioRangeCase{4, "AACMp4", 4, 1, 8, "128"},
        AudioRangeCase{4, "AACMp4", 5, 1, 10, "192"}, AudioRangeCase{4, "AACMp4", 7, 1, 12, "256"},
        AudioRangeCase{4, "Armnb", 0, 1, 6, "13"}, AudioRangeCase{5, "Mp3", 1, 1, 8, "160"},
        AudioRangeCase{5, "Mp3", 2, 1, 12, "320"}, AudioRangeCase{6, "AC3", 1, 1, 12, "320"},
        AudioRangeCase{6, "AC3", 2, 2, 14, "448"}, AudioRangeCase{7, "Mp3", 0, 1, 8, "160"},
        AudioRangeCase{7, "Mp3", 1, 1, 8, "160"}, AudioRangeCase{7, "Mp3", 2, 1, 12, "320"},
        AudioRangeCase{9, "Mp3", 0, 1, 8, "160"}, AudioRangeCase{9, "Mp3", 3, 1, 12, "320"}));

// --- Each editor's own rules and damaged profiles -----------------------------------------------

struct RuleCase {
    const char* name;
    int format;
    const char* lines; // keys of section General over the defaults
    std::function<void(Window&)> check;
};

void PrintTo(const RuleCase& c, std::ostream* os) {
    *os << c.name;
}

class MovFamilyRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(MovFamilyRules, Hold) {
    Window w(GetParam().format);
    w.open(GetParam().lines);
    GetParam().check(w);
}

QStringList items(QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

// Whether the saved profile holds the line, whatever its line ends.
bool savedHas(Window& w, const std::string& line) {
    std::string text = w.saved();
    std::erase(text, '\r');
    return text.find("\n" + line + "\n") != std::string::npos;
}

INSTANTIATE_TEST_SUITE_P(
    Editors, MovFamilyRules,
    ::testing::Values(
        RuleCase{"MovDisabledAudioHidesTheAudioTab", 4, "AudioDisableAudio=1\n",
                 [](Window& w) {
                     EXPECT_FALSE(w.editor->AudioCodecList()->isEnabled());
                     EXPECT_FALSE(w.editor->Pages()->isTabVisible(2));
                 }},
        RuleCase{"MovALawHasChannelsAndRateOnly", 4,
                 "AudioCodec=1\nAudioSampleRateAlaw=6\nAudioChannelsAlaw=0\n",
                 [](Window& w) {
                     auto* page = w.editor->AudioCodecPages()->currentWidget();
                     EXPECT_EQ(page->findChild<QLabel*>("LabelFormatProperties")->text(),
                               "A-Law format properties");
                     EXPECT_EQ(page->findChild<QSlider*>(), nullptr);
                     EXPECT_EQ(w.find<QComboBox>("ComboBoxSampleRateAlaw")->currentText(), "44100");
                     EXPECT_TRUE(savedHas(w, "AudioSampleRateAlaw=6"));
                     EXPECT_TRUE(savedHas(w, "AudioChannelsAlaw=0"));
                 }},
        RuleCase{"MovAmrOffersMonoAt8000Only", 4, "AudioCodec=2\n",
                 [](Window& w) {
                     auto* channels = w.find<QComboBox>("ComboBoxAudioChannelsArmnb");
                     EXPECT_EQ(channels->count(), 1);
                     EXPECT_EQ(channels->itemText(0), "1 (mono)");
                     auto* rates = w.find<QComboBox>("ComboBoxSampleRateArmnb");
                     EXPECT_EQ(rates->count(), 1);
                     EXPECT_EQ(rates->itemText(0), "8000");
                 }},
        RuleCase{"MovH263OffersFixedSizesAndFiveAspects", 4,
                 "VideoWidthH263=-5\nVideoHeightH263=99999\nVideoAspectH263=3\n",
                 [](Window& w) {
                     EXPECT_TRUE(
                         w.find<QRadioButton>("RadioButtonVideoSize352_288H263")->isChecked());
                     EXPECT_TRUE(w.find<QRadioButton>("RadioButtonAspect119H263")->isChecked());
                     w.find<QRadioButton>("RadioButtonVideoSize128_96H263")->setChecked(true);
                     EXPECT_TRUE(savedHas(w, "VideoWidthH263=128"));
                     EXPECT_TRUE(savedHas(w, "VideoHeightH263=96"));
                     EXPECT_TRUE(savedHas(w, "VideoAspectH263=3"));
                 }},
        RuleCase{"RmSizeListStopsAt720x576", 6,
                 "VideoSizeUseSourceRm10=0\nVideoWidthRm10=1280\nVideoHeightRm10=720\n",
                 [](Window& w) {
                     auto* list = w.find<QComboBox>("ComboBoxVideoSizeRm10");
                     EXPECT_EQ(list->count(), 13);
                     EXPECT_EQ(list->currentText(), "...");
                     const int entry = list->findText("720x576");
                     list->setCurrentIndex(entry);
                     emit list->activated(entry); // as a user's choice
                     EXPECT_TRUE(savedHas(w, "VideoWidthRm10=720"));
                     EXPECT_TRUE(savedHas(w, "VideoHeightRm10=576"));
                 }},
        RuleCase{"MovSizeListEndsWith1280x720", 4,
                 "VideoSizeUseSourceH264=0\nVideoWidthH264=1280\nVideoHeightH264=720\n",
                 [](Window& w) {
                     auto* list = w.find<QComboBox>("ComboBoxVideoSizeH264");
                     EXPECT_EQ(list->count(), 14);
                     EXPECT_EQ(list->currentText(), "1280x720");
                 }},
        RuleCase{"RmSixChannelsFixTheRateAndNeed112", 6,
                 "AudioChannelsAC3=2\nAudioSampleRateAC3=0\nAudioBitRatePresetAC3=32\n",
                 [](Window& w) {
                     auto* slider = w.find<QSlider>("TrackBarAudioBitrateAC3");
                     EXPECT_EQ(slider->minimum(), 6);
                     EXPECT_EQ(w.text("LabelAudioBitrateAC3"), "112");
                     auto* fixed = w.find<QGroupBox>("GroupBoxSampleRateAC3_6Channels");
                     auto* rates = qobject_cast<QStackedWidget*>(fixed->parentWidget());
                     EXPECT_EQ(rates->currentWidget(), fixed);
                     w.find<QComboBox>("ComboBoxAudioChannelsAC3")->setCurrentIndex(1);
                     EXPECT_EQ(slider->minimum(), 1);
                     EXPECT_EQ(slider->maximum(), 12);
                 }},
        RuleCase{"SwfAt11025StoresAtMost160", 7,
                 "AudioSampleRateMp3=0\nAudioBitRateUseAutoSetMp3=0\nAudioBitRatePresetMp3=320\n",
                 [](Window& w) {
                     EXPECT_EQ(w.text("LabelAudioBitrateMp3"), "160");
                     EXPECT_TRUE(savedHas(w, "AudioBitRatePresetMp3=160"));
                 }},
        RuleCase{"SampleRateListsFollowTheirIndexes", 7, "",
                 [](Window& w) {
                     EXPECT_EQ(items(w.find<QComboBox>("ComboBoxSampleRateMp3")),
                               QStringList({"11025", "22050", "44100"}));
                     Window wmv(5);
                     EXPECT_EQ(items(wmv.find<QComboBox>("ComboBoxSampleRateMp3")),
                               QStringList({"22050", "24000", "44100", "48000"}));
                     Window mov(4);
                     EXPECT_EQ(items(mov.find<QComboBox>("ComboBoxSampleRatePcm16be")).size(), 8);
                 }},
        // Damaged profiles.
        RuleCase{"CodecIndexesBeyondTheListsShowBlankPages", 5, "VideoCodec=200\nAudioCodec=9\n",
                 [](Window& w) {
                     auto* video = w.editor->VideoCodecPages();
                     EXPECT_EQ(video->currentIndex(), video->count() - 1);
                     EXPECT_EQ(w.editor->VideoCodecList()->currentIndex(), -1);
                     EXPECT_TRUE(savedHas(w, "VideoCodec=200"));
                     EXPECT_TRUE(savedHas(w, "AudioCodec=9"));
                 }},
        RuleCase{"WmvBitrateBeyondItsTableFallsBackToTheDefault", 5,
                 "VideoBitRatePresetWmv8=9600\nVideoBitRatePresetMsMpeg4=-7\n",
                 [](Window& w) {
                     EXPECT_EQ(w.text("LabelBitrateWmv8"), "128");
                     EXPECT_TRUE(savedHas(w, "VideoBitRatePresetWmv8=128"));
                     EXPECT_TRUE(savedHas(w, "VideoBitRatePresetMsMpeg4=128"));
                 }},
        RuleCase{"AsfOutOfRangeAudioIndexesKeepTheirValues", 9,
                 "AudioSampleRateMp3=9\nAudioChannelsMp3=5\nAudioBitRatePresetMp3=100000\n",
                 [](Window& w) {
                     EXPECT_EQ(w.find<QSlider>("TrackBarAudioBitrateMp3")->maximum(), 12);
                     EXPECT_TRUE(savedHas(w, "AudioSampleRateMp3=9"));
                     EXPECT_TRUE(savedHas(w, "AudioChannelsMp3=5"));
                 }},
        RuleCase{"SwfGarbageSizesAndTimesOpen", 7,
                 "VideoSizeUseSourceFlv=0\nVideoWidthFlv=-40\nVideoHeightFlv=99999\n"
                 "StartTime=soon\nDuration=-1\nVideoFrameRateFlv=44\nVideoAspectFlv=9\n",
                 [](Window& w) {
                     EXPECT_EQ(w.find<QComboBox>("ComboBoxVideoSizeFlv")->currentText(), "...");
                     EXPECT_TRUE(w.find<QRadioButton>("RadioButtonAutoSetAspectFlv")->isChecked());
                     EXPECT_TRUE(savedHas(w, "StartTime=soon"));
                     EXPECT_TRUE(savedHas(w, "VideoAspectFlv=0"));
                 }}),
    [](const auto& row) { return std::string(row.param.name); });

// --- Pictures ------------------------------------------------------------------------------------

// Not a check: grabs every page of the five editors to /tmp/quillabe-<fmt>-*.png for a look (run
// it with --gtest_also_run_disabled_tests, and once more with QT_SCALE_FACTOR=2).
TEST(MovWmvAsfRmSwfEditors, DISABLED_GrabEveryPage) {
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1");
    for (const auto& f : kFormats) {
        const QString prefix = QDir::tempPath() + "/quillabe-" + f.folder + "-" + scale + "x-";
        Window w(f.format);
        w.open("EnableTimeControl=1\nAudioChannelsAC3=2\n");
        auto* e = w.editor.get();
        e->show();
        e->grab().save(prefix + "general.png");
        for (int i = 0; i < e->VideoCodecList()->count(); ++i) {
            e->VideoCodecList()->setCurrentIndex(i);
            e->Pages()->setCurrentIndex(1);
            e->grab().save(prefix + "video-" + QString::number(i) + ".png");
        }
        for (int i = 0; i < e->AudioCodecList()->count(); ++i) {
            e->AudioCodecList()->setCurrentIndex(i);
            e->Pages()->setCurrentIndex(2);
            e->grab().save(prefix + "audio-" + QString::number(i) + ".png");
        }
    }
}

} // namespace
