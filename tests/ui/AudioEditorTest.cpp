// The six audio editors: every shipped profile survives opening and saving unchanged, every field
// is bound, the slider ranges follow the sample rate (and AC3's 5.1 choice), the AMR wide-band
// warning, and damaged profiles open sensibly.

#include "core/MessageDialogs.h"
#include "profiles/AudioSettings.h"
#include "support/TempDir.h"
#include "ui/editors/decls/AudioEditors.h"
#include "ui/editors/frame/ProfileEditorFactory.h"
#include "ui/editors/groups/AudioCodecGroups.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <sstream>

using namespace quillabe;

namespace {

namespace fs = std::filesystem;

// One audio format as the tests reach it: through its record's functions and its profile texts.
struct AudioFormat {
    const char* name;
    int index;
    const char* folder; // below data/profile_en
    const char* title;
    std::function<void()> reset;
    std::function<void(const std::string&)> load;
    std::function<void(const std::string&)> save;
    std::function<std::vector<std::string>()> keys;
    // Loads the file, opens and saves through a fresh editor over the defaults, and compares.
    std::function<void(const fs::path&)> roundTrip;
};

template <class R>
AudioFormat formatOf(const char* name, int index, const char* folder, const char* title, R& record,
                     void (*reset)(), void (*load)(const std::string&),
                     void (*save)(const std::string&), const RecordLayout<R>& (*layout)()) {
    return {name,
            index,
            folder,
            title,
            reset,
            load,
            save,
            [layout] { return layout().RecordKeys(); },
            [&record, index, reset, load](const fs::path& file) {
                reset();
                const R defaults = record;
                load(file.string());
                const R expected = record;
                auto editor = CreateAudioEditor(index, nullptr);
                editor->SettingsToControls();
                record = defaults; // only the controls may bring the values back
                editor->ControlsToSettings();
                EXPECT_EQ(record, expected) << file;
            }};
}

const std::vector<AudioFormat>& formats() {
    static const std::vector<AudioFormat> all{
        formatOf("Aac", 10, "aac", "AAC Profile Editor", AacSettings, DefaultAacSettings,
                 LoadAacSettings, SaveAacSettings, AacSettingsLayout),
        formatOf("Ac3", 11, "ac3", "AC3 Profile Editor", Ac3Settings, DefaultAc3Settings,
                 LoadAc3Settings, SaveAc3Settings, Ac3SettingsLayout),
        formatOf("Mp2", 12, "mp2", "MP2 Profile Editor", Mp2Settings, DefaultMp2Settings,
                 LoadMp2Settings, SaveMp2Settings, Mp2SettingsLayout),
        formatOf("Mp3", 13, "mp3", "MP3 Profile Editor", Mp3Settings, DefaultMp3Settings,
                 LoadMp3Settings, SaveMp3Settings, Mp3SettingsLayout),
        formatOf("Amr", 14, "amr", "AMR Profile Editor", AmrSettings, DefaultAmrSettings,
                 LoadAmrSettings, SaveAmrSettings, AmrSettingsLayout),
        formatOf("Wav", 15, "wav", "WAV Profile Editor", WavSettings, DefaultWavSettings,
                 LoadWavSettings, SaveWavSettings, WavSettingsLayout),
    };
    return all;
}

const AudioFormat& format(int index) {
    return formats()[static_cast<size_t>(index - 10)];
}

// An editor opened over a profile whose [General] section holds `lines` over the defaults.
class OpenProfile {
public:
    OpenProfile(int index, const std::string& lines) : format_(format(index)) {
        format_.reset();
        format_.load(dir_.Write("profile", "[General]\n" + lines));
        editor_ = CreateAudioEditor(index, nullptr);
        editor_->SettingsToControls();
    }
    TProfileEditorFrame& editor() { return *static_cast<TProfileEditorFrame*>(editor_.get()); }
    template <class W> W* find(const std::string& name) {
        auto* w = editor_->findChild<W*>(QString::fromStdString(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString text(const std::string& label) { return find<QLabel>(label)->text(); }
    // The lines "key=value" of the profile saved from the controls.
    std::set<std::string> saved() {
        editor_->ControlsToSettings();
        format_.save(dir_.Path() + "saved");
        std::set<std::string> lines;
        std::istringstream in(dir_.Read("saved"));
        for (std::string line; std::getline(in, line);)
            lines.insert(line.ends_with('\r') ? line.substr(0, line.size() - 1) : line);
        return lines;
    }

private:
    const AudioFormat& format_;
    test::TempDir dir_;
    std::unique_ptr<TProfileEditor> editor_;
};

TEST(AudioEditors, ShippedProfilesRoundTripUnchanged) {
    for (const auto& f : formats()) {
        int profiles = 0;
        for (const auto& entry :
             fs::directory_iterator(fs::path(QUILLABE_SOURCE) / "data/profile_en" / f.folder)) {
            ++profiles;
            f.roundTrip(entry.path());
        }
        EXPECT_GE(profiles, 1) << f.folder;
    }
}

TEST(AudioEditors, EveryFieldIsBoundOnceAndTheFrameHasNoVideo) {
    for (const auto& f : formats()) {
        OpenProfile open(f.index, "");
        auto& editor = open.editor();
        std::multiset<std::string> bound;
        for (const auto& b : editor.Bindings())
            bound.insert(b.key);
        const auto keys = f.keys();
        EXPECT_EQ(bound, std::multiset<std::string>(keys.begin(), keys.end())) << f.name;
        EXPECT_EQ(editor.windowTitle(), f.title);
        EXPECT_EQ(editor.Pages()->count(), 2) << f.name;
        EXPECT_TRUE(editor.Pages()->isTabVisible(1)) << f.name;
        EXPECT_EQ(editor.VideoCodecList(), nullptr);
        EXPECT_EQ(editor.DisableAudioBox(), nullptr);
        // Each list entry selects the page headed with its own text.
        auto* list = editor.AudioCodecList();
        for (int i = 0; i < list->count(); ++i) {
            list->setCurrentIndex(i);
            auto* page = editor.AudioCodecPages()->currentWidget();
            EXPECT_EQ(page->findChild<QLabel*>("LabelFormatProperties")->text(),
                      list->itemText(i) + " format properties");
        }
    }
    EXPECT_EQ(CreateAudioEditor(9, nullptr), nullptr);
    EXPECT_NE(dynamic_cast<TfrmAmrProfile*>(CreateProfileEditor(14, nullptr).get()), nullptr);
}

// The window opens at least as large as every page needs, though the codec pages are filled
// after the frame was first measured.
TEST(AudioEditors, WindowOpensLargeEnoughForItsAudioPage) {
    for (const auto& f : formats()) {
        OpenProfile open(f.index, "");
        auto& editor = open.editor();
        editor.adjustSize(); // as the profile commands place it before showing
        auto* groups = editor.AudioCodecPages()->widget(0)->findChild<AudioCodecGroups*>();
        ASSERT_NE(groups, nullptr);
        editor.show(); // with the General page in front
        editor.Pages()->setCurrentIndex(1);
        EXPECT_GE(groups->width(), groups->minimumSizeHint().width()) << f.name;
        EXPECT_GE(groups->height(), groups->minimumSizeHint().height()) << f.name;
        editor.hide();
    }
}

struct ListCase {
    int format;
    const char* control;
    std::vector<QString> entries;
};

TEST(AudioEditors, ListsOfEachEditor) {
    const ListCase cases[] = {
        {10, "ComboBoxAudioCodec", {"AAC"}},
        {11, "ComboBoxAudioCodec", {"AC3"}},
        {12, "ComboBoxAudioCodec", {"Mp2"}},
        {13, "ComboBoxAudioCodec", {"Mp3"}},
        {14, "ComboBoxAudioCodec", {"AMR Narrow-Band", "AMR Narrow-Wide"}},
        {15, "ComboBoxAudioCodec", {"WAV (pcm 16 little-endian)", "WAV (pcm U 8)"}},
        {10,
         "ComboBoxSampleRateAACMp4",
         {"11025", "12000", "16000", "22050", "24000", "32000", "44100", "48000"}},
        {11, "ComboBoxSampleRateAC3", {"22050", "24000", "44100", "48000"}},
        {12, "ComboBoxSampleRateMp2", {"22050", "24000", "44100", "48000"}},
        {13, "ComboBoxSampleRateMp3", {"22050", "24000", "44100", "48000"}},
        {14, "ComboBoxSampleRateArmnb", {"8000"}},
        {14, "ComboBoxSampleRateArmwb", {"16000"}},
        {15,
         "ComboBoxSampleRatePcmu8",
         {"11025", "12000", "16000", "22050", "24000", "32000", "44100", "48000"}},
        {11, "ComboBoxAudioChannelsAC3", {"1 (mono)", "2 (stereo)", "6 (5.1 AC3 48000kHz)"}},
        {13, "ComboBoxAudioChannelsMp3", {"1 (mono)", "2 (stereo)"}},
        {14, "ComboBoxAudioChannelsArmnb", {"1 (mono)"}},
        {14, "ComboBoxAudioChannelsArmwb", {"1 (mono)"}},
        {15, "ComboBoxAudioChannelsPcm16le", {"1 (mono)", "2 (stereo)"}},
    };
    for (const auto& c : cases) {
        OpenProfile open(c.format, "");
        auto* list = open.find<QComboBox>(c.control);
        std::vector<QString> entries;
        for (int i = 0; i < list->count(); ++i)
            entries.push_back(list->itemText(i));
        EXPECT_EQ(entries, c.entries) << c.control;
    }
}

// The slider's lowest and highest entries at a sample rate (and channel choice).
struct RangeCase {
    int format;
    const char* suffix;
    int sampleRate;
    int channels;
    QString lowest;
    QString highest;
};

TEST(AudioEditors, SliderRangeFollowsTheSampleRate) {
    const RangeCase cases[] = {
        {10, "AACMp4", 0, 1, "24", "64"},  {10, "AACMp4", 1, 1, "24", "64"},
        {10, "AACMp4", 2, 1, "24", "96"},  {10, "AACMp4", 3, 1, "24", "128"},
        {10, "AACMp4", 4, 1, "24", "128"}, {10, "AACMp4", 5, 1, "24", "192"},
        {10, "AACMp4", 6, 1, "24", "256"}, {10, "AACMp4", 7, 0, "24", "256"},
        {11, "AC3", 0, 1, "32", "320"},    {11, "AC3", 1, 1, "32", "320"},
        {11, "AC3", 2, 1, "48", "448"},    {11, "AC3", 3, 0, "48", "448"},
        {11, "AC3", 0, 2, "112", "448"},   {11, "AC3", 3, 2, "112", "448"},
        {12, "Mp2", 0, 1, "32", "160"},    {12, "Mp2", 1, 1, "32", "160"},
        {12, "Mp2", 2, 1, "32", "384"},    {12, "Mp2", 3, 0, "32", "384"},
        {13, "Mp3", 0, 1, "32", "160"},    {13, "Mp3", 1, 1, "32", "160"},
        {13, "Mp3", 2, 1, "32", "320"},    {13, "Mp3", 3, 0, "32", "320"},
        {14, "Armnb", 0, 0, "8", "13"},    {14, "Armwb", 0, 0, "7", "24"},
    };
    for (const auto& c : cases) {
        const std::string s = c.suffix;
        OpenProfile open(c.format, "AudioSampleRate" + s + "=" + std::to_string(c.sampleRate) +
                                       "\nAudioChannels" + s + "=" + std::to_string(c.channels) +
                                       "\n");
        auto* slider = open.find<QSlider>("TrackBarAudioBitrate" + s);
        const std::string where =
            s + " rate " + std::to_string(c.sampleRate) + " channels " + std::to_string(c.channels);
        slider->setValue(0);
        EXPECT_EQ(open.text("LabelAudioBitrate" + s), c.lowest) << where;
        slider->setValue(99);
        EXPECT_EQ(open.text("LabelAudioBitrate" + s), c.highest) << where;
    }
}

TEST(AudioEditors, AacAt16000StoresAStored128As96) {
    OpenProfile open(10, "AudioSampleRateAACMp4=2\nAudioBitRatePresetAACMp4=128\n");
    EXPECT_EQ(open.text("LabelAudioBitrateAACMp4"), "96");
    EXPECT_TRUE(open.saved().contains("AudioBitRatePresetAACMp4=96"));
}

TEST(AudioEditors, Ac3SixChannelsShowTheFixedRateAndRaiseTheLowestEntry) {
    OpenProfile open(11, "AudioSampleRateAC3=0\nAudioBitRatePresetAC3=32\n");
    auto* channels = open.find<QComboBox>("ComboBoxAudioChannelsAC3");
    auto* normal = open.find<QGroupBox>("GroupBoxSampleRateAC3");
    auto* fixed = open.find<QGroupBox>("GroupBoxSampleRateAC3_6Channels");
    auto* stack = qobject_cast<QStackedWidget*>(fixed->parentWidget());
    ASSERT_NE(stack, nullptr);
    EXPECT_EQ(stack->currentWidget(), normal);
    channels->setCurrentIndex(2);
    EXPECT_EQ(stack->currentWidget(), fixed);
    EXPECT_EQ(open.text("lab48000kHzAC3"), "48000");
    EXPECT_EQ(open.text("LabelAudioBitrateAC3"), "112");
    // Back to stereo at 22050 the range is 32..320 again and the sample rate was kept.
    channels->setCurrentIndex(1);
    EXPECT_EQ(stack->currentWidget(), normal);
    const auto lines = open.saved();
    EXPECT_TRUE(lines.contains("AudioBitRatePresetAC3=112"));
    EXPECT_TRUE(lines.contains("AudioSampleRateAC3=0"));
}

TEST(AudioEditors, Mp2SwitchingTo22050Moves384DownTo160) {
    OpenProfile open(12, "AudioSampleRateMp2=2\nAudioBitRatePresetMp2=384\n");
    EXPECT_EQ(open.text("LabelAudioBitrateMp2"), "384");
    open.find<QComboBox>("ComboBoxSampleRateMp2")->setCurrentIndex(0);
    EXPECT_EQ(open.text("LabelAudioBitrateMp2"), "160");
    EXPECT_TRUE(open.saved().contains("AudioBitRatePresetMp2=160"));
}

TEST(AudioEditors, WavSampleRateIndexesSixAndSeven) {
    OpenProfile open(15, "AudioSampleRatePcm16le=6\nAudioSampleRatePcmu8=7\n");
    EXPECT_EQ(open.find<QComboBox>("ComboBoxSampleRatePcm16le")->currentText(), "44100");
    EXPECT_EQ(open.find<QComboBox>("ComboBoxSampleRatePcmu8")->currentText(), "48000");
    EXPECT_EQ(open.editor().findChild<QSlider*>(), nullptr);
}

class AmrWarning : public ::testing::Test {
protected:
    void SetUp() override { SetMessageDialogHandler(answers); }
    void TearDown() override { SetMessageDialogHandler(nullptr); }
    std::shared_ptr<ScriptedMessageDialogs> answers = std::make_shared<ScriptedMessageDialogs>();
};

TEST_F(AmrWarning, ChoosingWideBandWarnsThenShowsItsPage) {
    OpenProfile open(14, "");
    auto* list = open.editor().AudioCodecList();
    list->setCurrentIndex(1);
    emit list->activated(1); // as the user's choice sends it
    ASSERT_EQ(answers->Requests().size(), 1u);
    const auto& r = answers->Requests()[0];
    EXPECT_EQ(r.title, "AMR-WB Audio Codec selected");
    EXPECT_TRUE(r.text.starts_with("ATTENTION!\n\rAdaptive Multi-Rate Wideband(ARM-WB)"));
    EXPECT_EQ(r.icon, MessageIcon::Warning);
    ASSERT_EQ(r.buttons.size(), 1u);
    EXPECT_EQ(r.buttons[0].result, mrOk);
    EXPECT_EQ(open.editor().AudioCodecPages()->currentIndex(), 1);
    EXPECT_EQ(open.find<QComboBox>("ComboBoxSampleRateArmwb")->currentText(), "16000");
    // Back to narrow-band: no warning.
    list->setCurrentIndex(0);
    emit list->activated(0);
    EXPECT_EQ(answers->Requests().size(), 1u);
    EXPECT_TRUE(open.saved().contains("AudioCodec=0"));
}

TEST_F(AmrWarning, LoadingAWideBandProfileDoesNotWarn) {
    OpenProfile open(14, "AudioCodec=1\nAudioBitRatePresetArmwb=24\n");
    EXPECT_TRUE(answers->Requests().empty());
    EXPECT_EQ(open.editor().AudioCodecPages()->currentIndex(), 1);
    EXPECT_EQ(open.text("LabelAudioBitrateArmwb"), "24");
}

// --- Damaged profiles ------------------------------------------------------------------------

struct DamageCase {
    int format;
    const char* lines;
    std::vector<std::string> saved; // lines the saved profile holds
    std::function<void(OpenProfile&)> check = {};
};

TEST(AudioEditors, DamagedProfilesOpenWithSensibleValues) {
    const DamageCase cases[] = {
        // A bitrate between entries is kept while the range allows it; one beyond the table
        // takes the fourth entry.
        {10, "AudioBitRatePresetAACMp4=100\n", {"AudioBitRatePresetAACMp4=100"}},
        {10,
         "AudioSampleRateAACMp4=0\nAudioBitRatePresetAACMp4=100\n",
         {"AudioBitRatePresetAACMp4=64"}},
        {11, "AudioBitRatePresetAC3=-40\n", {"AudioBitRatePresetAC3=64"}},
        {13, "AudioBitRatePresetMp3=2147483647\n", {"AudioBitRatePresetMp3=64"}},
        {14,
         "AudioBitRatePresetArmnb=99\nAudioBitRatePresetArmwb=-1\n",
         {"AudioBitRatePresetArmnb=11", "AudioBitRatePresetArmwb=16"}},
        // Indexes outside the lists are kept as stored, the lists show nothing.
        {10,
         "AudioSampleRateAACMp4=200\nAudioChannelsAACMp4=9\nAudioBitRatePresetAACMp4=256\n",
         {"AudioSampleRateAACMp4=200", "AudioChannelsAACMp4=9", "AudioBitRatePresetAACMp4=256"},
         [](OpenProfile& o) {
             EXPECT_EQ(o.find<QComboBox>("ComboBoxSampleRateAACMp4")->currentIndex(), -1);
             EXPECT_EQ(o.find<QSlider>("TrackBarAudioBitrateAACMp4")->maximum(), 12);
         }},
        {15,
         "AudioCodec=7\nAudioSampleRatePcmu8=255\n",
         {"AudioCodec=7", "AudioSampleRatePcmu8=255"},
         [](OpenProfile& o) { EXPECT_EQ(o.editor().AudioCodecList()->currentIndex(), -1); }},
        {14, "AudioCodec=-3\nAudioChannelsArmwb=1\n", {"AudioChannelsArmwb=1"}},
        {11,
         "AudioChannelsAC3=2\nAudioSampleRateAC3=77\nAudioBitRatePresetAC3=32\n",
         {"AudioBitRatePresetAC3=112", "AudioSampleRateAC3=77"}},
        // Times that do not parse are kept as written; End shows what can be made of them.
        {12,
         "EnableTimeControl=1\nStartTime=soon\nDuration=99999999:00:00\n",
         {"StartTime=soon", "Duration=99999999:00:00", "EnableTimeControl=1"}},
    };
    for (const auto& c : cases) {
        OpenProfile open(c.format, c.lines);
        if (c.check)
            c.check(open);
        const auto lines = open.saved();
        for (const auto& line : c.saved)
            EXPECT_TRUE(lines.contains(line)) << c.lines << " → " << line;
    }
}

// --- Pictures --------------------------------------------------------------------------------

// Not a check: grabs every page of every audio editor to /tmp/quillabe-audio-*.png for a look
// (run it with --gtest_also_run_disabled_tests, and once more with QT_SCALE_FACTOR=2).
TEST(AudioEditors, DISABLED_GrabEveryPage) {
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1");
    for (const auto& f : formats()) {
        const QString prefix =
            QDir::tempPath() + "/quillabe-audio-" + scale + "x-" + f.folder + "-";
        OpenProfile open(f.index, "EnableTimeControl=1\nAudioChannelsAC3=2\n");
        auto& editor = open.editor();
        editor.show();
        editor.grab().save(prefix + "general.png");
        for (int i = 0; i < editor.AudioCodecList()->count(); ++i) {
            editor.AudioCodecList()->setCurrentIndex(i);
            editor.Pages()->setCurrentIndex(1);
            editor.grab().save(prefix + "audio-" + QString::number(i) + ".png");
        }
    }
}

} // namespace
