#include "core/OutputFormat.h"

namespace quillabe {

const std::array<OutputFormatInfo, kOutputFormatCount> kOutputFormats = {{
    {ofAVI, "AVI", "avi", ".avi", ConversionRoute::Direct, "ActionToAVI"},
    {ofMP4, "MP4", "mp4", "", ConversionRoute::BatchCore, "ActionToMP4"},
    {of3GP, "3GP", "3gp", "", ConversionRoute::BatchCore, "ActionTo3GP"},
    {ofMPEG, "MPEG", "mpg", ".mpg", ConversionRoute::Direct, "ActionToMPEG"},
    {ofMOV, "MOV", "mov", ".mov", ConversionRoute::Direct, "ActionToMOV"},
    {ofWMV, "WMV", "wmv", ".wmv", ConversionRoute::Direct, "ActionToWMV"},
    {ofRM, "RM", "rm", ".rm", ConversionRoute::Direct, "ActionToRM"},
    {ofSWF, "SWF", "swf", ".swf", ConversionRoute::Direct, "ActionToSWF"},
    {ofVOB, "VOB", "vob", ".vob", ConversionRoute::Direct, "ActionToVOB"},
    {ofASF, "ASF", "asf", ".asf", ConversionRoute::Direct, "ActionToASF"},
    {ofAAC, "AAC", "aac", ".aac", ConversionRoute::Direct, "ActionToAAC"},
    {ofAC3, "AC3", "ac3", ".ac3", ConversionRoute::Direct, "ActionToAC3"},
    {ofMP2, "MP2", "mp2", ".mp2", ConversionRoute::Direct, "ActionToMP2"},
    {ofMP3, "MP3", "mp3", ".mp3", ConversionRoute::Direct, "ActionToMP3"},
    {ofAMR, "AMR", "amr", ".amr", ConversionRoute::Direct, "ActionToAMR"},
    {ofWAV, "WAV", "wav", ".wav", ConversionRoute::Direct, "ActionToWAV"},
}};

std::optional<TOutputFormat> OutputFormatFromDirectory(std::string_view dir) {
    for (const auto& f : kOutputFormats)
        if (f.directoryName == dir)
            return f.index;
    return std::nullopt;
}

} // namespace quillabe
