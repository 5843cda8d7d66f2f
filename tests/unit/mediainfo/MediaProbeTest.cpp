#include "mediainfo/MediaProbe.h"
#include "base/PathUtils.h"
#include "lang/Messages.h"
#include "mediainfo/MediaInfoHandle.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

using namespace quillabe;
namespace fs = std::filesystem;

namespace {

// Tiny clips made once for the whole suite with ffmpeg's generated sources.
class Probe : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<test::TempDir>();
        const std::string ff = "ffmpeg -nostdin -hide_banner -loglevel error -y ";
        const std::string video = "-f lavfi -i testsrc=size=64x48:rate=10:duration=1 ";
        const std::string audio = "-f lavfi -i sine=frequency=440:duration=1 ";
        haveClips_ = std::system((ff + video + audio + "-c:v mpeg4 -b:v 200k -c:a aac -shortest " +
                                  dir_->File("av.mp4") + " 2>/dev/null")
                                     .c_str()) == 0 &&
                     std::system((ff + audio + dir_->File("a.wav") + " 2>/dev/null").c_str()) == 0;
    }
    static void TearDownTestSuite() { dir_.reset(); }
    void SetUp() override {
        ResetMessages();
        if (!haveClips_)
            GTEST_SKIP() << "ffmpeg could not make the test clips";
    }
    void TearDown() override { ResetMessages(); }

    static std::string Clip(const std::string& name) { return dir_->File(name); }
    // A copy of a clip under another name.
    static std::string CopyAs(const std::string& clip, const std::string& name) {
        std::string to = dir_->File(name);
        fs::copy_file(Clip(clip), to, fs::copy_options::overwrite_existing);
        return to;
    }

    static std::unique_ptr<test::TempDir> dir_;
    static bool haveClips_;
};
std::unique_ptr<test::TempDir> Probe::dir_;
bool Probe::haveClips_ = false;

std::vector<std::string> VideoFields(const TFileItem& i) {
    return {i.VideoCodec, i.Width, i.Height, i.VideoBitrate, i.AspectRatio, i.FrameRate};
}

