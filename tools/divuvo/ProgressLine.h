#pragma once
// ffmpeg's "-progress" key=value blocks, and the one-line progress report of the old encoder:
// "frame=  123 fps= 45 q=2.0 size=    1024kB time=10.00 bitrate= 838.9kbits/s".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillabe::divuvo {

struct ProgressValues {
    int64_t frame = 0;
    double fps = 0;
    double q = 0;
    int64_t sizeBytes = 0;
    int64_t timeUs = 0;
};

// The line without its ending; bitrate is size over time, as the old encoder computed it.
std::string FormatProgressLine(const ProgressValues& values);

// Collects one block; Feed returns true at the block's closing "progress=" key.
class ProgressBlock {
public:
    bool Feed(std::string_view line);
    const ProgressValues& Values() const { return values_; }
    bool Ended() const { return ended_; } // "progress=end": the last block

private:
    ProgressValues values_;
    bool qSeen_ = false;
    bool ended_ = false;
};

} // namespace quillabe::divuvo
