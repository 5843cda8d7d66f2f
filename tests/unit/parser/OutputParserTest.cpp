#include "engine/OutputParser.h"
#include "engine/ProgressTexts.h"

#include "RecordingView.h"
#include "core/DateTime.h"
#include "core/GlobalVars.h"
#include "core/MessageDialogs.h"
#include "lang/Messages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <limits>
#include <memory>
#include <ostream>

using namespace quillabe;
using quillabe::test::RecordingView;

namespace {

ParserState st = GlobalParserState();

constexpr TDateTime kT0 = 45000.25;
constexpr TDateTime kSecond = 1.0 / 86400.0;
constexpr int32_t kI32Max = std::numeric_limits<int32_t>::max();

// The fields the parser reads from the output, and the job's failure, as one comparable value.
// The defaults are what a case starts from, so a case lists only what it changes.
struct Fields {
    int32_t dur = 11111;
    int32_t pos = 2222;
    int32_t size = 33;
    int32_t kbps = 44;
    std::string in = "/prev/in.avi";
    std::string out = "/prev/out.mp4";
    bool failed = false;
    size_t boxes = 0;
    bool operator==(const Fields&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Fields& f) {
    return os << "{dur " << f.dur << ", pos " << f.pos << ", size " << f.size << ", kbps " << f.kbps
              << ", in '" << f.in << "', out '" << f.out << "', failed " << f.failed << ", boxes "
              << f.boxes << "}";
}

class OutputParser : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobalVars();
        ResetMessages();
        dialogs = std::make_shared<ScriptedMessageDialogs>();
        SetMessageDialogHandler(dialogs);
        TGlobalVars& g = GlobalVars;
        g.Batch.BatchStartTime = kT0;
        g.Job.JobStartTime = kT0;
        g.Batch.TotalCount = 1;
        g.Batch.TotalBytes = 1000;
        g.Batch.JobBytes = 1000;
        g.Job.JobInputFile = "/in/clip.avi";
        ctx.batchRunning = true;
        ctx.now = [this] { return now; };
        Preset(Fields{});
    }
    void TearDown() override { SetMessageDialogHandler(nullptr); }

    void Preset(const Fields& f) {
        TGlobalVars& g = GlobalVars;
        g.Encoder.JobDurationMs = f.dur;
        g.Encoder.JobPositionMs = f.pos;
        g.Encoder.JobSizeKB = f.size;
        g.Encoder.JobBitrateKbps = f.kbps;
        g.Encoder.StreamInputName = f.in;
        g.Encoder.StreamOutputName = f.out;
        g.Job.JobFailed = f.failed;
        g.Job.PendingOutput.clear();
        dialogs->Clear();
    }
    Fields Current() const {
        const TGlobalVars& g = GlobalVars;
        return {g.Encoder.JobDurationMs,  g.Encoder.JobPositionMs,   g.Encoder.JobSizeKB,
                g.Encoder.JobBitrateKbps, g.Encoder.StreamInputName, g.Encoder.StreamOutputName,
                g.Job.JobFailed,          dialogs->Requests().size()};
    }
    void Feed(std::string_view piece) { HandleEncoderOutput(piece, ctx, st, texts); }
    void SetCommandLine(std::string line) {
        commandLine = std::move(line);
        ctx.commandLine = commandLine;
    }

    TDateTime now = kT0 + 20 * kSecond;
    std::string commandLine;
    ParserContext ctx;
    RecordingView view;
    ProgressTexts texts{view}; // the figures as the window's texts
    std::shared_ptr<ScriptedMessageDialogs> dialogs;
};

const char* const kProgress =
    "frame=  250 fps= 25 q=2.0 size=    1024kB time=10.00 bitrate= 838.9kbits/s    \r";

