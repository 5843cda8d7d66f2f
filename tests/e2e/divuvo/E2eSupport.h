#pragma once
// Clips made with ffmpeg's lavfi sources, the adapter run on them, and ffprobe's view of results.

#include "ProcessHelpers.h"

#include <map>
#include <string>
#include <vector>

namespace quillabe::test {

// A one-second 176x144 25 fps clip with 44100 Hz stereo sound, made once per test program.
const std::string& SmallClip();
// Ten minutes of 22050 Hz mono sound, for runs that must still be busy when they are stopped.
const std::string& LongSound();
// A folder that lives as long as the test program.
const std::string& SharedDir();

std::vector<std::string> Words(const std::string& options); // split at blanks
ProcessOutput RunDivuvo(const std::string& input, const std::string& options,
                        const std::string& output);

struct Probe {
    std::string format, brand;
    std::string vcodec, rate;
    int width = 0, height = 0;
    std::string acodec;
    int channels = 0, sampleRate = 0;
    double duration = 0;
};
Probe ProbeFile(const std::string& path);

} // namespace quillabe::test
