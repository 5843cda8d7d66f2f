#include "divuvo/Options.h"

#include "base/TimeText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace quillabe::divuvo {

namespace {

enum class Arg { None, Value };

struct OptionDef {
    std::string_view name;
    Arg arg;
};

// Every option the program's profiles, fix-ups and preset templates produce.
constexpr std::array kOptions{
    OptionDef{"-p", Arg::Value},      OptionDef{"-i", Arg::Value},
    OptionDef{"-y", Arg::None},       OptionDef{"-f", Arg::Value},
    OptionDef{"-t", Arg::Value},      OptionDef{"-ss", Arg::Value},
    OptionDef{"-sameq", Arg::None},   OptionDef{"-vcodec", Arg::Value},
    OptionDef{"-s", Arg::Value},      OptionDef{"-b", Arg::Value},
    OptionDef{"-r", Arg::Value},      OptionDef{"-aspect", Arg::Value},
    OptionDef{"-an", Arg::None},      OptionDef{"-vn", Arg::None},
    OptionDef{"-acodec", Arg::Value}, OptionDef{"-ac", Arg::Value},
    OptionDef{"-ab", Arg::Value},     OptionDef{"-ar", Arg::Value},
    OptionDef{"-target", Arg::Value}, OptionDef{"-strict", Arg::Value},
};

const OptionDef* findOption(std::string_view name) {
    for (const auto& def : kOptions)
        if (def.name == name)
            return &def;
    return nullptr;
}

bool parseInt(std::string_view text, int64_t& value) {
    if (text.empty())
        return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

bool parseDecimal(std::string_view text, double& value) {
    if (text.empty() || text.front() == '+' || text.front() == '-')
        return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

// A bitrate with an optional k/M suffix. A bare number is kbit/s below 10000 (the old
// vocabulary's bare "-ab 128") and bit/s from there on.
std::optional<int64_t> parseBitrate(std::string_view text) {
    double factor = 0;
    if (!text.empty() && (text.back() == 'k' || text.back() == 'K')) {
        factor = 1000;
        text.remove_suffix(1);
    } else if (!text.empty() && text.back() == 'M') {
        factor = 1000000;
        text.remove_suffix(1);
    }
    double number = 0;
    if (!parseDecimal(text, number) || number <= 0)
        return std::nullopt;
    if (factor == 0)
        factor = number < 10000 ? 1000 : 1;
    double bps = std::round(number * factor);
    if (bps < 1 || bps > 1e10)
        return std::nullopt;
    return static_cast<int64_t>(bps);
}

bool parseFrameSize(std::string_view text, int& width, int& height) {
    size_t x = text.find('x');
    if (x == std::string_view::npos)
        return false;
    int64_t w = 0, h = 0;
    if (!parseInt(text.substr(0, x), w) || !parseInt(text.substr(x + 1), h))
        return false;
    if (w < 1 || h < 1 || w > 16384 || h > 16384)
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

bool isRatio(std::string_view text, char separator) {
    size_t sep = text.find(separator);
    double a = 0, b = 0;
    if (sep == std::string_view::npos)
        return parseDecimal(text, a) && a > 0;
    return parseDecimal(text.substr(0, sep), a) && parseDecimal(text.substr(sep + 1), b) && a > 0 &&
           b > 0;
}

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

} // namespace

std::optional<int64_t> ParseTimeUs(const std::string& text) {
    std::optional<int64_t> ms = ParseTimeTextMs(text);
    if (!ms)
        return std::nullopt;
    return *ms * 1000;
}

ParseResult ParseCommandLine(const std::vector<std::string>& args) {
    ParseResult result;
    EncoderOptions& o = result.options;
    auto fail = [&](std::string error) {
        result.error = std::move(error);
        return result;
    };
    if (args.empty())
        return fail("Error: no arguments; usage: divuvo.dll -p CODE -i INPUT [options] OUTPUT");
    bool inputSeen = false;
    const size_t last = args.size() - 1; // the output file
    // The access code first: a caller without it learns nothing else.
    bool codeRight = false;
    for (size_t i = 0; i + 1 < last; ++i) {
        if (args[i] == "-i")
            ++i;
        else if (args[i] == "-p")
            codeRight = args[i + 1] == kAccessCode;
    }
    if (!codeRight)
        return fail("Error: missing or wrong access code (-p)");
    for (size_t i = 0; i < last; ++i) {
        const std::string& name = args[i];
        const OptionDef* def = findOption(name);
        if (!def)
            return fail("Error: unknown option " + quoted(name));
        std::string value;
        bool hasValue = false;
        if (def->arg == Arg::Value) {
            // The access code and the input are taken as they come: a file may be called "-t".
            bool literal = name == "-p" || name == "-i";
            if (i + 1 < last && (literal || !findOption(args[i + 1]))) {
                value = args[++i];
                hasValue = true;
            } else if (literal && i + 1 == last) {
                return fail("Error: option " + name + " needs a value and no output file is given");
            }
        }
        // An empty value counts as none: the profiles leave "-t  -ss 0:00:10.000" when a
        // duration is blank.
        if (hasValue && value.empty() && name != "-i")
            hasValue = false;
        auto needValue = [&]() { return "Error: option " + name + " needs a value"; };

        if (name == "-p") {
            // Checked above.
        } else if (name == "-i") {
            if (!hasValue)
                return fail(needValue());
            o.input = value;
            inputSeen = true;
        } else if (name == "-y") {
            o.overwrite = true;
        } else if (name == "-sameq") {
            o.sameQuality = true;
        } else if (name == "-an") {
            o.noAudio = true;
        } else if (name == "-vn") {
            o.noVideo = true;
        } else if (name == "-t" || name == "-ss") {
            if (!hasValue)
                continue;
            auto us = ParseTimeUs(value);
            if (!us)
                return fail("Error: invalid time " + quoted(value) + " for option " + name +
                            " (expected h:mm:ss.xxx or seconds)");
            (name == "-t" ? o.durationUs : o.startUs) = *us;
        } else if (!hasValue) {
            return fail(needValue());
        } else if (name == "-f") {
            o.format = value;
        } else if (name == "-vcodec") {
            o.videoCodec = value;
        } else if (name == "-acodec") {
            o.audioCodec = value;
        } else if (name == "-target") {
            o.target = value;
        } else if (name == "-strict") {
            int64_t level = 0;
            if (!parseInt(value, level) && value != "experimental" && value != "unofficial" &&
                value != "normal" && value != "strict" && value != "very")
                return fail("Error: invalid value " + quoted(value) + " for option -strict");
            o.strict = value;
        } else if (name == "-s") {
            if (!parseFrameSize(value, o.width, o.height))
                return fail("Error: invalid frame size " + quoted(value) + " (expected WxH)");
        } else if (name == "-b" || name == "-ab") {
            auto bps = parseBitrate(value);
            if (!bps)
                return fail("Error: invalid " + std::string(name == "-b" ? "video" : "audio") +
                            " bitrate " + quoted(value));
            (name == "-b" ? o.videoBitrateBps : o.audioBitrateBps) = *bps;
        } else if (name == "-r") {
            if (!isRatio(value, '/'))
                return fail("Error: invalid frame rate " + quoted(value));
            o.frameRate = value;
        } else if (name == "-aspect") {
            if (!isRatio(value, ':'))
                return fail("Error: invalid aspect ratio " + quoted(value));
            o.aspect = value;
        } else if (name == "-ac") {
            int64_t channels = 0;
            if (value == "5:1")
                channels = 6;
            else if (!parseInt(value, channels) || channels < 1 || channels > 8)
                return fail("Error: invalid channel count " + quoted(value) +
                            " (expected 1, 2 or 5:1)");
            o.channels = static_cast<int>(channels);
        } else if (name == "-ar") {
            int64_t rate = 0;
            if (!parseInt(value, rate) || rate < 1000 || rate > 384000)
                return fail("Error: invalid sample rate " + quoted(value));
            o.sampleRate = static_cast<int>(rate);
        }
    }
    if (!inputSeen)
        return fail("Error: no input file given (-i)");
    o.output = args[last];
    if (o.output.empty() || findOption(o.output))
        return fail("Error: no output file given");
    if (o.noAudio && o.noVideo)
        return fail("Error: both -an and -vn given: nothing is left to convert");
    return result;
}

} // namespace quillabe::divuvo
