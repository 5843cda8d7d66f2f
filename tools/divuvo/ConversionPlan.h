#pragma once
// What one command line turns into: the ffmpeg runs and, for AMR audio, the adapter's own encoder.

#include "divuvo/InputStreams.h"
#include "divuvo/Options.h"

#include <string>
#include <vector>

namespace quillabe::divuvo {

enum class AudioRoute {
    Ffmpeg,         // ffmpeg encodes everything
    AmrFile,        // ffmpeg decodes to raw PCM, the adapter writes the .amr file
    AmrInContainer, // as AmrFile into a temporary file, then ffmpeg muxes it with the video
};

struct AmrSettings {
    bool wideband = false;
    int mode = 0;       // the codec library's mode number
    int bitrateBps = 0; // of that mode, for the console
    int sampleRate() const { return wideband ? 16000 : 8000; }
    int samplesPerFrame() const { return wideband ? 320 : 160; }
};

struct ConversionPlan {
    std::string muxer; // the container as ffmpeg names it; empty when ffmpeg decides
    AudioRoute route = AudioRoute::Ffmpeg;
    AmrSettings amr;
    bool audioOnly = false; // the output is to hold audio alone
    // For an input without audio (see AdaptToInput): a silent track from ffmpeg's anullsrc,
    // or, instead of the AMR audio, none.
    bool silentAudio = false;
    bool dropAudio = false;
};

struct PlanResult {
    ConversionPlan plan;
    std::string error; // an error line when the combination cannot be converted
    bool ok() const { return error.empty(); }
};

// Decides the container, the audio route and the AMR mode; checks the combination.
PlanResult PlanConversion(const EncoderOptions& options);

// Whether the plan depends on the streams of the input, which ffmpeg then lists first in a run of
// its own (ProbeArgs): a container that must hold audio, or AMR audio that must come from the
// input to be muxed with its video.
bool NeedsInputStreams(const EncoderOptions& options, const ConversionPlan& plan);
// For an input with video but known to hold no audio: the container that must hold audio gets a
// silent track, the AMR audio to be muxed is left out (as ffmpeg leaves out any other audio
// codec's). Anything else stays as planned.
void AdaptToInput(ConversionPlan& plan, const EncoderOptions& options, const InputStreams& input);
// Arguments for the ffmpeg run that only lists the input: it opens the file and ends.
std::vector<std::string> ProbeArgs(const std::string& source);

// The nearest mode of the AMR codec to a bitrate; the codec's best mode when none is asked for.
AmrSettings AmrModeFor(bool wideband, std::optional<int64_t> bitrateBps);

// Arguments for ffmpeg (without the program name). `source` is the file ffmpeg reads (the
// script's source for a DirectShow input). For AmrInContainer, `amrFile` is the encoded audio.
std::vector<std::string> FfmpegArgs(const EncoderOptions& options, const ConversionPlan& plan,
                                    const std::string& source, const std::string& amrFile = {});
// Arguments for the ffmpeg run that decodes the input's audio to raw PCM on its standard output.
std::vector<std::string> PcmDecodeArgs(const EncoderOptions& options, const ConversionPlan& plan,
                                       const std::string& source);

// The name ffmpeg is given for a path: "file:" keeps it from reading a leading "-" as an option
// or a "name:" prefix as a protocol.
std::string FfmpegPath(const std::string& path);

} // namespace quillabe::divuvo
