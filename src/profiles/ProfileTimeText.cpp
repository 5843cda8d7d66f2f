#include "profiles/ProfileTimeText.h"

#include <climits>
#include <cstdio>

namespace quillabe {

namespace {

// A part between separators: digits only by the time we get here. Empty or beyond a 32-bit
// integer counts as 0, as the profiles written by older versions expect.
int64_t PartValue(const std::string& text, size_t begin, size_t end) {
    if (begin >= end) {
        return 0;
    }
    int64_t value = 0;
    for (size_t i = begin; i < end; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT32_MAX) {
            return 0;
        }
    }
    return value;
}

struct Shape {
    bool onlyAllowed = true; // digits, colons and full stops only
    bool hasColon = false;
    int colons = 0;
    int stops = 0;
    size_t lastColon = std::string::npos;
    size_t firstStop = std::string::npos;
};

Shape ShapeOf(const std::string& text) {
    Shape shape;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ':') {
            ++shape.colons;
            shape.lastColon = i;
        } else if (c == '.') {
            if (shape.stops == 0) {
                shape.firstStop = i;
            }
            ++shape.stops;
        } else if (c < '0' || c > '9') {
            shape.onlyAllowed = false;
        }
    }
    return shape;
}

} // namespace

int64_t TimeTextToMs(const std::string& text) {
    const Shape s = ShapeOf(text);
    if (!s.onlyAllowed || text.empty()) {
        return -1;
    }
    const size_t n = text.size();
    if (s.stops == 1 && s.colons == 2 && s.lastColon < s.firstStop) {
        const size_t c1 = text.find(':');
        const size_t c2 = s.lastColon;
        const size_t dot = s.firstStop;
        return PartValue(text, 0, c1) * 3600000 + PartValue(text, c1 + 1, c2) * 60000 +
               PartValue(text, c2 + 1, dot) * 1000 + PartValue(text, dot + 1, n);
    }
    if (s.stops == 1 && s.colons == 1 && s.lastColon < s.firstStop) {
        const size_t c = s.lastColon;
        const size_t dot = s.firstStop;
        return PartValue(text, 0, c) * 60000 + PartValue(text, c + 1, dot) * 1000 +
               PartValue(text, dot + 1, n);
    }
    if (s.stops == 1 && s.colons == 0) {
        const size_t dot = s.firstStop;
        return PartValue(text, 0, dot) * 1000 + PartValue(text, dot + 1, n);
    }
    if (s.stops == 0 && s.colons == 0) {
        return PartValue(text, 0, n) * 1000;
    }
    if (s.stops == 0 && s.colons == 1) {
        const size_t c = s.lastColon;
        return PartValue(text, 0, c) * 60000 + PartValue(text, c + 1, n) * 1000;
    }
    if (s.stops == 0 && s.colons == 2) {
        const size_t c1 = text.find(':');
        const size_t c2 = s.lastColon;
        return PartValue(text, 0, c1) * 3600000 + PartValue(text, c1 + 1, c2) * 60000 +
               PartValue(text, c2 + 1, n) * 1000;
    }
    return -1;
}

std::string MsToTimeText(int64_t ms) {
    // Negative counts never come from a valid text; write them with a sign rather than as the
    // garbled digits a truncating division would give, so nothing reads them back as valid.
    const bool negative = ms < 0;
    const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(ms) : static_cast<uint64_t>(ms);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%s%llu:%02llu:%02llu.%03llu", negative ? "-" : "",
                  static_cast<unsigned long long>(magnitude / 3600000),
                  static_cast<unsigned long long>(magnitude / 1000 % 3600 / 60),
                  static_cast<unsigned long long>(magnitude / 1000 % 60),
                  static_cast<unsigned long long>(magnitude % 1000));
    return buffer;
}

} // namespace quillabe
