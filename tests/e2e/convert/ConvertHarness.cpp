#include "ConvertHarness.h"

#include "IniFile.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace fs = std::filesystem;

namespace quillabe::test {

using Clock = std::chrono::steady_clock;

std::vector<std::string> RunResult::OutLines() const {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string RunResult::LastOutLine() const {
    std::vector<std::string> lines = OutLines();
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines.empty() ? std::string() : lines.back();
}

ChildRun::ChildRun(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                   const std::string& cwd) {
    std::map<std::string, std::string> vars;
    auto put = [&vars](const std::string& entry) {
        size_t eq = entry.find('=');
        if (eq != std::string::npos)
            vars[entry.substr(0, eq)] = entry;
    };
    for (char** e = environ; *e; ++e)
        put(*e);
    for (const std::string& e : env)
        put(e);
    std::vector<std::string> envStrings;
    for (auto& [name, entry] : vars)
        envStrings.push_back(entry);

    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    if (!cwd.empty())
        posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
    std::vector<char*> args, envp;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (auto& e : envStrings)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    int rc = posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    out_ = out[0];
    err_ = err[0];
    if (rc != 0) {
        close(out_);
        close(err_);
        throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(rc));
    }
}

ChildRun::~ChildRun() {
    if (!reaped_ && pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    for (int fd : {out_, err_})
        if (fd >= 0)
            close(fd);
}

bool ChildRun::pump(Clock::time_point deadline) {
    pollfd fds[2];
    std::string* sinks[2];
    int* owners[2];
    nfds_t count = 0;
    for (auto [fd, sink] : {std::pair{&out_, &result_.out}, std::pair{&err_, &result_.err}}) {
        if (*fd < 0)
            continue;
        fds[count] = {*fd, POLLIN, 0};
        sinks[count] = sink;
        owners[count++] = fd;
    }
    if (count == 0)
        return false;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (poll(fds, count, static_cast<int>(std::max<long>(0, left.count()))) <= 0)
        return true;
    for (nfds_t i = 0; i < count; ++i) {
        if (!fds[i].revents)
            continue;
        char buffer[8192];
        ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
        if (n > 0) {
            sinks[i]->append(buffer, static_cast<size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            close(*owners[i]);
            *owners[i] = -1;
        }
    }
    return out_ >= 0 || err_ >= 0;
}

bool ChildRun::WaitForOutput(const std::string& text, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (result_.out.find(text) == std::string::npos) {
        if (Clock::now() >= deadline || !pump(deadline))
            return result_.out.find(text) != std::string::npos;
    }
    return true;
}

void ChildRun::Signal(int sig) const {
    if (!reaped_ && pid_ > 0)
        kill(pid_, sig);
}

RunResult ChildRun::Finish(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    int status = 0;
    bool exited = false;
    while (!exited) {
        bool open = pump(std::min(deadline, Clock::now() + 50ms));
        exited = waitpid(pid_, &status, WNOHANG) == pid_;
        if (exited)
            break;
        if (Clock::now() >= deadline) {
            result_.timedOut = true;
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            exited = true;
        } else if (!open) {
            waitpid(pid_, &status, 0);
            exited = true;
        }
    }
    reaped_ = true;
    // What the program wrote just before its end; a descendant holding the pipes gets no wait.
    const auto drainEnd = Clock::now() + 200ms;
    while (Clock::now() < drainEnd && pump(drainEnd)) {
    }
    if (WIFEXITED(status))
        result_.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        result_.signal = WTERMSIG(status);
    return result_;
}

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

const std::string& sharedDir() {
    static std::unique_ptr<TempDir> dir = std::make_unique<TempDir>();
    return dir->Path();
}

std::string makeClip(const std::string& name, const std::vector<std::string>& ffmpegArgs) {
    std::string path = sharedDir() + name;
    std::vector<std::string> argv{"ffmpeg", "-hide_banner", "-loglevel", "error", "-y"};
    argv.insert(argv.end(), ffmpegArgs.begin(), ffmpegArgs.end());
    argv.push_back(path);
    RunResult r = ChildRun(argv).Finish();
    if (r.exitCode != 0)
        ADD_FAILURE() << "cannot make " << name << ": " << r.err;
    return path;
}

const std::vector<std::string> kPicture = {"-f", "lavfi", "-i", "testsrc=size=176x144:rate=25"};

std::vector<std::string> withSound(std::vector<std::string> args, const std::string& sine) {
    args.insert(args.end(), {"-f", "lavfi", "-i", sine});
    return args;
}

} // namespace

const std::string& SmallClip() {
    static const std::string path = [] {
        auto args = withSound(kPicture, "sine=frequency=440:sample_rate=44100");
        args.insert(args.end(),
                    {"-t", "1", "-ac", "2", "-c:v", "mpeg4", "-q:v", "3", "-c:a", "pcm_s16le"});
        return makeClip("clip.avi", args);
    }();
    return path;
}

const std::string& RealClip() {
    static const std::string path = [] {
        auto args = withSound(kPicture, "sine=frequency=440:sample_rate=44100");
        args.insert(args.end(), {"-t", "1", "-ac", "2", "-c:v", "rv10", "-c:a", "ac3", "-f", "rm"});
        return makeClip("clip.rm", args);
    }();
    return path;
}

const std::string& ShortSound() {
    static const std::string path =
        makeClip("sound.wav", {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100", "-t",
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
        std::string broken = sharedDir() + "broken.wav";
        std::ofstream(broken, std::ios::binary) << bytes;
        return broken;
    }();
    return path;
}

const std::string& LongClip() {
    static const std::string path = [] {
        auto args = withSound(kPicture, "sine=frequency=300:sample_rate=22050");
        args.insert(args.end(), {"-t", "60", "-c:v", "mpeg4", "-q:v", "5", "-c:a", "pcm_s16le"});
        return makeClip("long.avi", args);
    }();
    return path;
}

MediaFacts ProbeMedia(const std::string& path) {
    RunResult r = ChildRun({"ffprobe", "-v", "error", "-show_entries",
                            "format=format_name:format_tags=major_brand:stream=codec_type,"
                            "codec_name,width,height,channels,sample_rate",
                            "-of", "json", path})
                      .Finish();
    MediaFacts facts;
    const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
    const QJsonObject format = root["format"].toObject();
    facts.container = format["format_name"].toString().toStdString();
    facts.brand = format["tags"].toObject()["major_brand"].toString().toStdString();
    for (const QJsonValue& value : root["streams"].toArray()) {
        const QJsonObject s = value.toObject();
        const std::string type = s["codec_type"].toString().toStdString();
        const std::string codec = s["codec_name"].toString().toStdString();
        if (type == "video" && facts.video.empty()) {
            facts.video = codec;
            facts.width = s["width"].toInt();
            facts.height = s["height"].toInt();
        } else if (type == "audio" && facts.audio.empty()) {
            facts.audio = codec;
            facts.channels = s["channels"].toInt();
            facts.sampleRate = s["sample_rate"].toString().toInt();
        }
    }
    return facts;
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
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> EntriesBelow(const std::string& dir) {
    std::set<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        entries.insert(fs::relative(entry.path(), dir).string());
    return entries;
}

} // namespace quillabe::test