TEST_F(OutputParser, ProgressLineGivesJobAndBatchDisplay) {
    Feed("  Duration: 00:00:40.00, start: 0.000000, bitrate: 64 kb/s\n");
    Feed(kProgress);
    EXPECT_EQ(Current(), (Fields{.dur = 40000, .pos = 10000, .size = 1024, .kbps = 839}));
    EXPECT_EQ(GlobalVars.Job.JobPercent, 25);
    EXPECT_EQ(GlobalVars.Batch.ProcessedBytes, 250);
    EXPECT_EQ(GlobalVars.Batch.BatchPercent, 25);
    EXPECT_EQ(GlobalVars.Job.PendingOutput, "");

    EXPECT_EQ(view.Label(ProgressLabel::LabelStatus), "Status=25%");
    EXPECT_EQ(view.Bar(ProgressBar::Status), 25);
    EXPECT_EQ(view.Label(ProgressLabel::LabelBatchElapsed), "0:00:20");
    EXPECT_EQ(view.Label(ProgressLabel::LabelStatusRemaining), "0:01:00"); // 40 s at 10 s per 20
    EXPECT_EQ(view.Label(ProgressLabel::LabelBatch), "Batch=25%");
    EXPECT_EQ(view.Bar(ProgressBar::Batch), 25);
    EXPECT_EQ(view.Label(ProgressLabel::LabelBatchEstimated), "0:01:20");
    EXPECT_EQ(view.Label(ProgressLabel::LabelBatchRemaining), "0:01:00");
    EXPECT_EQ(view.Label(ProgressLabel::LabelWorking), "Working on file 1 of 1: in.avi");
    EXPECT_EQ(view.Label(ProgressLabel::LabelOutput), "Output file: out.mp4");
    EXPECT_EQ(view.Label(ProgressLabel::LabelCovnerting), "Conveting");
    EXPECT_EQ(view.animationStarts, 1);
    EXPECT_EQ(view.trayHint, "/prev/in.avi: 25%");
    ASSERT_EQ(view.fileStates.size(), 2u);
    EXPECT_EQ(view.fileStates[1],
              (std::pair<std::string, TFileState>{"/in/clip.avi", TFileState::Converting}));
}

