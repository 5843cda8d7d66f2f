#pragma once
// The codec and container names of the old encoder vocabulary and what today's ffmpeg calls them.

#include <string>
#include <string_view>

namespace quillabe::divuvo {

// How an encoder is driven to its best constant quality (-sameq).
enum class QualityMode { Quantizer, Crf, Lossless };

struct VideoCodecInfo {
    std::string_view oldName; // as the profiles write it
    std::string_view encoder; // the ffmpeg encoder
    std::string_view display; // for error lines
    QualityMode quality;
};

struct AudioCodecInfo {
    std::string_view oldName;
    std::string_view encoder; // empty for the AMR codecs, which the adapter encodes itself
    std::string_view display;
};

struct FormatInfo {
    std::string_view oldName; // -f value, or the extension for guessing (without dot)
    std::string_view muxer;   // the ffmpeg muxer; "amr" is written by the adapter itself
    std::string_view display;
};

// nullptr when the name is not in the table (it is then passed to ffmpeg unchanged).
const VideoCodecInfo* FindVideoCodec(std::string_view oldName);
const VideoCodecInfo* FindVideoEncoder(std::string_view encoder);
const AudioCodecInfo* FindAudioCodec(std::string_view oldName);
const AudioCodecInfo* FindAudioEncoder(std::string_view encoder);
const FormatInfo* FindFormat(std::string_view oldName);
// The container for an output file name's extension (letter case ignored); nullptr if unknown.
const FormatInfo* FormatForFileName(std::string_view fileName);
// The encoder ffmpeg picks for a muxer when no video codec is named; empty when unknown.
std::string_view DefaultVideoEncoder(std::string_view muxer);
// Containers whose mode takes one video and one audio stream: ffmpeg refuses to write them
// without audio.
bool MuxerNeedsAudio(std::string_view muxer);
// Containers that hold audio alone.
bool AudioOnlyMuxer(std::string_view muxer);

// Frame rates of the old lists written as decimals ("29.97") mean the exact NTSC rationals;
// other values pass unchanged.
std::string ExactFrameRate(std::string_view rate);

// "AC3", "H.263" ... for an ffmpeg encoder or muxer name; the name itself when not known.
std::string DisplayName(std::string_view ffmpegName);

} // namespace quillabe::divuvo
