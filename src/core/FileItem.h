#pragma once
// The record attached to each file-list entry: name, folder and sixteen media values as text.

#include <string>

namespace quillabe {

struct TFileItem {
    std::string FileName;
    std::string FilePath; // folder with trailing separator
    std::string CompleteName;
    std::string FileSize;
    std::string Format;
    std::string PlayTime;
    std::string AudioCount;
    std::string VideoCount;
    std::string VideoCodec;
    std::string Width;
    std::string Height;
    std::string VideoBitrate;
    std::string AspectRatio;
    std::string FrameRate;
    std::string AudioCodec;
    std::string AudioBitrate;
    std::string Channels;
    std::string SamplingRate;
};

} // namespace quillabe