TEST_F(OutputParser, MarkersAndMalformedValues) {
    struct Case {
        const char* name;
        std::string text;
        Fields expected;
    };
    const Case cases[] = {
        {"duration",
         "  Duration: 00:00:40.00, start: 0.000000, bitrate: 64 kb/s\n",
         {.dur = 40000}},
        {"duration N/A", "  Duration: N/A, start: 0\n", {}},
        {"duration without comma", "  Duration: 00:00:40.00\n", {}},
        {"duration of two pieces", "  Duration: 00:40.00, x\n", {}},
        {"negative duration", "  Duration: -1:00:00.00, x\n", {}},
        {"duration beyond 64 bits", "  Duration: 99999999999999999999:00:00, x\n", {}},
        {"duration beyond 32 bits", "  Duration: 1000:00:00.00, x\n", {.dur = kI32Max}},
        {"duration not at the start", " Duration: 00:00:40.00, x\n", {}},
        {"progress", kProgress, {.pos = 10000, .size = 1024, .kbps = 839}},
        {"no values", "frame=    1 size=N/A time=N/A bitrate=N/A\r", {}},
        {"no position",
         "frame=1 size=  12kB time=10000000000.0 bitrate= 1.0kbits/s\r",
         {.pos = 0, .size = 12, .kbps = 1}},
        {"unreadable numbers",
         "f time=abc bitrate=x.5kbits/s size=-5kB \rf time=-0.02 \rf time=nan \rf time=inf \r"
         "f time=1e3 \rf time=12,5 \rf size=1e3kB bitrate=inf kbits/s\r",
         {}},
        {"position beyond 32 bits", "f time=99999999999.5 \r", {.pos = kI32Max}},
        {"position as a clock", "f time=00:00:10.50 \r", {.pos = 10500}},
        {"halves to even",
         "f size=  1024.5kB time=1.0005 bitrate= 838.5kbits/s\r",
         {.pos = 1000, .size = 1024, .kbps = 838}},
        {"input", "Input #0, avi, from '/in/a b.avi':\n", {.in = "/in/a b.avi"}},
        {"input through the script",
         "Input #0, avs, from '/prog/DirectShow.avs':\n",
         {.in = "/in/clip.avi"}},
        {"script extension is exact",
         "Input #0, avs, from '/prog/DirectShow.AVS':\n",
         {.in = "/prog/DirectShow.AVS"}},
        {"input N/A", "Input #0, avi, from 'N/A':\n", {}},
        {"input without name", "Input #0, avi\n", {}},
        {"output", "Output #0, mp4, to '/out/a.mp4':\n", {.out = "/out/a.mp4"}},
        {"ignored decoding error", "Error while decoding stream #0.1\n", {}},
        {"error", "Error opening output file\n", {.failed = true, .boxes = 1}},
        {"could not open", "[mp4 @ 0x1] Could not open 'x'\n", {.failed = true, .boxes = 1}},
        {"i/o error", "read: I/O error occured\n", {.failed = true, .boxes = 1}},
        {"no streams", "No audio or video streams available\n", {.failed = true, .boxes = 1}},
        {"no audio stream", "Error: the file has no audio stream\n", {.failed = true, .boxes = 1}},
        {"error not at the start", " Error with a blank\nerror in lower case\n", {}},
        {"every error line has its box", "Error one\nError two\r", {.failed = true, .boxes = 2}},
        {"banner after the mapping drops the piece",
         "  Stream #0.0 -> #0.0\nPress back to last\nError dropped\n",
         {}},
        {"a tagged line is no banner",
         "  Stream #0.0 -> #0.0\n[x @ 0x1] back last\nError kept\n",
         {.failed = true, .boxes = 1}},
        {"a stream line is no banner",
         "  Stream #0.0 -> #0.0\nStream back last\nError kept\n",
         {.failed = true, .boxes = 1}},
        {"the mapping must be the line before",
         "  Stream #0.0 -> #0.0\n\nback last\nError kept\n",
         {.failed = true, .boxes = 1}},
        {"a zero byte hides nothing",
         std::string("\0Error after a zero byte\n", 25),
         {.failed = true, .boxes = 1}},
    };
    for (const Case& c : cases) {
        Preset(Fields{});
        Feed(c.text);
        EXPECT_EQ(Current(), c.expected) << c.name;
    }
}

TEST_F(OutputParser, ErrorLineShowsItselfInAnInformationBox) {
    Feed("Error opening output file '/out/a.mp4'\r\n");
    ASSERT_EQ(dialogs->Requests().size(), 1u);
    const MessageRequest& r = dialogs->Requests()[0];
    EXPECT_EQ(r.text, "Error opening output file '/out/a.mp4'");
    EXPECT_EQ(r.title, "Error");
    EXPECT_EQ(r.flags, MB_ICONINFORMATION);
    EXPECT_TRUE(GlobalVars.Job.JobFailed);
}

