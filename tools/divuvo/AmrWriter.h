#pragma once
// Writes an .amr file ("#!AMR\n" or "#!AMR-WB\n" and storage-format frames) from raw 16-bit
// little-endian mono PCM, through the AMR codec libraries: ffmpeg as installed has no AMR
// encoder.

#include "divuvo/ConversionPlan.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillabe::divuvo {

class AmrWriter {
public:
    AmrWriter() = default;
    ~AmrWriter();
    AmrWriter(const AmrWriter&) = delete;
    AmrWriter& operator=(const AmrWriter&) = delete;

    // Creates (or truncates) the file and writes the header; false with `error` set on failure.
    bool Open(const std::string& path, const AmrSettings& settings, std::string& error);
    // PCM bytes in any split; whole frames are encoded as they fill.
    bool Write(std::string_view pcm, std::string& error);
    // Encodes what is left, padded with silence to a whole frame, and closes the file.
    bool Finish(std::string& error);
    // Closes the file as it is (a stop): every frame written so far is complete.
    void Abandon();

    int64_t BytesWritten() const { return bytes_ + static_cast<int64_t>(out_.size()); }
    int64_t Frames() const { return frames_; }
    int64_t SamplesIn() const { return samplesIn_; }
    // The length of the audio encoded so far.
    int64_t DurationUs() const { return frames_ * 20000; }

private:
    bool encodeFrame(std::string& error);
    bool flush(std::string& error);
    void closeCodec();

    AmrSettings settings_;
    void* state_ = nullptr;
    int fd_ = -1;
    std::vector<int16_t> frame_;
    size_t filled_ = 0;
    int pendingByte_ = -1; // a sample's low byte when a piece ended between its two bytes
    std::string out_;
    int64_t bytes_ = 0;
    int64_t frames_ = 0;
    int64_t samplesIn_ = 0;
};

} // namespace quillabe::divuvo
