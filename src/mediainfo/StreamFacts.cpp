#include "mediainfo/StreamFacts.h"

#include "mediainfo/MediaInfoHandle.h"

#include <charconv>
#include <cmath>

namespace quillabe {

namespace {

// The library answers counts as whole numbers and durations in milliseconds, sometimes with a
// fraction ("1234.567"); anything else counts as unknown.
std::optional<int64_t> wholeNumber(const std::string& text) {
    int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr == text.data() || value < 0)
        return std::nullopt;
    if (ptr != end && *ptr != '.')
        return std::nullopt;
    return value;
}

} // namespace

std::optional<StreamFacts> ReadStreamFacts(const std::string& path) {
    MediaInfoHandle mi;
    if (!mi.Open(path))
        return std::nullopt;
    // A file the library does not know at all still gets a general stream with its name and
    // size; it has no format.
    if (mi.Get(StreamKind::General, 0, "Format").empty())
        return std::nullopt;
    StreamFacts facts;
    facts.videoStreams =
        static_cast<int>(wholeNumber(mi.Get(StreamKind::General, 0, "VideoCount")).value_or(0));
    facts.audioStreams =
        static_cast<int>(wholeNumber(mi.Get(StreamKind::General, 0, "AudioCount")).value_or(0));
    facts.durationMs = wholeNumber(mi.Get(StreamKind::General, 0, "Duration"));
    return facts;
}

} // namespace quillabe