bool AllDigits(const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

size_t OpenDescriptors() {
    return static_cast<size_t>(std::distance(fs::directory_iterator("/proc/self/fd"), {}));
}

TEST_F(Probe, VideoAndAudioClipFillsAllSixteenAnswers) {
    const std::string path = Clip("av.mp4");
    TFileItem item;
    ASSERT_TRUE(ProbeFile(path, item));
    EXPECT_EQ(item.CompleteName, path);
    EXPECT_EQ(item.FileSize, std::to_string(GetFileSize64(path)));
    EXPECT_EQ(item.Format, "MPEG-4");
    EXPECT_EQ(item.PlayTime, "00:00:01.000");
    EXPECT_EQ(item.AudioCount, "1");
    EXPECT_EQ(item.VideoCount, "1");
    // "Codec/String" and the video "Bitrate" are retired names: answered through the current ones.
    EXPECT_EQ(item.VideoCodec, "MPEG-4 Visual");
    EXPECT_TRUE(AllDigits(item.VideoBitrate)) << item.VideoBitrate;
    EXPECT_EQ(item.Width, "64");
    EXPECT_EQ(item.Height, "48");
    EXPECT_EQ(item.AspectRatio, "1.333");
    EXPECT_EQ(item.FrameRate, "10.000");
    EXPECT_EQ(item.AudioCodec, "AAC LC");
    EXPECT_TRUE(AllDigits(item.AudioBitrate)) << item.AudioBitrate;
    EXPECT_EQ(item.Channels, "1");
    EXPECT_EQ(item.SamplingRate, "44100");
    // The probe fills media fields only.
    EXPECT_TRUE(item.FileName.empty());
    EXPECT_TRUE(item.FilePath.empty());
}

TEST_F(Probe, AudioOnlyFileIsAcceptedWithPlaceholderVideoFields) {
    TFileItem item;
    ASSERT_TRUE(ProbeFile(Clip("a.wav"), item));
    EXPECT_EQ(item.Format, "Wave");
    EXPECT_EQ(item.AudioCount, "1");
    EXPECT_EQ(item.VideoCount, "...");
    for (const std::string& v : VideoFields(item))
        EXPECT_EQ(v, "...");
    EXPECT_EQ(item.SamplingRate, "44100");
}

// Raw GSM has no header: a non-empty file of that type is taken by its name, an empty one is not.
TEST_F(Probe, HeaderlessGsmIsTakenByItsName) {
    const std::string gsm = dir_->File("voice.gsm");
    if (std::system(("ffmpeg -nostdin -loglevel error -y -f lavfi -i sine=duration=1 -ar 8000 "
                     "-ac 1 -c:a libgsm -f gsm " +
                     gsm + " 2>/dev/null")
                        .c_str()) != 0)
        GTEST_SKIP() << "ffmpeg could not write GSM";
    TFileItem item;
    EXPECT_TRUE(ProbeFile(gsm, item));
    EXPECT_EQ(item.CompleteName, gsm);
    const std::string empty = dir_->Write("empty.GSM", "");
    EXPECT_FALSE(ProbeFile(empty, item));
}

TEST_F(Probe, FilesWithNothingRecognisableAreRefused) {
    // The library names and sizes any readable file; these still must not enter the list.
    const std::string junk = dir_->Write("junk.avi", "not a video, only text\n");
    const std::string empty = dir_->Write("empty.mpg", "");
    const std::string missing = Clip("missing.avi");
    for (const std::string& path : {junk, empty, missing}) {
        TFileItem item;
        EXPECT_FALSE(ProbeFile(path, item)) << path;
        EXPECT_EQ(item.CompleteName, "...") << path;
        EXPECT_EQ(item.FileSize, "...") << path;
    }
}

TEST_F(Probe, HostileNamesProbeLikeAnyOther) {
    const std::string names[] = {
        "ünïcödé ☃ clip.mp4", // UTF-8, whatever the process locale (tests run in "C")
        std::string("bad\xff\xfe utf8.mp4"), // not valid UTF-8 at all
        "q\"uo'te $HOME `id` \\ *.mp4",
        "-leading dash.mp4",
        "new\nline.mp4",
    };
    const size_t fdsBefore = OpenDescriptors();
    for (const std::string& name : names) {
        const std::string path = CopyAs("av.mp4", name);
        TFileItem item;
        ASSERT_TRUE(ProbeFile(path, item)) << name;
        EXPECT_EQ(item.FileSize, std::to_string(GetFileSize64(path))) << name;
        EXPECT_EQ(item.Width, "64") << name;
        EXPECT_EQ(item.AudioCount, "1") << name;
        if (name.find('\n') == std::string::npos) { // the library shows a line break as " / "
            EXPECT_EQ(item.CompleteName, path) << name;
        }
        EXPECT_EQ(MediaReport(path).find("/proc/self/fd"), std::string::npos) << name;
    }
    EXPECT_EQ(OpenDescriptors(), fdsBefore);
}

TEST_F(Probe, SpecialFilesAreRefusedWithoutBlocking) {
    // Opening a FIFO for reading would wait for a writer forever.
    for (const std::string name : {"fifo.avi", "fïfo.avi"}) {
        const std::string path = Clip(name);
        ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
        TFileItem item;
        EXPECT_FALSE(ProbeFile(path, item)) << name;
        EXPECT_EQ(MediaReport(path), "") << name;
    }
}

TEST_F(Probe, ChangedPlaceholderIsStoredAndCompared) {
    SetMsg(MSG_EMPTY_STR, "n/a");
    TFileItem audio;
    ASSERT_TRUE(ProbeFile(Clip("a.wav"), audio));
    for (const std::string& v : VideoFields(audio))
        EXPECT_EQ(v, "n/a");

    TFileItem junk;
    EXPECT_FALSE(ProbeFile(dir_->Write("junk2.avi", "text"), junk));
    EXPECT_EQ(junk.CompleteName, "n/a");

    // The rule compares with the text current now, not with the default.
    TFileItem item;
    item.CompleteName = "...";
    item.FileSize = "...";
    EXPECT_TRUE(ProbeAccepted(item));
    item.FileSize = "n/a";
    EXPECT_FALSE(ProbeAccepted(item));
    item.FileSize = "1";
    item.CompleteName = "n/a";
    EXPECT_FALSE(ProbeAccepted(item));
}

TEST_F(Probe, ReportOfAFileAndOfNoFile) {
    const std::string report = MediaReport(Clip("av.mp4"));
    EXPECT_NE(report.find("General"), std::string::npos);
    EXPECT_NE(report.find("Video"), std::string::npos);
    EXPECT_NE(report.find("Audio"), std::string::npos);
    EXPECT_NE(report.find(Clip("av.mp4")), std::string::npos);
    EXPECT_EQ(MediaReport(Clip("gone.mp4")), "");
    EXPECT_EQ(MediaReport(dir_->Path()), ""); // a folder is no file
}

} // namespace
