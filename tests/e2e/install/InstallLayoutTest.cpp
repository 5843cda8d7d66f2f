// The installed layout: `cmake --install` of this build into a scratch root holds exactly the
// program files, the shipped data and the desktop files, and the program runs from there —
// as an ordinary user whose conversions leave the installed tree untouched.

#include "support/ChildRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using namespace quillabe::test;

namespace {

const std::string kAppId = "org.quillabe.Quillabe";
constexpr uid_t kNobody = 65534;

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Every file and link below `root` by its relative path, with its type, mode, size and time:
// enough to see anything added, removed or rewritten.
std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> entries;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        struct stat st {};
        lstat(e.path().c_str(), &st);
        std::ostringstream d;
        d << std::oct << st.st_mode << std::dec << ' ' << st.st_size << ' ' << st.st_mtim.tv_sec
          << '.' << st.st_mtim.tv_nsec;
        entries[e.path().lexically_relative(root).string()] = d.str();
    }
    return entries;
}

std::set<std::string> expectedFiles() {
    std::set<std::string> files{
        "usr/bin/quillabe",
        "usr/lib/quillabe/quillabe",
        "usr/lib/quillabe/divuvo.dll",
        "usr/share/applications/" + kAppId + ".desktop",
        "usr/share/metainfo/" + kAppId + ".metainfo.xml",
        "usr/share/icons/hicolor/scalable/apps/" + kAppId + ".svg",
        "usr/share/man/man1/quillabe.1.gz",
        "usr/share/bash-completion/completions/quillabe",
        "usr/share/doc/quillabe/copyright",
        "usr/share/doc/quillabe/changelog.Debian.gz",
    };
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        std::string s = std::to_string(size);
        files.insert("usr/share/icons/hicolor/" + s + "x" + s + "/apps/" + kAppId + ".png");
    }
    const fs::path data = fs::path(env("QUILLABE_SOURCE_DIR")) / "data";
    for (const auto& e : fs::recursive_directory_iterator(data))
        if (e.is_regular_file())
            files.insert("usr/share/quillabe/" + e.path().lexically_relative(data).string());
    return files;
}

// One installation into a scratch root for the whole suite: installing is the slow part.
class InstallLayout : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        RunResult r =
            RunProcess({"cmake", "--install", env("QUILLABE_BINARY_DIR"), "--prefix", "/usr"},
                       {"DESTDIR=" + root().string()});
        installed_ = r.exitCode == 0;
        installLog_ = r.out + r.err;
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(installed_) << installLog_; }

    static fs::path root() { return fs::path(dir_->Path()) / "root"; }
    static fs::path program() { return root() / "usr/bin/quillabe"; }

    static TempDir* dir_;
    static bool installed_;
    static std::string installLog_;
};
TempDir* InstallLayout::dir_ = nullptr;
bool InstallLayout::installed_ = false;
std::string InstallLayout::installLog_;

TEST_F(InstallLayout, HoldsExactlyTheProgramItsDataAndTheDesktopFiles) {
    std::set<std::string> found;
    for (const auto& e : fs::recursive_directory_iterator(root()))
        if (!e.is_directory() || e.is_symlink())
            found.insert(e.path().lexically_relative(root()).string());
    std::set<std::string> expected = expectedFiles();
    for (const auto& f : expected)
        EXPECT_TRUE(found.count(f)) << "missing: " << f;
    for (const auto& f : found)
        EXPECT_TRUE(expected.count(f)) << "not expected: " << f;
}

TEST_F(InstallLayout, CommandIsARelativeLinkAndModesSuitAPackage) {
    ASSERT_TRUE(fs::is_symlink(program()));
    EXPECT_EQ(fs::read_symlink(program()), "../lib/quillabe/quillabe");
    for (const auto& e : fs::recursive_directory_iterator(root())) {
        if (e.is_symlink())
            continue;
        struct stat st {};
        ASSERT_EQ(stat(e.path().c_str(), &st), 0);
        const bool executable =
            e.is_directory() || e.path().parent_path() == root() / "usr/lib/quillabe";
        EXPECT_EQ(st.st_mode & 07777, executable ? 0755u : 0644u) << e.path();
    }
}

TEST_F(InstallLayout, CompressedPagesAreTheCheckedInOnes) {
    const fs::path packaging = fs::path(env("QUILLABE_SOURCE_DIR")) / "packaging";
    struct Case {
        std::string installed, source;
    } cases[] = {
        {"usr/share/man/man1/quillabe.1.gz", "quillabe.1"},
        {"usr/share/doc/quillabe/changelog.Debian.gz", "changelog.Debian"},
    };
    for (const auto& c : cases) {
        RunResult r = RunProcess({"gzip", "-dc", (root() / c.installed).string()});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, readFile(packaging / c.source)) << c.installed;
    }
}

TEST_F(InstallLayout, VersionRunsFromTheInstalledCommand) {
    RunResult r = RunProcess({program().string(), "--version"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "2.3\n");
}

// As root every folder is writable, so the conversion runs as nobody; the program must then
// keep its settings and profiles in the user's own folder and leave the installation as it was.
TEST_F(InstallLayout, ConvertAsAnOrdinaryUserWritesOnlyIntoTheUsersFolders) {
    const bool root_ = geteuid() == 0;
    if (root_ && RunProcess({"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "true"})
                         .exitCode != 0)
        GTEST_SKIP() << "setpriv cannot change to an unprivileged user here";

    const fs::path work = fs::path(dir_->Path()) / "user";
    const fs::path home = work / "home", out = work / "out", input = work / "tone.wav";
    fs::create_directories(home);
    RunResult clip =
        RunProcess({"ffmpeg", "-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                    "sine=frequency=440:sample_rate=22050", "-t", "1", input.string()});
    ASSERT_EQ(clip.exitCode, 0) << clip.err;

    std::vector<std::string> argv{program().string(), "--convert",  "--to",        "wav",
                                  "--output",         out.string(), input.string()};
    if (root_) {
        // The scratch folders must be reachable by nobody, the home and input its own.
        fs::permissions(dir_->Path(), fs::perms(0755));
        for (const auto& p : {work, home, input})
            ASSERT_EQ(chown(p.c_str(), kNobody, kNobody), 0) << p;
        argv.insert(argv.begin(), {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
    } else {
        // An ordinary user could write the scratch installation; make it read-only as a
        // system one is.
        RunProcess({"chmod", "-R", "a-w", (root() / "usr").string()});
    }
    const auto before = snapshot(root());

    RunResult r =
        RunProcess(argv, {"HOME=" + home.string(),
                          "XDG_DATA_HOME=", "XDG_CONFIG_HOME=" + (home / ".config").string(),
                          "XDG_RUNTIME_DIR=" + (home / ".run").string()});
    if (!root_)
        RunProcess({"chmod", "-R", "u+w", (root() / "usr").string()});

    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_TRUE(fs::is_regular_file(out / "tone.wav")) << r.out << r.err;
    EXPECT_TRUE(fs::is_regular_file(home / ".local/share/quillabe/info.ini"));
    EXPECT_TRUE(before == snapshot(root())) << "the installed tree was changed";
}

} // namespace
