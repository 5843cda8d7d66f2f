#include "divuvo/ProgressLine.h"

#include <charconv>
#include <cstdio>

namespace quillabe::divuvo {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\r'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// "N/A", a negative time before the first packet, or garbage leave the old value in place.
template <typename T> void readNumber(std::string_view text, T& out) {
    T value{};
    text = trimmed(text);
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc() && end == text.data() + text.size() && value >= 0)
        out = value;
}

} // namespace

std::string FormatProgressLine(const ProgressValues& v) {
    double seconds = static_cast<double>(v.timeUs) / 1e6;
    // Before the first hundredth of a second the ratio means nothing.
    double kbits = seconds >= 0.01 ? static_cast<double>(v.sizeBytes) * 8 / 1000 / seconds : 0;
    char line[160];
    std::snprintf(line, sizeof line,
                  "frame=%5lld fps=%3.0f q=%.1f size=%8lldkB time=%.2f bitrate=%6.1fkbits/s",
                  static_cast<long long>(v.frame), v.fps, v.q,
                  static_cast<long long>(v.sizeBytes / 1024), seconds, kbits);
    return line;
}

bool ProgressBlock::Feed(std::string_view line) {
    size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    std::string_view key = trimmed(line.substr(0, eq));
    std::string_view value = line.substr(eq + 1);
    if (key == "frame") {
        readNumber(value, values_.frame);
    } else if (key == "fps") {
        readNumber(value, values_.fps);
    } else if (key == "total_size") {
        readNumber(value, values_.sizeBytes);
    } else if (key == "out_time_us") {
        readNumber(value, values_.timeUs);
    } else if (!qSeen_ && key.starts_with("stream_") && key.ends_with("_q")) {
        // The first video stream's quantizer, as the old line showed.
        qSeen_ = true;
        double q = -1;
        std::string_view text = trimmed(value);
        std::from_chars(text.data(), text.data() + text.size(), q);
        values_.q = q < 0 ? 0 : q;
    } else if (key == "progress") {
        ended_ = trimmed(value) == "end";
        qSeen_ = false;
        return true;
    }
    return false;
}

} // namespace quillabe::divuvo
