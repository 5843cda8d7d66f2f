// The real program, started in a program directory of its own and ended the way a desktop
// session ends it.

#include "core/IniFile.h"
#include "support/ChildRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace quillabe;
using quillabe::test::TempDir;

namespace {

std::string appDir() {
    return std::getenv("QUILLABE_APP_DIR");
}

// Starts quillabe with QUILLABE_HOME = home (stderr into home + "stderr.txt"), waits until
// `ready` exists below home, sends the signal and returns the exit status. A program still
// running 20 seconds later is killed: the status then shows SIGKILL.
int startAndSignal(const std::string& home, int sig, const std::string& ready = "info.ini") {
    pid_t pid = fork();
    if (pid == 0) {
        setenv("QUILLABE_HOME", home.c_str(), 1);
        int err = open((home + "stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (err >= 0)
            dup2(err, STDERR_FILENO);
        std::string exe = appDir() + "/quillabe";
        execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int i = 0; i < 200 && !std::filesystem::exists(home + ready); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // the window is up
    kill(pid, sig);
    int status = 0;
    for (int i = 0; i < 800 && waitpid(pid, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    if (waitpid(pid, &status, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    return status;
}

void copyLanguageData(const TempDir& home) {
    std::filesystem::copy(appDir() + "/skin", home.Path() + "skin",
                          std::filesystem::copy_options::recursive);
}

TEST(Startup, FirstStartWritesDefaultsAndPlacementOnSigterm) {
    TempDir home;
    copyLanguageData(home);
    int status = startAndSignal(home.Path(), SIGTERM);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    IniFile ini(home.File("info.ini"));
    EXPECT_EQ(ini.ReadSectionKeys("System"),
              (std::vector<std::string>{"LanguageFile", "LastInputOpenDir", "LastOutputOpenDir",
                                        "Priority", "ShutdownFlag", "DeleteFileAfterProcessing",
                                        "ShutdownWindowsWhenDone", "UseDirectShow",
                                        "TgpiPodPSPProfileFileName", "SimultaneousConversions"}));
    EXPECT_EQ(ini.ReadString("System", "LanguageFile", ""), "english.ini");
    EXPECT_EQ(ini.ReadInteger("System", "Priority", -1), 1);
    EXPECT_EQ(ini.ReadInteger("System", "ShutdownFlag", -1), 1);
    EXPECT_EQ(ini.ReadSectionKeys("Form"),
              (std::vector<std::string>{"x", "y", "height", "width", "maximized"}));
    EXPECT_EQ(ini.ReadInteger("Form", "width", 0), 754);
    EXPECT_EQ(ini.ReadInteger("Form", "height", 0), 571);
    EXPECT_TRUE(std::filesystem::is_directory(home.File("profile_en/avi")));
}

TEST(Startup, LaterStartKeepsSettingsAndSigintSavesToo) {
    TempDir home;
    copyLanguageData(home);
    home.Write("info.ini", "[System]\nPriority=258\nUseDirectShow=1\n[Form]\nx=-50\ny=20\n");
    int status = startAndSignal(home.Path(), SIGINT);
    ASSERT_TRUE(WIFEXITED(status));
    IniFile ini(home.File("info.ini"));
    EXPECT_EQ(ini.ReadInteger("System", "Priority", -1), 2);
    EXPECT_EQ(ini.ReadInteger("System", "UseDirectShow", -1), 1);
    EXPECT_EQ(ini.ReadInteger("System", "ShutdownFlag", -1), 1);
    EXPECT_EQ(ini.ReadInteger("Form", "x", -1), 0) << "limited to the screen";
    EXPECT_EQ(ini.ReadInteger("Form", "y", -1), 20);
}

TEST(Startup, MissingTypeDataIsReportedAndNothingIsLost) {
    TempDir home; // no language folder at all
    int status = startAndSignal(home.Path(), SIGTERM);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 0);
    IniFile ini(home.File("info.ini"));
    EXPECT_EQ(ini.ReadString("System", "LanguageFile", ""), "english.ini");
    EXPECT_FALSE(ini.ReadSectionKeys("Form").empty());
}

// Ended by the session while the settings file cannot be written, the program asks nobody:
// it reports on stderr and ends.
TEST(Startup, SigtermWithAnUnwritableSettingsFileReportsAndEnds) {
    TempDir home;
    copyLanguageData(home);
    std::filesystem::create_directory(home.File("info.ini")); // no file can replace a folder
    int status = startAndSignal(home.Path(), SIGTERM, "profile_en/asf");
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(home.Read("stderr.txt").find("Unable to write to " + home.File("info.ini")),
              std::string::npos)
        << home.Read("stderr.txt");
}

// Temporary files of interrupted writes are removed at start; files of other shapes stay.
TEST(Startup, LeftoversOfInterruptedWritesAreRemovedAtStart) {
    TempDir home;
    copyLanguageData(home);
    home.Write("info.ini", "[System]\nPriority=1\n");
    home.Write(".info.ini.Ab12Cd", "[Sys");
    home.Write("profile_en/avi/Mine.avo", "[General]\n");
    home.Write("profile_en/avi/.Mine.avo.x1Y2z3", "[Gen");
    home.Write("profile_en/avi/.Mine.avo.bak", "keep");
    home.Write(".notes.txt.Ab12Cd", "keep");
    int status = startAndSignal(home.Path(), SIGTERM, "profile_en/asf");
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_FALSE(std::filesystem::exists(home.File(".info.ini.Ab12Cd")));
    EXPECT_FALSE(std::filesystem::exists(home.File("profile_en/avi/.Mine.avo.x1Y2z3")));
    EXPECT_TRUE(std::filesystem::exists(home.File("profile_en/avi/.Mine.avo.bak")));
    EXPECT_TRUE(std::filesystem::exists(home.File(".notes.txt.Ab12Cd")));
    EXPECT_EQ(home.Read("profile_en/avi/Mine.avo"), "[General]\n");

    // A command-line mode that writes starts the same way (the ones that only print leave the
    // program directory alone).
    home.Write("profile_en/mp3/.Mine.mpo.Q9w8e7", "[Gen");
    home.Write("profile_en/mp3/Mine.mpo", "[General]\n");
    std::string cmd = "QUILLABE_HOME=" + home.Path() + " " + appDir() +
                      "/quillabe --save-default-profile mp3 " + home.File("Saved.mpo");
    EXPECT_EQ(system(cmd.c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(home.File("profile_en/mp3/.Mine.mpo.Q9w8e7")));
}

// Without a display server the window cannot open: one line says what to do instead, before
// anything is written, rather than the toolkit aborting the program.
TEST(Startup, WithoutADisplayTheWindowSaysSoAndExitsWithTwo) {
    const std::string exe = appDir() + "/quillabe";
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"QT_QPA_PLATFORM=xcb"},
        {"QT_QPA_PLATFORM=wayland;xcb"},
        {"QT_QPA_PLATFORM=", "DISPLAY=", "WAYLAND_DISPLAY="},
    };
    for (const auto& env : cases) {
        for (bool withFile : {false, true}) {
            SCOPED_TRACE(testing::PrintToString(env) + (withFile ? " clip.avi" : ""));
            TempDir home;
            copyLanguageData(home);
            std::vector<std::string> argv{"/usr/bin/env"};
            for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
                argv.insert(argv.end(), {"-u", name});
            argv.push_back("QUILLABE_HOME=" + home.Path());
            argv.insert(argv.end(), env.begin(), env.end());
            argv.push_back(exe);
            if (withFile)
                argv.push_back(home.File("clip.avi"));
            test::RunResult r = test::RunProcess(argv);
            EXPECT_EQ(r.exitCode, 2) << r.err;
            EXPECT_EQ(r.err, "quillabe: no graphical display found; use --convert for the "
                             "command line, see --help\n");
            EXPECT_FALSE(std::filesystem::exists(home.File("info.ini")));
        }
    }
}

TEST(Startup, CommandLineNeedsNoDisplay) {
    std::string cmd = "env -u DISPLAY -u QT_QPA_PLATFORM " + appDir() + "/quillabe --version";
    FILE* out = popen(cmd.c_str(), "r");
    ASSERT_NE(out, nullptr);
    char buf[64] = {};
    size_t n = fread(buf, 1, sizeof buf - 1, out);
    EXPECT_EQ(pclose(out), 0);
    EXPECT_EQ(std::string(buf, n), "2.3\n");
    EXPECT_EQ(system((appDir() + "/quillabe --no-such-mode 2>/dev/null").c_str()) >> 8, 2);
}

} // namespace
