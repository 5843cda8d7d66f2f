#include "divuvo/InputStreams.h"

#include <cctype>

namespace quillabe::divuvo {

namespace {

// Skips "<open>...<close>" at the front, when the text begins with `open`.
bool skipEnclosed(std::string_view& text, char open, char close) {
    if (text.empty() || text.front() != open)
        return true;
    size_t end = text.find(close);
    if (end == std::string_view::npos)
        return false;
    text.remove_prefix(end + 1);
    return true;
}

} // namespace

StreamKind InputStreamKind(std::string_view text) {
    constexpr std::string_view kHead = "  Stream #0:";
    if (text.substr(0, kHead.size()) != kHead)
        return StreamKind::None;
    text.remove_prefix(kHead.size());
    // "<index>[<id>](<language>): <Kind>: ..."; the id and the language are optional.
    size_t digits = 0;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits])))
        ++digits;
    if (digits == 0)
        return StreamKind::Unreadable;
    text.remove_prefix(digits);
    if (!skipEnclosed(text, '[', ']') || !skipEnclosed(text, '(', ')'))
        return StreamKind::Unreadable;
    constexpr std::string_view kColon = ": ";
    if (text.substr(0, kColon.size()) != kColon)
        return StreamKind::Unreadable;
    text.remove_prefix(kColon.size());
    std::string_view kind = text.substr(0, text.find(':'));
    if (kind == "Video")
        return StreamKind::Video;
    if (kind == "Audio")
        return StreamKind::Audio;
    if (kind == "Subtitle" || kind == "Data" || kind == "Attachment")
        return StreamKind::Other;
    return StreamKind::Unreadable;
}

void NoteStream(InputStreams& streams, StreamKind kind) {
    switch (kind) {
    case StreamKind::Video:
        streams.video = true;
        break;
    case StreamKind::Audio:
        streams.audio = true;
        break;
    case StreamKind::Unreadable:
        streams.unknown = true;
        break;
    case StreamKind::None:
    case StreamKind::Other:
        break;
    }
}

} // namespace quillabe::divuvo