TEST_F(OutputParser, TimeLimitOnTheCommandLine) {
    struct Case {
        const char* commandLine;
        const char* duration;
        int32_t expected;
    };
    const char* const kLimited =
        "/app/divuvo.dll -p 4417306 -i \"/in/a.avi\" -y -f avi  -t 0:00:30.000 -ss 0:00:10.000 "
        "-vcodec mpeg4 \"/out/a.avi\"";
    const Case cases[] = {
        {kLimited, "00:01:00.00", 30000},
        {kLimited, "00:00:35.00", 35000}, // limit and start reach beyond the input
        {"x -y -t 0:00:30.000 \"/out/a.avi\"", "00:01:00.00", 30000}, // no start
        {"x -y -t soon -ss 0:00:10.000 \"/out/a.avi\"", "00:01:00.00", 60000},
        // The adapter's time texts: seconds alone, seconds beyond 59.
        {"x -y -t 12.5 -ss 0:00:75 \"/out/a.avi\"", "00:02:00.00", 12500},
        {"x -y -t 0:00:10 -ss 75 \"/out/a.avi\"", "00:01:20.00", 80000},
        {"x -y \"/out/a.avi\"", "00:01:00.00", 60000},
        {" -t 0:00:30.000 -ss 0:00:05.000 -target ntsc-vcd ", "00:01:00.00", 30000},
        // A file name holding the option's text is one argument, not the option.
        {"x -i \"/in/my -t 0:00:01.000 -ss 0:00:00.000 clip.avi\" -y -t 0:00:30.000 -ss "
         "0:00:10.000 \"/out/a.avi\"",
         "00:01:00.00", 30000},
        {"x -i \"/in/my -t 0:00:01.000 clip.avi\" -y \"/out/a.avi\"", "00:01:00.00", 60000},
    };
    for (const Case& c : cases) {
        Preset(Fields{});
        SetCommandLine(c.commandLine);
        Feed(std::string("  Duration: ") + c.duration + ", start: 0\n");
        EXPECT_EQ(GlobalVars.Encoder.JobDurationMs, c.expected)
            << c.commandLine << " " << c.duration;
    }
    // The rule runs for every line, before the duration line too.
    Preset(Fields{.dur = 90000});
    SetCommandLine(kLimited);
    Feed("anything\n");
    EXPECT_EQ(GlobalVars.Encoder.JobDurationMs, 30000);
}

// The output of one job as the encoder writes it: progress lines end in a lone CR, the last
// line has no break at all.
const char* const kRecorded =
    "Input #0, avi, from '/in/clip.avi':\r\n"
    "  Duration: 00:00:40.00, start: 0.000000, bitrate: 1205 kb/s\r\n"
    "    Stream #0.0: Video: mpeg4, yuv420p, 320x240, 25.00 tb(r)\r\n"
    "Output #0, mp4, to '/out/clip.mp4':\r\n"
    "    Stream #0.0: Video: mpeg4, yuv420p, 320x240, q=2-31, 838 kb/s, 25.00 tb(c)\r\n"
    "Stream mapping:\r\n"
    "  Stream #0.0 -> #0.0\r\n"
    "Press [q] to stop encoding\r\n"
    "frame=   25 fps=  0 q=2.0 size=     100kB time=1.00 bitrate= 819.2kbits/s    \r"
    "frame=  250 fps= 25 q=2.0 size=    1024kB time=10.00 bitrate= 838.9kbits/s    \r"
    "Error while decoding stream #0.0\n"
    "frame=  500 fps= 25 q=2.0 size=    2048kB time=20.00 bitrate= 838.9kbits/s    \r"
    "Error writing frame 501\r\r\n"
    "frame=  750 fps= 25 q=2.0 size=    3072kB time=30.00 bitrate= 838.9kbits/s    \r"
    "[mp4 @ 0x55] Could not open something\n"
    "frame= 1000 fps= 25 q=2.0 Lsize=    4093kB time=39.50 bitrate= 848.7kbits/s";

TEST_F(OutputParser, EveryChunkingGivesTheSameResult) {
    const std::string all = kRecorded;
    const Fields expected{.dur = 40000,
                          .pos = 39500,
                          .size = 4093,
                          .kbps = 849,
                          .in = "/in/clip.avi",
                          .out = "/out/clip.mp4",
                          .failed = true,
                          .boxes = 2};
    auto run = [&](const std::vector<size_t>& cuts, const std::string& label) {
        Preset(Fields{});
        size_t from = 0;
        for (size_t cut : cuts) {
            Feed(std::string_view(all).substr(from, cut - from));
            from = cut;
        }
        Feed(std::string_view(all).substr(from));
        EXPECT_EQ(GlobalVars.Job.PendingOutput, "frame= 1000 fps= 25 q=2.0 Lsize=    4093kB "
                                                "time=39.50 bitrate= 848.7kbits/s")
            << label;
        FlushPendingOutput(ctx, st, texts);
        EXPECT_EQ(GlobalVars.Job.PendingOutput, "") << label;
        EXPECT_EQ(Current(), expected) << label;
        EXPECT_EQ(GlobalVars.Job.JobPercent, 99) << label;
    };
    run({}, "one piece");
    for (size_t cut = 1; cut < all.size(); ++cut)
        run({cut}, "two pieces cut at " + std::to_string(cut));
    for (size_t step : {1u, 7u, 64u}) {
        std::vector<size_t> cuts;
        for (size_t cut = step; cut < all.size(); cut += step)
            cuts.push_back(cut);
        run(cuts, "pieces of " + std::to_string(step));
    }
}

