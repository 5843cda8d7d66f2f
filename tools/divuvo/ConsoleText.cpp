#include "divuvo/ConsoleText.h"

#include <array>

namespace quillabe::divuvo {

namespace {
constexpr std::array<std::string_view, 3> kMarkers{"Could not open", "I/O error occured",
                                                   "No audio or video streams available"};
constexpr std::string_view kNoBreakSpace = "\xC2\xA0";
} // namespace

std::string OneLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (char c : text) {
        auto u = static_cast<unsigned char>(c);
        line.push_back(u < 32 || u == 127 ? '?' : c);
    }
    return line;
}

std::string ConsoleName(std::string_view path) {
    std::string text = OneLine(path);
    for (std::string_view marker : kMarkers) {
        size_t blank = marker.find(' ');
        for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at))
            text.replace(at + blank, 1, kNoBreakSpace);
    }
    return text;
}

} // namespace quillabe::divuvo
