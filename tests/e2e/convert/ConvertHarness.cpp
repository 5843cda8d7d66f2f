#include "ConvertHarness.h"

#include "core/IniFile.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace quillabe::test {

ConvertHome::ConvertHome() {
    const char* app = std::getenv("QUILLABE_APP_DIR");
    if (!app)
        throw std::runtime_error("QUILLABE_APP_DIR is not set");
    // A first start: no settings and no generated files from anybody's earlier run.
    const std::set<std::string> skipped = {"info.ini", "DirectShow.avs", "~ConvertCore.bat"};
    fs::create_directories(Home());
    for (const auto& entry : fs::directory_iterator(app)) {
        std::string name = entry.path().filename().string();
        if (!skipped.count(name))
            fs::copy(entry.path(), Home() + name, fs::copy_options::recursive);
    }
    fs::create_directories(InputDir());
    fs::create_directories(OutputDir());
}

std::string ConvertHome::AddInput(const std::string& clip, const std::string& name) const {
    std::string path = InputDir() + name;
    fs::create_directories(fs::path(path).parent_path());
    fs::copy_file(clip, path, fs::copy_options::overwrite_existing);
    return path;
}

void ConvertHome::SetSetting(const std::string& key, const std::string& value) const {
    if (!IniWriteString(Home() + "info.ini", "System", key, value))
        throw std::runtime_error("cannot write info.ini");
}

std::vector<std::string> ConvertHome::Environment() const {
    return {"QUILLABE_HOME=" + Home(), "QUILLABE_POWER_DRY_RUN=1",
            "QUILLABE_LOGIN1_BUS=unix:path=" + Root() + "no-such-bus"};
}

std::vector<std::string> ConvertHome::Command(const std::vector<std::string>& convertArgs) const {
    std::vector<std::string> argv{Home() + "quillabe", "--convert"};
    argv.insert(argv.end(), convertArgs.begin(), convertArgs.end());
    return argv;
}

RunResult ConvertHome::Convert(const std::vector<std::string>& convertArgs,
                               const std::string& cwd) const {
    ChildRun run(Command(convertArgs), Environment(), cwd);
    return run.Finish();
}

namespace {

const std::vector<std::string> kPicture = {"-f", "lavfi", "-i", "testsrc=size=176x144:rate=25"};

std::vector<std::string> withSound(std::vector<std::string> args, const std::string& sine) {
    args.insert(args.end(), {"-f", "lavfi", "-i", sine});
    return args;
}

} // namespace

const std::string& RealClip() {
    static const std::string path = [] {
        auto args = withSound(kPicture, "sine=frequency=440:sample_rate=44100");
        args.insert(args.end(), {"-t", "1", "-ac", "2", "-c:v", "rv10", "-c:a", "ac3", "-f", "rm"});
        return MakeClip("clip.rm", args);
    }();
    return path;
}

const std::string& ShortSound() {
    static const std::string path =
        MakeClip("sound.wav", {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100", "-t",
                               "1", "-ac", "2", "-c:a", "pcm_s16le"});
    return path;
}

const std::string& BrokenSound() {
    static const std::string path = [] {
        std::string bytes = ReadAll(ShortSound());
        // The format tag of the "fmt " chunk: the header stays valid, so the probe accepts the
        // file, but no decoder exists for the codec it names.
        if (bytes.size() < 44 || bytes.compare(12, 4, "fmt ") != 0)
            ADD_FAILURE() << "unexpected WAV layout";
        else
            bytes.replace(20, 2, "\x34\x12");
        std::string broken = SharedDir() + "broken.wav";
        std::ofstream(broken, std::ios::binary) << bytes;
        return broken;
    }();
    return path;
}

const std::string& LongClip() {
    static const std::string path = [] {
        auto args = withSound(kPicture, "sine=frequency=300:sample_rate=22050");
        args.insert(args.end(), {"-t", "60", "-c:v", "mpeg4", "-q:v", "5", "-c:a", "pcm_s16le"});
        return MakeClip("long.avi", args);
    }();
    return path;
}

std::vector<std::string> ProcessesNaming(const std::string& text) {
    std::vector<std::string> found;
    const std::string self = std::to_string(getpid());
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/proc", ec)) {
        const std::string pid = entry.path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos || pid == self)
            continue;
        std::string cmdline = ReadAll((entry.path() / "cmdline").string());
        for (char& c : cmdline)
            if (c == '\0')
                c = ' ';
        if (cmdline.find(text) != std::string::npos)
            found.push_back(pid + ": " + cmdline);
    }
    return found;
}

std::string ReadAll(const std::string& path) {
    // A file of /proc vanishes with its process, even in the middle of the read: that reads as
    // empty, not as an error.
    try {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    } catch (const std::exception&) {
        return {};
    }
}

std::set<std::string> EntriesBelow(const std::string& dir) {
    std::set<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        entries.insert(fs::relative(entry.path(), dir).string());
    return entries;
}

} // namespace quillabe::test
