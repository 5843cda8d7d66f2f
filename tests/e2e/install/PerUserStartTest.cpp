// The installed program started by an ordinary user: program files in PREFIX/lib/quillabe, the
// shipped data in PREFIX/share/quillabe, both read-only for the user, who gets a folder of their
// own. Root can write everywhere, so the program runs as "nobody" through setpriv.

#include "base/PathUtils.h"
#include "support/ChildRun.h"
#include "support/TempDir.h"
#include "support/TestClips.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace quillabe {
namespace {

namespace fs = std::filesystem;
using test::RunResult;
using test::TempDir;

constexpr uid_t kNobody = 65534;

std::string contents(const std::string& path) {
    std::string text;
    return ReadFileText(path, text) ? text : "<missing>";
}

class PerUserStart : public ::testing::Test {
protected:
    void SetUp() override {
        if (geteuid() != 0 || !FileExists("/usr/bin/setpriv"))
            GTEST_SKIP() << "starting the program as another user needs root and setpriv";
        const std::string app = AddBackslash(std::getenv("QUILLABE_APP_DIR"));
        chmod(prefix.Path().c_str(), 0755);
        fs::create_directories(lib());
        fs::copy_file(app + "quillabe", lib() + "quillabe");
        fs::copy_file(FAKE_ENCODER, lib() + "divuvo.dll");
        std::ofstream(lib() + "fake_encoder.script") << "create-output 16\n";
        fs::create_directories(prefix.File("bin"));
        fs::create_directories(share());
        fs::create_symlink("../lib/quillabe/quillabe", prefix.File("bin/quillabe"));
        for (const auto& entry : fs::directory_iterator(app))
            if (entry.is_directory())
                fs::copy(entry.path(), share() + entry.path().filename().string(),
                         fs::copy_options::recursive);
        fs::create_directories(home());
        fs::copy_file(test::SmallClip(), prefix.File("clip.avi"));
    }

    std::string lib() const { return prefix.File("lib/quillabe/"); }
    std::string share() const { return prefix.File("share/quillabe/"); }
    std::string home() const { return prefix.File("home/"); }
    std::string userDir() const { return home() + ".local/share/quillabe/"; }
    void giveHomeToTheUser() const {
        for (const auto& entry : fs::recursive_directory_iterator(home()))
            lchown(entry.path().c_str(), kNobody, kNobody);
        lchown(home().c_str(), kNobody, kNobody);
    }

    RunResult run(const std::vector<std::string>& args) const {
        std::vector<std::string> argv{"/usr/bin/setpriv", "--reuid=65534", "--regid=65534",
                                      "--clear-groups", prefix.File("bin/quillabe")};
        argv.insert(argv.end(), args.begin(), args.end());
        // An empty XDG_DATA_HOME counts as unset.
        return test::RunProcess(argv,
                                {"HOME=" + home(), "XDG_DATA_HOME=", "QUILLABE_POWER_DRY_RUN=1",
                                 "QUILLABE_LOGIN1_BUS=unix:path=" + prefix.File("no-bus")});
    }

    TempDir prefix;
};

TEST_F(PerUserStart, TheFirstStartFillsTheUsersFolderAndTheEncoderRunsFromTheProgramFiles) {
    giveHomeToTheUser();
    const std::string out = home() + "out/";
    RunResult mp3 = run({"--convert", "--to", "mp3", "--output", out, prefix.File("clip.avi")});
    EXPECT_EQ(mp3.exitCode, 0) << mp3.out << mp3.err;
    EXPECT_EQ(GetFileSize64(out + "clip.mp3"), 16);
    // A preset names the encoder through <%AppPath%>.
    RunResult mp4 = run({"--convert", "--to", "mp4", "--output", out, prefix.File("clip.avi")});
    EXPECT_EQ(mp4.exitCode, 0) << mp4.out << mp4.err;
    EXPECT_EQ(GetFileSize64(out + "clip.mp4"), 16);

    for (const char* name : {".seeded", "info.ini", "skin/ozu/skin/skin.ini",
                             "profile_en/mp3/Default.mpo", "profile_en/DirectShow.avs"})
        EXPECT_TRUE(FileExists(userDir() + name)) << name;
    EXPECT_FALSE(PathExists(userDir() + "divuvo.dll"));
    EXPECT_EQ(contents(userDir() + "cores/DirectShow.avs"),
              contents(share() + "cores/DirectShow.avs"));
    // Nothing was written beside the program or into the shipped data.
    std::vector<std::string> programFiles;
    for (const auto& entry : fs::directory_iterator(lib()))
        programFiles.push_back(entry.path().filename().string());
    std::sort(programFiles.begin(), programFiles.end());
    EXPECT_EQ(programFiles,
              (std::vector<std::string>{"divuvo.dll", "fake_encoder.script", "quillabe"}));
    EXPECT_FALSE(PathExists(share() + "info.ini"));
}

TEST_F(PerUserStart, AHomeThatCannotBeWrittenStopsTheStartWithAClearMessage) {
    // The home stays root's: the user cannot create .local in it.
    RunResult r = run({"--list-profiles", "mp3"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Cannot create the folder \"" + userDir() + "\": Permission denied"),
              std::string::npos)
        << r.err;
}

TEST_F(PerUserStart, AnUpgradeThatCannotReplaceALanguageFileSaysSoAndKeepsTheOldOne) {
    giveHomeToTheUser();
    ASSERT_EQ(run({"--list-profiles", "mp3"}).exitCode, 0);
    const std::string language = "skin/ozu/lang/english.ini";
    const std::string before = contents(userDir() + language);
    ASSERT_NE(before, "<missing>");
    std::ofstream(share() + language, std::ios::app) << "; a newer text\n";
    chmod((userDir() + "skin/ozu/lang").c_str(), 0555);

    RunResult r = run({"--list-profiles", "mp3"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Default"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("english.ini\": Permission denied"), std::string::npos) << r.err;
    EXPECT_EQ(contents(userDir() + language), before);

    chmod((userDir() + "skin/ozu/lang").c_str(), 0755);
    r = run({"--list-profiles", "mp3"});
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(contents(userDir() + language), contents(share() + language));
}

} // namespace
} // namespace quillabe
