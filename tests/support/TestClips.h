#pragma once
// Media made at test time with ffmpeg's lavfi sources, once per test program.

#include <string>
#include <vector>

namespace quillabe::test {

// A folder that lives as long as the test program.
const std::string& SharedDir();

// Runs ffmpeg with the arguments and the file `name` in SharedDir() as its output; returns the
// file's path (a failure is reported to the running test).
std::string MakeClip(const std::string& name, const std::vector<std::string>& ffmpegArgs);

// 1 s 176x144 25 fps MPEG-4 with 44.1 kHz stereo PCM, AVI.
const std::string& SmallClip();

} // namespace quillabe::test
