#include "mediainfo/MediaProbe.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "lang/Messages.h"
#include "mediainfo/MediaInfoHandle.h"

#include <array>

namespace quillabe {
namespace {

struct Query {
    StreamKind kind;
    const char* parameter;
    std::string TFileItem::*field;
};

// The sixteen answers, asked for in this order.
constexpr std::array<Query, 16> kQueries = {{
    {StreamKind::General, "CompleteName", &TFileItem::CompleteName},
    {StreamKind::General, "FileSize", &TFileItem::FileSize},
    {StreamKind::General, "Format", &TFileItem::Format},
    {StreamKind::General, "PlayTime/String3", &TFileItem::PlayTime},
    {StreamKind::General, "AudioCount", &TFileItem::AudioCount},
    {StreamKind::General, "VideoCount", &TFileItem::VideoCount},
    {StreamKind::Video, "Codec/String", &TFileItem::VideoCodec},
    {StreamKind::Video, "Width", &TFileItem::Width},
    {StreamKind::Video, "Height", &TFileItem::Height},
    {StreamKind::Video, "Bitrate", &TFileItem::VideoBitrate},
    {StreamKind::Video, "AspectRatio", &TFileItem::AspectRatio},
    {StreamKind::Video, "FrameRate", &TFileItem::FrameRate},
    {StreamKind::Audio, "Codec/String", &TFileItem::AudioCodec},
    {StreamKind::Audio, "BitRate", &TFileItem::AudioBitrate},
    {StreamKind::Audio, "Channel(s)", &TFileItem::Channels},
    {StreamKind::Audio, "SamplingRate", &TFileItem::SamplingRate},
}};

struct Rename {
    StreamKind kind;
    const char* legacy;
    const char* current;
};

// Names the library has retired: it answers them empty although it knows the value under its
// current name. "Channel(s)" and the audio "BitRate" are still current.
constexpr std::array<Rename, 4> kRenames = {{
    {StreamKind::Video, "Codec/String", "Format/String"},
    {StreamKind::Audio, "Codec/String", "Format/String"},
    {StreamKind::Video, "Bitrate", "BitRate"},
    {StreamKind::General, "PlayTime/String3", "Duration/String3"},
}};

std::string Ask(const MediaInfoHandle& mi, StreamKind kind, const char* parameter) {
    std::string answer = mi.Get(kind, 0, parameter);
    if (!answer.empty())
        return answer;
    for (const Rename& r : kRenames)
        if (r.kind == kind && std::string_view(r.legacy) == parameter)
            return mi.Get(kind, 0, r.current);
    return answer;
}

} // namespace

bool ProbeAccepted(const TFileItem& item) {
    const std::string& placeholder = Msg(MSG_EMPTY_STR);
    return item.CompleteName != placeholder && item.FileSize != placeholder;
}

bool ProbeFile(const std::string& path, TFileItem& item) {
    std::array<std::string, kQueries.size()> answers;
    {
        MediaInfoHandle mi;
        mi.Open(path); // a failed open shows up as empty answers
        for (size_t i = 0; i < kQueries.size(); ++i)
            answers[i] = Ask(mi, kQueries[i].kind, kQueries[i].parameter);
        // Opened through an alias, the library names the alias; it would have named the path.
        if (mi.OpenedAs() != path && answers[0] == mi.OpenedAs())
            answers[0] = path;
    }
    // The library names and sizes any readable file, even one it recognises nothing in; such a
    // file is damaged or unsupported and must be refused, so it yields no answers at all. Raw
    // GSM audio has no header to recognise: its extension is all there is, and a non-empty file
    // of it goes on to the encoder, which reads it as such.
    const bool headerless =
        SameText(ExtractFileExt(path), ".gsm") && !answers[1].empty() && answers[1] != "0";
    const bool recognised =
        headerless || !answers[2].empty() || !answers[4].empty() || !answers[5].empty();
    for (size_t i = 0; i < kQueries.size(); ++i)
        item.*kQueries[i].field = EmptyToPlaceholder(recognised ? answers[i] : std::string());
    return ProbeAccepted(item);
}

std::string MediaReport(const std::string& path) {
    if (!FileExists(path))
        return {};
    MediaInfoHandle mi;
    mi.Open(path);
    MediaInfoHandle::Option("Complete", ""); // the standard, not the complete, report
    std::string report = mi.Inform();
    if (mi.OpenedAs() != path && !mi.OpenedAs().empty())
        report = ReplaceFirst(report, mi.OpenedAs(), path);
    mi.Close();
    return report;
}

} // namespace quillabe
