// An output folder on a file system that fills up, with two conversions at once: a job that runs
// out of space fails on its own, the batch says so, no partial output stays behind, the outputs
// that fitted are whole, and every source is kept.

#include "ConvertHarness.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"

#include <gtest/gtest.h>

#include <sys/mount.h>

#include <filesystem>
#include <set>

namespace fs = std::filesystem;
using namespace quillabe;
using namespace quillabe::test;

namespace {

// A file system of two pages: room for an output or two of a short sound, not for four.
class TinyFileSystem {
public:
    explicit TinyFileSystem(const std::string& dir) : dir_(dir) {
        fs::create_directories(dir_);
        mounted_ = mount("tmpfs", dir_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=8k") == 0;
    }
    ~TinyFileSystem() {
        if (mounted_)
            umount2(dir_.c_str(), MNT_DETACH);
    }
    TinyFileSystem(const TinyFileSystem&) = delete;
    TinyFileSystem& operator=(const TinyFileSystem&) = delete;
    bool Mounted() const { return mounted_; }

private:
    std::string dir_;
    bool mounted_ = false;
};

TEST(ConvertFullDisk, AJobOutOfSpaceFailsAloneAndLeavesNothing) {
    ConvertHome home;
    const std::string full = home.Root() + "full/";
    TinyFileSystem disk(full);
    if (!disk.Mounted())
        GTEST_SKIP() << "mounting a small file system needs root";
    std::vector<std::string> inputs;
    for (const char* name : {"one.wav", "two.wav", "three.wav", "four.wav"})
        inputs.push_back(home.AddInput(ShortSound(), name));

    std::vector<std::string> args{"--jobs", "2", "--to", "mp3", "--output", full};
    args.insert(args.end(), inputs.begin(), inputs.end());
    RunResult r = home.Convert(args);

    EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
    int failed = 0;
    std::set<std::string> whole;
    for (const std::string& input : inputs) {
        const std::string output = ChangeFileExt(ExtractFileName(input), ".mp3");
        EXPECT_EQ(ReadAll(input), ReadAll(ShortSound())) << input;
        if (Contains(r.out, "failed: " + input + "\n")) {
            ++failed;
            EXPECT_FALSE(fs::exists(full + output)) << output << " was left behind";
        } else {
            EXPECT_TRUE(Contains(r.out, "done: " + input + "\n")) << r.out;
            EXPECT_EQ(ProbeMedia(full + output).audio, "mp3") << output;
            whole.insert(output);
        }
    }
    EXPECT_GE(failed, 1) << r.out;
    EXPECT_EQ(r.LastOutLine(),
              "done: " + std::to_string(4 - failed) + ", failed: " + std::to_string(failed));
    EXPECT_EQ(EntriesBelow(full), whole);
}

} // namespace
