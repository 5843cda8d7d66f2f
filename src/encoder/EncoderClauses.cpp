#include "encoder/EncoderClauses.h"

namespace quillabe::args {

const std::array<std::string_view, 13> kFrameRates = {
    "-r 10 ", "-r 12 ",    "-r 14.985 ", "-r 15 ", "-r 19.98 ", "-r 23.976 ", "-r 24 ",
    "-r 25 ", "-r 29.97 ", "-r 30 ",     "-r 50 ", "-r 59.94 ", "-r 60 "};
const std::array<std::string_view, 9> kVobFrameRates = {"-r 19.98 ", "-r 23.976 ", "-r 24 ",
                                                        "-r 25 ",    "-r 29.97 ",  "-r 30 ",
                                                        "-r 50 ",    "-r 59.94 ",  "-r 60 "};
const std::array<std::string_view, 4> kFourRates = {"-ar 22050 ", "-ar 24000 ", "-ar 44100 ",
                                                    "-ar 48000 "};
const std::array<std::string_view, 8> kEightRates = {"-ar 11025 ", "-ar 12000 ", "-ar 16000 ",
                                                     "-ar 22050 ", "-ar 24000 ", "-ar 32000 ",
                                                     "-ar 44100 ", "-ar 48000 "};
const std::array<std::string_view, 3> kSwfRates = {"-ar 11025 ", "-ar 22050 ", "-ar 44100 "};

namespace {
constexpr std::array<std::string_view, 3> kStandardAspects = {"", "-aspect 4:3 ", "-aspect 16:9 "};
constexpr std::array<std::string_view, 5> kFiveValueAspects = {"", "-aspect 1:1 ", "-aspect 4:3 ",
                                                               "-aspect 11:9 ", "-aspect 16:9 "};
constexpr std::array<std::string_view, 3> kVobAspects = {"-aspect 5:4 ", "-aspect 4:3 ",
                                                         "-aspect 16:9 "};

OptionTable aspectTable(Aspect aspect) {
    switch (aspect) {
    case Aspect::FiveValue:
        return kFiveValueAspects;
    case Aspect::Vob:
        return kVobAspects;
    case Aspect::Standard:
        break;
    }
    return kStandardAspects;
}

void appendChannels(std::string& out, uint8_t channels) {
    if (channels == 0)
        out += "-ac 1 ";
    else if (channels == 1)
        out += "-ac 2 ";
}

void appendAudioBitrate(std::string& out, const AudioBlockValues& a) {
    if (!a.useAutoSet) {
        out += "-ab ";
        AppendNumber(out, a.preset);
        out += " ";
    }
}

// A time text becomes one encoder argument: blanks, control characters and quotes in a
// hand-edited profile would otherwise split it into further options (an extra output file, say).
// A word that begins with "-" would be read as an option ("-i" takes the next word for the
// input), so it is left out: no time, as for a blank one.
void appendTimeText(std::string& out, std::string_view text) {
    std::string word;
    for (char c : text)
        if (static_cast<unsigned char>(c) > 32 && c != '"')
            word += c;
    if (!word.starts_with('-'))
        out += word;
}
} // namespace

void AppendEntry(std::string& out, OptionTable table, int index) {
    if (index >= 0 && static_cast<size_t>(index) < table.size())
        out += table[static_cast<size_t>(index)];
}

void AppendNumber(std::string& out, int32_t value) {
    out += std::to_string(value);
}

void AppendTimeControl(std::string& out, bool enabled, std::string_view duration,
                       std::string_view start) {
    if (!enabled)
        return;
    out += " -t ";
    appendTimeText(out, duration);
    out += " -ss ";
    appendTimeText(out, start);
    out += " ";
}

void AppendSameQuality(std::string& out, bool enabled) {
    if (enabled)
        out += "-sameq ";
}

void AppendVideo(std::string& out, const VideoClause& clause, const VideoBlockValues& v) {
    auto size = [&] {
        if (!v.hasSizeFlag || !v.sizeUseSource) {
            out += "-s ";
            AppendNumber(out, v.width);
            out += "x";
            AppendNumber(out, v.height);
            out += " ";
        }
    };
    auto bitrate = [&] {
        out += "-b ";
        AppendNumber(out, v.usePresert ? v.preset : v.specify);
        out += "k ";
    };
    out += clause.codec;
    if (clause.bitrateFirst) {
        bitrate();
        size();
    } else {
        size();
        bitrate();
    }
    if (v.keepFrameRate)
        out += "-r 25 ";
    else
        AppendEntry(out, clause.frameRates, v.frameRate);
    AppendEntry(out, aspectTable(clause.aspect), v.aspect);
}

void AppendMpAudio(std::string& out, std::string_view codec, const AudioBlockValues& a,
                   OptionTable rates) {
    out += codec;
    appendChannels(out, a.channels);
    appendAudioBitrate(out, a);
    AppendEntry(out, rates, a.sampleRate);
}

void AppendAc3Audio(std::string& out, std::string_view codec, const AudioBlockValues& a) {
    out += codec;
    if (a.channels <= 1) {
        appendChannels(out, a.channels);
        AppendEntry(out, kFourRates, a.sampleRate);
    } else if (a.channels == 2) {
        out += "-ac 5:1 -ar 48000 ";
    }
    appendAudioBitrate(out, a);
}

void AppendPcmAudio(std::string& out, std::string_view codec, const AudioBlockValues& a) {
    out += codec;
    appendChannels(out, a.channels);
    AppendEntry(out, kEightRates, a.sampleRate);
}

void AppendAmrAudio(std::string& out, std::string_view codec, const AudioBlockValues& a,
                    std::string_view rate) {
    out += codec;
    if (a.channels == 0)
        out += "-ac 1 ";
    if (a.sampleRate == 0)
        out += rate;
    appendAudioBitrate(out, a);
}

void AppendAudio(std::string& out, const AudioClause& clause, const AudioBlockValues& a) {
    switch (clause.shape) {
    case AudioShape::Mp:
        AppendMpAudio(out, clause.codec, a, clause.rates);
        break;
    case AudioShape::Ac3:
        AppendAc3Audio(out, clause.codec, a);
        break;
    case AudioShape::Pcm:
        AppendPcmAudio(out, clause.codec, a);
        break;
    case AudioShape::Amr:
        AppendAmrAudio(out, clause.codec, a, clause.amrRate);
        break;
    }
}

} // namespace quillabe::args
