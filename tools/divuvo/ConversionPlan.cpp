#include "divuvo/ConversionPlan.h"

#include "divuvo/CodecTables.h"

#include <array>
#include <cstdlib>

namespace quillabe::divuvo {

namespace {

struct AmrMode {
    int mode;
    int bps;
};
// Mode numbers as the two codec libraries count them.
constexpr std::array kNarrowModes{AmrMode{0, 4750},  AmrMode{1, 5150}, AmrMode{2, 5900},
                                  AmrMode{3, 6700},  AmrMode{4, 7400}, AmrMode{5, 7950},
                                  AmrMode{6, 10200}, AmrMode{7, 12200}};
constexpr std::array kWideModes{AmrMode{0, 6600},  AmrMode{1, 8850},  AmrMode{2, 12650},
                                AmrMode{3, 14250}, AmrMode{4, 15850}, AmrMode{5, 18250},
                                AmrMode{6, 19850}, AmrMode{7, 23050}, AmrMode{8, 23850}};

bool isAmr(const std::string& codec) {
    return codec == "amr_nb" || codec == "amr_wb";
}

const std::vector<std::string>& head() {
    // Progress comes as key=value blocks on descriptor 3; the log carries a level on every line
    // so that errors can be told from information.
    static const std::vector<std::string> args{"-hide_banner", "-nostdin",      "-nostats",
                                               "-loglevel",    "level+info",    "-progress",
                                               "pipe:3",       "-stats_period", "0.4"};
    return args;
}

std::string seconds(int64_t us) {
    std::string text = std::to_string(us / 1000000) + ".";
    std::string frac = std::to_string(us % 1000000);
    return text + std::string(6 - frac.size(), '0') + frac;
}

void addInput(std::vector<std::string>& args, const EncoderOptions& o, const std::string& source) {
    // Seeking on the input is fast and, when transcoding, exact.
    if (o.startUs && *o.startUs > 0)
        args.insert(args.end(), {"-ss", seconds(*o.startUs)});
    args.insert(args.end(), {"-i", FfmpegPath(source)});
}

void addDuration(std::vector<std::string>& args, const EncoderOptions& o) {
    if (o.durationUs)
        args.insert(args.end(), {"-t", seconds(*o.durationUs)});
}

void addVideo(std::vector<std::string>& args, const EncoderOptions& o, const ConversionPlan& plan) {
    if (o.noVideo) {
        args.push_back("-vn");
        return;
    }
    std::string encoder;
    if (!o.videoCodec.empty()) {
        const auto* info = FindVideoCodec(o.videoCodec);
        encoder = info ? std::string(info->encoder) : o.videoCodec;
        args.insert(args.end(), {"-c:v", encoder});
    } else if (o.target.empty()) {
        encoder = std::string(DefaultVideoEncoder(plan.muxer));
    }
    if (encoder == "libxvid" && plan.muxer == "avi")
        args.insert(args.end(), {"-tag:v", "XVID"}); // what players of AVI files look for
    if (encoder == "libx264")
        args.insert(args.end(), {"-pix_fmt", "yuv420p"}); // 4:4:4 sources would give 4:4:4
    if (o.width > 0)
        args.insert(args.end(), {"-s", std::to_string(o.width) + "x" + std::to_string(o.height)});
    if (o.sameQuality) {
        const auto* info = FindVideoEncoder(encoder);
        QualityMode mode = info ? info->quality : QualityMode::Quantizer;
        if (mode == QualityMode::Quantizer)
            args.insert(args.end(), {"-q:v", "1", "-qmin", "1"});
        else if (mode == QualityMode::Crf)
            args.insert(args.end(), {"-crf", "14"});
    } else if (o.videoBitrateBps) {
        args.insert(args.end(), {"-b:v", std::to_string(*o.videoBitrateBps)});
    }
    if (!o.frameRate.empty())
        args.insert(args.end(), {"-r", ExactFrameRate(o.frameRate)});
    if (!o.aspect.empty())
        args.insert(args.end(), {"-aspect", o.aspect});
}

void addAudio(std::vector<std::string>& args, const EncoderOptions& o) {
    if (o.noAudio) {
        args.push_back("-an");
        return;
    }
    if (!o.audioCodec.empty()) {
        const auto* info = FindAudioCodec(o.audioCodec);
        args.insert(args.end(), {"-c:a", info ? std::string(info->encoder) : o.audioCodec});
    }
    if (o.channels > 0)
        args.insert(args.end(), {"-ac", std::to_string(o.channels)});
    if (o.audioBitrateBps)
        args.insert(args.end(), {"-b:a", std::to_string(*o.audioBitrateBps)});
    if (o.sampleRate > 0)
        args.insert(args.end(), {"-ar", std::to_string(o.sampleRate)});
}

void addTail(std::vector<std::string>& args, const EncoderOptions& o) {
    if (!o.strict.empty())
        args.insert(args.end(), {"-strict", o.strict});
    args.push_back(o.overwrite ? "-y" : "-n");
    args.push_back(FfmpegPath(o.output));
}

} // namespace

std::string FfmpegPath(const std::string& path) {
    return "file:" + path;
}

AmrSettings AmrModeFor(bool wideband, std::optional<int64_t> bitrateBps) {
    AmrSettings s;
    s.wideband = wideband;
    const AmrMode* best = nullptr;
    auto consider = [&](const auto& modes) {
        best = &modes.back();
        if (!bitrateBps)
            return;
        for (const auto& m : modes)
            if (std::llabs(m.bps - *bitrateBps) < std::llabs(best->bps - *bitrateBps))
                best = &m;
    };
    if (wideband)
        consider(kWideModes);
    else
        consider(kNarrowModes);
    s.mode = best->mode;
    s.bitrateBps = best->bps;
    return s;
}

PlanResult PlanConversion(const EncoderOptions& o) {
    PlanResult result;
    ConversionPlan& plan = result.plan;
    if (!o.format.empty()) {
        const auto* info = FindFormat(o.format);
        plan.muxer = info ? std::string(info->muxer) : o.format;
    } else if (o.target.empty()) {
        if (const auto* info = FormatForFileName(o.output))
            plan.muxer = std::string(info->muxer);
    }
    if (o.durationUs && *o.durationUs == 0) {
        result.error = "Error: the time range to convert is empty (-t 0)";
        return result;
    }
    bool amrCodec = isAmr(o.audioCodec);
    plan.audioOnly = !o.noAudio && (o.noVideo || plan.muxer == "amr" || AudioOnlyMuxer(plan.muxer));
    if (plan.muxer == "amr") {
        if (o.noAudio) {
            result.error = "Error: an AMR file holds audio only, and -an leaves none";
            return result;
        }
        if (!o.audioCodec.empty() && !amrCodec) {
            result.error = "Error: an AMR file can only hold AMR audio (amr_nb or amr_wb), not " +
                           o.audioCodec;
            return result;
        }
        plan.route = AudioRoute::AmrFile;
    } else if (amrCodec && !o.noAudio) {
        plan.route = AudioRoute::AmrInContainer;
    }
    if (plan.route == AudioRoute::Ffmpeg)
        return result;

    plan.amr = AmrModeFor(o.audioCodec == "amr_wb", o.audioBitrateBps);
    const char* name = plan.amr.wideband ? "AMR wide-band" : "AMR narrow-band";
    if (o.sampleRate > 0 && o.sampleRate != plan.amr.sampleRate()) {
        result.error = std::string("Error: ") + name + " audio is always " +
                       std::to_string(plan.amr.sampleRate()) + " Hz; a sample rate of " +
                       std::to_string(o.sampleRate) + " Hz is not possible";
    } else if (o.channels > 1) {
        result.error = std::string("Error: ") + name + " audio is always mono; " +
                       std::to_string(o.channels) + " channels are not possible";
    }
    return result;
}

bool NeedsInputStreams(const EncoderOptions& o, const ConversionPlan& plan) {
    if (o.noAudio)
        return false;
    if (plan.route == AudioRoute::AmrInContainer)
        return !o.noVideo;
    return plan.route == AudioRoute::Ffmpeg && MuxerNeedsAudio(plan.muxer);
}

void AdaptToInput(ConversionPlan& plan, const EncoderOptions& o, const InputStreams& input) {
    if (!NeedsInputStreams(o, plan) || !input.WithoutAudio() || !input.video)
        return;
    if (plan.route == AudioRoute::AmrInContainer) {
        plan.route = AudioRoute::Ffmpeg;
        plan.dropAudio = true;
    } else {
        plan.silentAudio = true;
    }
}

std::vector<std::string> ProbeArgs(const std::string& source) {
    return {"-hide_banner", "-nostdin", "-loglevel", "level+info", "-i", FfmpegPath(source)};
}

std::vector<std::string> FfmpegArgs(const EncoderOptions& o, const ConversionPlan& plan,
                                    const std::string& source, const std::string& amrFile) {
    std::vector<std::string> args = head();
    addInput(args, o, source);
    bool muxAmr = plan.route == AudioRoute::AmrInContainer;
    if (muxAmr) {
        // The AMR file already holds exactly the chosen stretch, from its start.
        args.insert(args.end(), {"-i", FfmpegPath(amrFile)});
        if (!o.noVideo)
            args.insert(args.end(), {"-map", "0:v:0?"});
        args.insert(args.end(), {"-map", "1:a:0"});
    } else if (plan.silentAudio) {
        // Endless silence that -shortest ends with the video (-ss cuts the file's input alone).
        args.insert(args.end(), {"-f", "lavfi", "-i", "anullsrc", "-map", "0:v:0", "-map", "1:a:0",
                                 "-shortest"});
    }
    args.insert(args.end(), {"-sn", "-dn"});
    if (!o.target.empty())
        args.insert(args.end(), {"-target", o.target});
    if (!plan.muxer.empty())
        args.insert(args.end(), {"-f", plan.muxer});
    addDuration(args, o);
    addVideo(args, o, plan);
    if (muxAmr)
        args.insert(args.end(), {"-c:a", "copy"});
    else if (plan.dropAudio)
        args.push_back("-an");
    else
        addAudio(args, o);
    addTail(args, o);
    return args;
}

std::vector<std::string> PcmDecodeArgs(const EncoderOptions& o, const ConversionPlan& plan,
                                       const std::string& source) {
    std::vector<std::string> args = head();
    addInput(args, o, source);
    args.insert(args.end(), {"-map", "0:a:0", "-vn", "-sn", "-dn"});
    addDuration(args, o);
    args.insert(args.end(), {"-ac", "1", "-ar", std::to_string(plan.amr.sampleRate()), "-f",
                             "s16le", "-c:a", "pcm_s16le", "pipe:1"});
    return args;
}

} // namespace quillabe::divuvo