TEST_F(OutputParser, EndedEncoderCarriesNothing) {
    ctx.exited = true;
    Feed("frame= 1 size= 10kB time=5.00 bitrate= 1.0kbits/s");
    EXPECT_EQ(GlobalVars.Encoder.JobPositionMs, 5000);
    EXPECT_EQ(GlobalVars.Job.PendingOutput, "");

    // A remainder left from before the end is the job's last line.
    ctx.exited = false;
    Feed("frame= 2 size= 10kB time=6.00 bitrate= 1.0kbits/s\rError at the very end");
    EXPECT_FALSE(GlobalVars.Job.JobFailed);
    FlushPendingOutput(ctx, st, texts);
    EXPECT_TRUE(GlobalVars.Job.JobFailed);
    EXPECT_EQ(dialogs->Requests().at(0).text, "Error at the very end");
    size_t states = view.fileStates.size();
    FlushPendingOutput(ctx, st, texts); // nothing left: nothing happens
    EXPECT_EQ(view.fileStates.size(), states);
}

TEST_F(OutputParser, OutputWithoutBreaksIsNotHeldWithoutBound) {
    const std::string piece(4096, 'x');
    size_t largest = 0;
    for (int i = 0; i < 1024; ++i) { // 4 MiB in one endless line
        Feed(piece);
        largest = std::max(largest, GlobalVars.Job.PendingOutput.size());
    }
    EXPECT_LE(largest, (size_t(1) << 20) + piece.size());
    EXPECT_GE(largest, size_t(1) << 20);
    Feed("\nError after the long line\n");
    EXPECT_EQ(dialogs->Requests().size(), 1u);
    EXPECT_EQ(GlobalVars.Job.PendingOutput, "");
}

TEST_F(OutputParser, WithoutBatchOnlyTheStateAndTheRemainderChange) {
    ctx.batchRunning = false;
    Feed(std::string(kProgress) + "Error one\npartial");
    EXPECT_EQ(Current(), Fields{});
    EXPECT_EQ(GlobalVars.Job.PendingOutput, "partial");
    EXPECT_EQ(view.fileStates.size(), 1u);
    EXPECT_TRUE(view.labels.empty());
}

TEST_F(OutputParser, BlankLinesShowNothing) {
    Feed("   \t\r\n\r\n\r");
    EXPECT_TRUE(view.labels.empty());
    EXPECT_EQ(view.animationStarts, 0);
}

TEST_F(OutputParser, BatchOfTwoFilesAndTheEndOfAJob) {
    TGlobalVars& g = GlobalVars;
    g.Batch.TotalCount = 2;
    g.Batch.TotalBytes = 2000;
    g.Batch.JobBytes = 1000;
    Feed("  Duration: 00:00:40.00, start: 0\n"
         "f time=20.00 \r");
    EXPECT_EQ(g.Job.JobPercent, 50);
    EXPECT_EQ(g.Batch.BatchPercent, 25);
    EXPECT_EQ(view.Label(ProgressLabel::LabelBatch), "Batch=25%");

    EndOfJobUpdate(ctx, st, texts);
    EXPECT_EQ(g.Batch.FinishedBytes, 1000);
    EXPECT_EQ(g.Batch.ProcessedBytes, 1000);
    EXPECT_EQ(g.Batch.BatchPercent, 50);
    EXPECT_EQ(view.Label(ProgressLabel::LabelBatch), "Batch=50%");
    EXPECT_EQ(view.Bar(ProgressBar::Batch), 50);
    EXPECT_EQ(view.Label(ProgressLabel::LabelBatchEstimated), "0:00:40");
    EXPECT_EQ(view.Label(ProgressLabel::LabelBatchRemaining), "0:00:20");

    // The second job: its percent counts on top of the finished bytes.
    g.Batch.DoneCount = 1;
    g.Job.JobPercent = 0;
    Feed("f time=10.00 \r");
    EXPECT_EQ(g.Batch.BatchPercent, 62); // (1000 + 250) / 2000 = 62.5, to even
    EXPECT_EQ(view.Label(ProgressLabel::LabelWorking), "Working on file 2 of 2: in.avi");
}

