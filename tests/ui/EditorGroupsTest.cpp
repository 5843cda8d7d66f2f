// The editors' shared parts: the time boxes' leave rules, each control group once over a tiny
// declared editor, and the frame around them.

#include "profiles/SettingsBlocks.h"
#include "ui/editors/decls/VideoEditorDecl.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace quillabe;

namespace {

// --- The leave rules -------------------------------------------------------------------------

struct LeaveCase {
    const char* what;
    TimeBox box;
    TimeTexts typed;
    TimeTexts expected;
};

const std::string kOld = "0:00:05.000"; // what the box held when it was entered

class TimeLeave : public ::testing::TestWithParam<LeaveCase> {};

TEST_P(TimeLeave, GivesTheTexts) {
    const auto& c = GetParam();
    EXPECT_EQ(LeaveTimeBox(c.box, c.typed, kOld), c.expected) << c.what;
}

const std::string z = "0:00:00.000";
INSTANTIATE_TEST_SUITE_P(
    Rules, TimeLeave,
    ::testing::Values(
        LeaveCase{"seconds",
                  TimeBox::Start,
                  {"90", "0:05:00.000", "x"},
                  {"0:01:30.000", "0:05:00.000", "0:03:30.000"}},
        LeaveCase{"minutes",
                  TimeBox::Start,
                  {"1:30", "0:05:00.000", "x"},
                  {"0:01:30.000", "0:05:00.000", "0:03:30.000"}},
        LeaveCase{"start beyond end moves end",
                  TimeBox::Start,
                  {"0:02:00", "0:01:00.000", "x"},
                  {"0:02:00.000", "0:02:00.000", z}},
        LeaveCase{"start on a damaged end",
                  TimeBox::Start,
                  {"10", "abc", "x"},
                  {"0:00:10.000", "0:00:10.000", z}},
        LeaveCase{"start not a time",
                  TimeBox::Start,
                  {"abc", "0:01:00.000", "d"},
                  {kOld, "0:01:00.000", "d"}},
        LeaveCase{
            "start above 200 hours", TimeBox::Start, {"200:00:00.001", "e", "d"}, {kOld, "e", "d"}},
        LeaveCase{"start at 200 hours",
                  TimeBox::Start,
                  {"200:00:00.000", z, "d"},
                  {"200:00:00.000", "200:00:00.000", z}},
        LeaveCase{"end",
                  TimeBox::End,
                  {"0:00:10.000", "1:00", "d"},
                  {"0:00:10.000", "0:01:00.000", "0:00:50.000"}},
        LeaveCase{"end equal to start",
                  TimeBox::End,
                  {"0:00:10.000", "10", "d"},
                  {"0:00:10.000", "0:00:10.000", z}},
        LeaveCase{"end before start",
                  TimeBox::End,
                  {"0:00:10.000", "9", "d"},
                  {"0:00:10.000", kOld, "d"}},
        LeaveCase{"end with a sign", TimeBox::End, {z, "-5", "d"}, {z, kOld, "d"}},
        LeaveCase{"end above 200 hours", TimeBox::End, {z, "250:00:00.000", "d"}, {z, kOld, "d"}},
        LeaveCase{"duration",
                  TimeBox::Duration,
                  {"0:00:10.000", "e", "1:30.250"},
                  {"0:00:10.000", "0:01:40.250", "0:01:30.250"}},
        LeaveCase{"duration at 200 hours",
                  TimeBox::Duration,
                  {z, "e", "200:00:00.000"},
                  {z, "200:00:00.000", "200:00:00.000"}},
        LeaveCase{"duration above 200 hours",
                  TimeBox::Duration,
                  {z, "e", "200:00:00.001"},
                  {z, "e", kOld}},
        LeaveCase{"duration with a blank", TimeBox::Duration, {z, "e", "1 :30"}, {z, "e", kOld}},
        LeaveCase{"duration empty", TimeBox::Duration, {z, "e", ""}, {z, "e", kOld}}));

// --- A tiny editor ---------------------------------------------------------------------------

struct TinyRecord {
    std::string Description;
    bool EnableTimeControl{};
    std::string Duration;
    std::string StartTime;
    uint8_t VideoCodec{};
    bool VideoSameQuality{};
    uint8_t AudioCodec{};
    bool AudioDisableAudio{};
    QUILLABE_VIDEO_BLOCK_FIELDS(V)
    QUILLABE_AUDIO_BLOCK_FIELDS(A)
    QUILLABE_RATE_BLOCK_FIELDS(P)
    bool operator==(const TinyRecord&) const = default;
};
TinyRecord Tiny;

constexpr std::array kTable{100, 200, 300, 400, 500};
constexpr std::array<editor_tables::FrameSize, 2> kSizes{{{320, 240}, {640, 480}}};
constexpr std::array kAudioTable{10, 20, 30, 40, 50, 60, 70};
constexpr std::array<editor_tables::SliderRange, 2> kRanges{{{1, 3}, {2, 7}}};
constexpr std::array kTwoRates{8000, 16000};

const std::array<VideoPageDecl<TinyRecord>, 1> kVideo{{
    {.entry = MSG_DIVX,
     .controlSuffix = "V",
     .block = QUILLABE_VIDEO_BLOCK(TinyRecord, V),
     .bitrate = {kTable, 5, 150, 450},
     .sizes = kSizes},
}};
const std::array<AudioPageDecl<TinyRecord>, 2> kAudio{{
    {MSG_AC3,
     "A",
     QUILLABE_AUDIO_BLOCK(TinyRecord, A),
     {.channels = editor_tables::Ac3ChannelsList,
      .sampleRates = kTwoRates,
      .bitrateTable = kAudioTable,
      .maxPosition = 7,
      .rangeBySampleRate = kRanges,
      .fixedRateChannel = 2,
      .fixedRateText = "16000",
      .fixedRateRange = {5, 7}}},
    {MSG_PCM16LE,
     "P",
     QUILLABE_RATE_BLOCK(TinyRecord, P),
     {.channels = editor_tables::ChannelsList, .sampleRates = kTwoRates}},
}};

class TinyEditor : public TProfileEditorFrame {
public:
    TinyEditor() : TProfileEditorFrame(nullptr, MSG_FORMAT_AVI, true) {
        BuildVideoEditor(*this, VideoEditorDecl<TinyRecord>{MSG_FORMAT_AVI, &Tiny, kVideo, kAudio});
    }
};

TinyRecord someRecord() {
    TinyRecord r;
    r.Description = "tiny";
    r.StartTime = "0:00:10.000";
    r.Duration = "0:01:00.000";
    r.VideoCodec = 0;
    r.AudioCodec = 0;
    r.VideoBitRateUsePresertV = true;
    r.VideoBitRatePresetV = 300;
    r.VideoBitRateSpecifyV = 250;
    r.VideoSizeUseSourceV = false;
    r.VideoWidthV = 640;
    r.VideoHeightV = 480;
    r.VideoKeepFrameRateV = false;
    r.VideoFrameRateV = 3;
    r.VideoAspectV = 1;
    r.AudioBitRatePresetA = 30;
    r.AudioSampleRateA = 0;
    r.AudioChannelsA = 1;
    r.AudioSampleRateP = 1;
    r.AudioChannelsP = 0;
    return r;
}

class EditorGroups : public ::testing::Test {
protected:
    void SetUp() override {
        Tiny = someRecord();
        editor.SettingsToControls();
    }
    template <class W> W* find(const char* name) {
        auto* w = editor.findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString text(const char* label) { return find<QLabel>(label)->text(); }
    TinyRecord saved() {
        editor.ControlsToSettings();
        return Tiny;
    }

    TinyEditor editor;
};

TEST_F(EditorGroups, RoundTripIsTheIdentity) {
    const TinyRecord before = Tiny;
    Tiny = {};
    EXPECT_EQ(saved(), before);
}

TEST_F(EditorGroups, BitrateRowsFollowTheChoice) {
    auto* slider = find<QSlider>("TrackBarVideoBitrateV");
    auto* configure = find<QPushButton>("ButtonVideoBitrateConfigureV");
    EXPECT_TRUE(slider->isEnabled());
    EXPECT_FALSE(configure->isEnabled());
    find<QRadioButton>("RadioButtonVideoSpecifyV")->setChecked(true);
    EXPECT_FALSE(slider->isEnabled());
    EXPECT_FALSE(find<QLabel>("LabelLowV")->isEnabled());
    EXPECT_TRUE(configure->isEnabled());
    EXPECT_TRUE(find<QLabel>("LabelBitrateSpecifyV")->isEnabled());
    EXPECT_FALSE(saved().VideoBitRateUsePresertV);
}

TEST_F(EditorGroups, BitrateSliderShowsAndStoresTheTableEntry) {
    auto* slider = find<QSlider>("TrackBarVideoBitrateV");
    EXPECT_EQ(slider->value(), 3);
    EXPECT_EQ(slider->maximum(), 5);
    slider->setValue(5);
    EXPECT_EQ(text("LabelBitrateV"), "500");
    EXPECT_EQ(saved().VideoBitRatePresetV, 500);
}

TEST_F(EditorGroups, ConfigureAsksWithinTheDeclaredBounds) {
    struct Asked {
        std::string title, prompt;
        int current, max, min;
    } asked{};
    const AskValueFn original = VideoBitrateAsker();
    VideoBitrateAsker() = [&](QWidget*, const std::string& t, const std::string& p, int cur,
                              int max, int min) {
        asked = {t, p, cur, max, min};
        return 420;
    };
    find<QRadioButton>("RadioButtonVideoSpecifyV")->setChecked(true);
    find<QPushButton>("ButtonVideoBitrateConfigureV")->click();
    VideoBitrateAsker() = original;
    EXPECT_EQ(asked.title, "Enter value");
    EXPECT_EQ(asked.prompt, "Please enter video bitrate");
    EXPECT_EQ(asked.current, 250);
    EXPECT_EQ(asked.max, 450);
    EXPECT_EQ(asked.min, 150);
    EXPECT_EQ(text("LabelBitrateSpecifyV"), "420");
    EXPECT_EQ(saved().VideoBitRateSpecifyV, 420);
}

TEST_F(EditorGroups, SizeListFollowsTheBoxes) {
    auto* list = find<QComboBox>("ComboBoxVideoSizeV");
    auto* width = find<SizeSpinBox>("EditVideoWidthV");
    EXPECT_EQ(list->currentText(), "640x480");
    width->setValue(642);
    EXPECT_EQ(list->currentText(), "...");
    list->setCurrentIndex(0);
    emit list->activated(0);
    EXPECT_EQ(saved().VideoWidthV, 320);
    EXPECT_EQ(Tiny.VideoHeightV, 240);
    list->setCurrentIndex(2);
    emit list->activated(2); // "..." changes nothing
    EXPECT_EQ(saved().VideoWidthV, 320);
    EXPECT_EQ(Tiny.VideoHeightV, 240);
}

TEST_F(EditorGroups, SizeEntriesAreCorrectedOnLeaving) {
    struct Entry {
        const char* typed;
        int value;
    };
    auto* width = find<SizeSpinBox>("EditVideoWidthV");
    for (const Entry e : {Entry{"721", 722}, Entry{"1601", 1600}, Entry{"a", 2}, Entry{"0", 2},
                          Entry{"640", 640}}) {
        width->setFocus();
        width->selectAll();
        QTest::keyClicks(width, e.typed);
        emit width->editingFinished();
        EXPECT_EQ(width->value(), e.value) << e.typed;
    }
}

TEST_F(EditorGroups, SizeControlsFollowTheChoice) {
    auto* width = find<SizeSpinBox>("EditVideoWidthV");
    EXPECT_TRUE(width->isEnabled());
    find<QRadioButton>("RadioButtonKeepSourceSizeV")->setChecked(true);
    EXPECT_FALSE(width->isEnabled());
    EXPECT_FALSE(find<QComboBox>("ComboBoxVideoSizeV")->isEnabled());
    EXPECT_TRUE(saved().VideoSizeUseSourceV);
}

TEST_F(EditorGroups, FrameRateListFollowsTheChoice) {
    auto* list = find<QComboBox>("ComboBoxVideoFrameRateV");
    EXPECT_TRUE(list->isEnabled());
    EXPECT_EQ(list->currentText(), "15");
    list->setCurrentIndex(12);
    find<QRadioButton>("RadioButtonKeepFrameRateV")->setChecked(true);
    EXPECT_FALSE(list->isEnabled());
    const auto r = saved();
    EXPECT_TRUE(r.VideoKeepFrameRateV);
    EXPECT_EQ(r.VideoFrameRateV, 12);
}

TEST_F(EditorGroups, AspectLoadsOnlyKnownChoices) {
    EXPECT_TRUE(find<QRadioButton>("RadioButtonAspect43V")->isChecked());
    Tiny.VideoAspectV = 7;
    editor.SettingsToControls();
    EXPECT_TRUE(find<QRadioButton>("RadioButtonAspect43V")->isChecked());
    find<QRadioButton>("RadioButtonAspect169V")->setChecked(true);
    EXPECT_EQ(saved().VideoAspectV, 2);
}

TEST_F(EditorGroups, AudioAutoBitrateDisablesTheSlider) {
    auto* slider = find<QSlider>("TrackBarAudioBitrateA");
    EXPECT_TRUE(slider->isEnabled());
    find<QCheckBox>("CheckBoxAutoSetAudioBitrateA")->setChecked(true);
    EXPECT_FALSE(slider->isEnabled());
    EXPECT_FALSE(find<QLabel>("LabelAudioBitrateA")->isEnabled());
    EXPECT_TRUE(saved().AudioBitRateUseAutoSetA);
}

TEST_F(EditorGroups, AudioRangeFollowsSampleRateAndChannels) {
    auto* slider = find<QSlider>("TrackBarAudioBitrateA");
    auto* rates = find<QComboBox>("ComboBoxSampleRateA");
    auto* channels = find<QComboBox>("ComboBoxAudioChannelsA");
    auto* stack =
        qobject_cast<QStackedWidget*>(find<QWidget>("GroupBoxSampleRateA")->parentWidget());
    EXPECT_EQ(slider->maximum(), 3);
    rates->setCurrentIndex(1);
    EXPECT_EQ(slider->minimum(), 2);
    slider->setValue(7);
    rates->setCurrentIndex(0); // position 7 → nearer end 3
    EXPECT_EQ(text("LabelAudioBitrateA"), "30");
    channels->setCurrentIndex(2);
    EXPECT_EQ(slider->minimum(), 5);
    EXPECT_EQ(text("LabelAudioBitrateA"), "50");
    EXPECT_EQ(find<QWidget>("GroupBoxSampleRateA_6Channels"), stack->currentWidget());
    channels->setCurrentIndex(1);
    EXPECT_EQ(slider->maximum(), 3);
    EXPECT_EQ(saved().AudioBitRatePresetA, 30);
    EXPECT_EQ(Tiny.AudioSampleRateA, 0);
}

TEST_F(EditorGroups, AudioBitrateAboveTheRangeLoadsAsItsTop) {
    Tiny.AudioBitRatePresetA = 70; // in the table, above 8000 Hz's range
    editor.SettingsToControls();
    EXPECT_EQ(text("LabelAudioBitrateA"), "30");
    EXPECT_EQ(saved().AudioBitRatePresetA, 30);
}

TEST_F(EditorGroups, CodecListsSelectTheirPages) {
    auto* audio = editor.AudioCodecList();
    auto* stack = editor.AudioCodecPages();
    EXPECT_EQ(stack->currentIndex(), 0);
    audio->setCurrentIndex(1);
    EXPECT_EQ(stack->currentIndex(), 1);
    EXPECT_EQ(saved().AudioCodec, 1);
    EXPECT_EQ(stack->currentWidget()->findChild<QLabel*>("LabelFormatProperties")->text(),
              "WAV (pcm 16 little-endian) format properties");
}

TEST_F(EditorGroups, DisableAudioHidesTheAudioPage) {
    auto* tabs = editor.Pages();
    EXPECT_TRUE(tabs->isTabVisible(2));
    editor.DisableAudioBox()->setChecked(true);
    EXPECT_FALSE(tabs->isTabVisible(2));
    EXPECT_FALSE(editor.AudioCodecList()->isEnabled());
    EXPECT_TRUE(tabs->isTabVisible(1));
    editor.DisableAudioBox()->setChecked(false);
    EXPECT_TRUE(tabs->isTabVisible(2));
    EXPECT_TRUE(editor.AudioCodecList()->isEnabled());
}

TEST_F(EditorGroups, TimeControlEnablesTheTimeBoxes) {
    auto* time = editor.TimeControl();
    EXPECT_EQ(time->Text(TimeBox::End), "0:01:10.000");
    EXPECT_FALSE(time->Edit(TimeBox::Start)->isEnabled());
    time->EnableBox()->setChecked(true);
    EXPECT_TRUE(time->Edit(TimeBox::Duration)->isEnabled());
    EXPECT_TRUE(find<QLabel>("LabelTimeLabel")->isEnabled());
}

// The window is shown and active here, so the focus really moves.
class EditorWindow : public EditorGroups {
protected:
    void SetUp() override {
        EditorGroups::SetUp();
        editor.show();
        editor.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    }
    void type(TimeBox box, const char* text) {
        auto* edit = editor.TimeControl()->Edit(box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
};

TEST_F(EditorWindow, LeavingATimeBoxAppliesItsRule) {
    editor.TimeControl()->EnableBox()->setChecked(true);
    type(TimeBox::Start, "90");
    type(TimeBox::Duration, "abc"); // leaving Start: 90 s, beyond End
    EXPECT_EQ(editor.TimeControl()->Text(TimeBox::End), "0:01:30.000");
    EXPECT_EQ(editor.TimeControl()->Text(TimeBox::Duration), "abc");
    editor.SaveButton()->setFocus();
    EXPECT_EQ(editor.TimeControl()->Text(TimeBox::Duration), "0:00:00.000");
}

TEST_F(EditorWindow, EnterSavesTheRevertedStart) {
    editor.TimeControl()->EnableBox()->setChecked(true);
    type(TimeBox::Start, "abc");
    QTest::keyClick(editor.TimeControl()->Edit(TimeBox::Start), Qt::Key_Return);
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_EQ(saved().StartTime, "0:00:10.000");
}

TEST_F(EditorWindow, EscapeClosesFromAnyControl) {
    QTest::keyClick(find<SizeSpinBox>("EditVideoWidthV"), Qt::Key_Escape);
    EXPECT_EQ(editor.result(), QDialog::Rejected);
    EXPECT_FALSE(editor.isVisible());
}

} // namespace
