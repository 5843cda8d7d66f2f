// quillabe --build-args and --save-default-profile, run as the real program in a program
// directory of its own.

#include "core/IniFile.h"
#include "core/OutputFormat.h"
#include "profiles/ProfileRecords.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace quillabe {
namespace {

using test::TempDir;

struct ProcessResult {
    int exitCode = -1;
    std::string out, err;
};

// Runs quillabe with the arguments and QUILLABE_HOME = home.
ProcessResult runQuillabe(const TempDir& home, const std::vector<std::string>& args) {
    const std::string exe = std::string(std::getenv("QUILLABE_APP_DIR")) + "/quillabe";
    const std::string outFile = home.File("stdout.txt"), errFile = home.File("stderr.txt");
    pid_t pid = fork();
    if (pid == 0) {
        setenv("QUILLABE_HOME", home.Path().c_str(), 1);
        int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        std::vector<char*> argv{const_cast<char*>(exe.c_str())};
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(exe.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ProcessResult r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = home.Read("stdout.txt");
    r.err = home.Read("stderr.txt");
    return r;
}

TEST(ProfileModes, DefaultProfilesOfEveryFormat) {
    const struct {
        const char* format;
        size_t keys;
        const char* args;
    } cases[] = {
        {"avi", 149,
         "-y -f avi -vcodec msmpeg4 -b 1080k -r 25 -acodec mp3 -ac 2 -ab 96 -ar 22050 "},
        {"mpg", 49, "-y -vcodec mpeg2video -b 2496k -r 25 -acodec ac3 -ac 2 -ar 48000 -ab 256 "},
        {"vob", 25,
         "-y -f vob -vcodec mpeg2video -s 720x576 -b 6000k -r 25 -aspect 5:4 -acodec ac3 -ac 2 "
         "-ar 48000 -ab 384 "},
        {"mov", 66, "-y -f mov -vcodec h264 -b 1200k -r 25 -ac 2 -ab 64 -ar 22050 "},
        {"wmv", 48, "-y -vcodec wmv2 -b 768k -r 25 -acodec mp3 -ac 2 -ar 22050 "},
        {"asf", 30, "-y -f asf -vcodec msmpeg4 -b 768k -r 25 -acodec mp3 -ac 2 -ab 64 -ar 22050 "},
        {"rm", 21, "-y -f rm -vcodec rv10 -b 768k -r 25 -acodec ac3 -ac 2 -ar 48000 -ab 256 "},
        {"swf", 21, "-y -vcodec flv -b 768k -r 25 -acodec mp3 -ac 2 -ar 22050 "},
        {"aac", 9, "-y -f aac -vn -acodec aac -ac 2 -ab 128 -ar 44100 "},
        {"ac3", 9, "-y -f ac3 -vn -acodec ac3 -ac 2 -ar 48000 -ab 384 "},
        {"mp2", 9, "-y -f mp2 -vn -acodec mp2 -ac 2 -ab 160 -ar 44100 "},
        {"mp3", 9, "-y -f mp3 -vn -acodec mp3 -ac 2 -ab 128 -ar 44100 "},
        {"amr", 13, "-y -f amr -vn -acodec amr_nb -ac 1 -ar 8000 -ab 13 "},
        {"wav", 9, "-y -f wav -vn -acodec pcm_s16le -ac 2 -ar 44100 "},
    };
    TempDir home;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        const std::string path = home.File(std::string("Default.") + c.format);
        ProcessResult save = runQuillabe(home, {"--save-default-profile", c.format, path});
        EXPECT_EQ(save.exitCode, 0) << save.err;
        EXPECT_EQ(save.out + save.err, "");
        const auto keys = IniFile(path).ReadSectionKeys("General");
        EXPECT_EQ(keys.size(), c.keys);
        EXPECT_EQ(keys, FindProfileRecordOps(*OutputFormatFromDirectory(c.format))->saveKeys());

        ProcessResult build = runQuillabe(home, {"--build-args", c.format, path});
        EXPECT_EQ(build.exitCode, 0) << build.err;
        EXPECT_EQ(build.out, std::string(c.args) + "\n");
    }
    // The program state was started there: the profile folders exist.
    EXPECT_TRUE(std::filesystem::is_directory(home.File("profile_en/asf")));
}

TEST(ProfileModes, ProfilesInARowShareOneRecord) {
    TempDir home;
    const std::string a = home.Write("a profile.avo", "[General]\r\n"
                                                      "VideoCodec=$3\r\n"
                                                      "VideoBitRateUsePresertMsMpeg4v2=1\r\n"
                                                      "VideoBitRatePresetMsMpeg4v2=0x2BC\r\n"
                                                      "VideoKeepFrameRateMsMpeg4v2=\"1\"\r\n"
                                                      "VideoSizeUseSourceMsMpeg4v2=1\r\n"
                                                      "AudioCodec=1\r\n"
                                                      "AudioChannelsMp3=257\r\n"
                                                      "AudioBitRatePresetMp3=112\r\n"
                                                      "AudioSampleRateMp3=2\r\n");
    const std::string b = home.Write("b.avo", "[general]\nvideocodec=yes\nAudioDisableAudio=1\n");
    const std::string empty = home.Write("empty.avo", "[General]\n");
    ProcessResult r = runQuillabe(home, {"--build-args", "avi", a, b, empty});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "-y -f avi -vcodec msmpeg4v2 -b 700k -r 25 -acodec mp3 -ac 2 -ab 112 -ar 44100 \n"
              "-y -f avi -vcodec msmpeg4v2 -b 700k -r 25 -an \n"
              "-y -f avi -vcodec msmpeg4v2 -b 700k -r 25 -an \n");

    // Preset formats have no options; each file still gives its line.
    r = runQuillabe(home, {"--build-args", "mp4", a, b});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "\n\n");
}

TEST(ProfileModes, UsageErrors) {
    TempDir home;
    const std::string dir = home.Path();
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* errPart;
    } cases[] = {
        {{"--build-args"}, 2, "FORMAT"},
        {{"--build-args", "avi"}, 2, "PROFILE"},
        {{"--build-args", "divx", "x.avo"}, 2, "unknown format 'divx'"},
        {{"--build-args", "AVI", dir + "x.avo"}, 2, "cannot read the profile file '"},
        {{"--build-args", "avi", dir}, 2, "cannot read the profile file '"},
        {{"--save-default-profile"}, 2, "FORMAT and PATH"},
        {{"--save-default-profile", "avi"}, 2, "FORMAT and PATH"},
        {{"--save-default-profile", "avi", "a", "b"}, 2, "FORMAT and PATH"},
        {{"--save-default-profile", "ogg", dir + "x"}, 2, "unknown format 'ogg'"},
        {{"--save-default-profile", "mp4", dir + "x"}, 2, "presets"},
        {{"--save-default-profile", "3gp", dir + "x"}, 2, "presets"},
        {{"--save-default-profile", "wav", dir + "no/folder/x.wao"}, 1, "Unable to write to "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        ProcessResult r = runQuillabe(home, c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_NE(r.err.find(c.errPart), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(dir + "x"));
    // FORMAT in any letter case.
    EXPECT_EQ(runQuillabe(home, {"--save-default-profile", "WaV", dir + "y.wao"}).exitCode, 0);
    ProcessResult r = runQuillabe(home, {"--save-default-profile", "wav", dir + "no/folder/x.wao"});
    EXPECT_EQ(r.err, "quillabe: Unable to write to " + dir + "no/folder/x.wao\n");
}

} // namespace
} // namespace quillabe