TEST_F(OutputParser, SizesOfZeroLeaveTheBatchPercent) {
    TGlobalVars& g = GlobalVars;
    g.Batch.TotalBytes = 0;
    g.Batch.JobBytes = 0;
    g.Batch.BatchPercent = 7;
    Feed("  Duration: 00:00:40.00, start: 0\nf time=20.00 \r");
    EXPECT_EQ(g.Job.JobPercent, 50);
    EXPECT_EQ(g.Batch.BatchPercent, 7);
    EXPECT_EQ(view.Label(ProgressLabel::LabelBatch), "<unset>");
    EndOfJobUpdate(ctx, st, texts);
    EXPECT_EQ(g.Batch.BatchPercent, 7);
    EXPECT_EQ(view.Label(ProgressLabel::LabelBatch), "<unset>");
}

TEST_F(OutputParser, PositionBeyondTheDurationShowsAHundred) {
    Feed("  Duration: 00:00:40.00, start: 0\nf time=55.00 \r");
    EXPECT_EQ(GlobalVars.Job.JobPercent, 100);
    EXPECT_EQ(GlobalVars.Batch.BatchPercent, 100);
}

TEST_F(OutputParser, ResetProgressDisplay) {
    view.animating = true;
    texts.DisplayReset();
    using L = ProgressLabel;
    for (L label : {L::LabelStatusRemaining, L::LabelBatchRemaining, L::LabelBatchElapsed,
                    L::LabelBatchEstimated})
        EXPECT_EQ(view.Label(label), "0:00:00");
    EXPECT_EQ(view.Label(L::LabelStatus), "Status=0%");
    EXPECT_EQ(view.Label(L::LabelBatch), "Batch=0%");
    EXPECT_EQ(view.Label(L::LabelWorking), "Please wait...");
    EXPECT_EQ(view.Label(L::LabelOutput), "");
    EXPECT_EQ(view.Label(L::LabelCovnerting), "Preparing");
    EXPECT_FALSE(view.animating);
}

// A point is the decimal separator of the encoder's numbers whatever the user's locale. When no
// decimal-comma locale is installed, one is compiled into a temporary folder if possible.
TEST_F(OutputParser, DecimalPointUnderACommaLocale) {
    std::string saved = std::setlocale(LC_ALL, nullptr);
    const char* locale = std::setlocale(LC_ALL, "de_DE.UTF-8");
    quillabe::test::TempDir localeDir;
    if (!locale) {
        std::string cmd =
            "localedef -i de_DE -f UTF-8 '" + localeDir.Path() + "de_DE.UTF-8' >/dev/null 2>&1";
        if (std::system(cmd.c_str()) == 0) {
            setenv("LOCPATH", localeDir.Path().c_str(), 1);
            locale = std::setlocale(LC_ALL, "de_DE.UTF-8");
        }
    }
    if (!locale) {
        unsetenv("LOCPATH");
        GTEST_SKIP() << "no decimal-comma locale available";
    }
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    Feed("f size=  12.5kB time=12.5 bitrate= 12.5kbits/s\r");
    std::setlocale(LC_ALL, saved.c_str());
    unsetenv("LOCPATH");
    EXPECT_EQ(GlobalVars.Encoder.JobPositionMs, 12500);
    EXPECT_EQ(GlobalVars.Encoder.JobSizeKB, 12);
    EXPECT_EQ(GlobalVars.Encoder.JobBitrateKbps, 12);
}

} // namespace
