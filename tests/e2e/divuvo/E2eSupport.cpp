#include "E2eSupport.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace quillabe::test {

namespace {
std::string make(const std::string& name, const std::vector<std::string>& ffmpegArgs) {
    std::string path = SharedDir() + name;
    std::vector<std::string> argv{"ffmpeg", "-hide_banner", "-loglevel", "error", "-y"};
    argv.insert(argv.end(), ffmpegArgs.begin(), ffmpegArgs.end());
    argv.push_back(path);
    ProcessOutput r = RunProcess(argv);
    if (r.exitCode != 0)
        ADD_FAILURE() << "cannot make " << name << ": " << r.err;
    return path;
}
} // namespace

const std::string& SharedDir() {
    static std::unique_ptr<TempDir> dir = std::make_unique<TempDir>();
    return dir->Path();
}

const std::string& SmallClip() {
    static std::string path =
        make("clip.avi", {"-f", "lavfi", "-i", "testsrc=size=176x144:rate=25", "-f", "lavfi", "-i",
                          "sine=frequency=440:sample_rate=44100", "-t", "1", "-ac", "2", "-c:v",
                          "mpeg4", "-q:v", "3", "-c:a", "pcm_s16le"});
    return path;
}

const std::string& LongSound() {
    static std::string path =
        make("long.wav", {"-f", "lavfi", "-i", "sine=frequency=300:sample_rate=22050", "-t", "600",
                          "-c:a", "pcm_s16le"});
    return path;
}

std::vector<std::string> Words(const std::string& options) {
    std::vector<std::string> out;
    std::istringstream in(options);
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

ProcessOutput RunDivuvo(const std::string& input, const std::string& options,
                        const std::string& output) {
    std::vector<std::string> argv{DIVUVO, "-p", "4417306", "-i", input};
    for (const std::string& w : Words(options))
        argv.push_back(w);
    argv.push_back(output);
    return RunProcess(argv);
}

Probe ProbeFile(const std::string& path) {
    ProcessOutput r = RunProcess({"ffprobe", "-v", "error", "-show_entries",
                                  "format=format_name,duration:format_tags=major_brand:stream="
                                  "codec_type,codec_name,width,height,r_frame_rate,channels,"
                                  "sample_rate",
                                  "-of", "flat", path});
    Probe p;
    std::map<std::string, std::string> streamType;
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);) {
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (value.size() >= 2 && value.front() == '"')
            value = value.substr(1, value.size() - 2);
        if (key == "format.format_name")
            p.format = value;
        else if (key == "format.tags.major_brand")
            p.brand = value;
        else if (key == "format.duration")
            p.duration = std::atof(value.c_str());
        else if (key.rfind("streams.stream.", 0) == 0) {
            std::string index = key.substr(15, key.find('.', 15) - 15);
            std::string field = key.substr(key.find('.', 15) + 1);
            if (field == "codec_type")
                streamType[index] = value;
        }
    }
    // Second pass now that every stream's kind is known.
    std::istringstream again(r.out);
    for (std::string line; std::getline(again, line);) {
        if (line.rfind("streams.stream.", 0) != 0)
            continue;
        size_t eq = line.find('=');
        std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (value.size() >= 2 && value.front() == '"')
            value = value.substr(1, value.size() - 2);
        std::string index = key.substr(15, key.find('.', 15) - 15);
        std::string field = key.substr(key.find('.', 15) + 1);
        bool video = streamType[index] == "video";
        if (field == "codec_name")
            (video ? p.vcodec : p.acodec) = value;
        else if (video && field == "width")
            p.width = std::atoi(value.c_str());
        else if (video && field == "height")
            p.height = std::atoi(value.c_str());
        else if (video && field == "r_frame_rate")
            p.rate = value;
        else if (!video && field == "channels")
            p.channels = std::atoi(value.c_str());
        else if (!video && field == "sample_rate")
            p.sampleRate = std::atoi(value.c_str());
    }
    return p;
}

} // namespace quillabe::test
