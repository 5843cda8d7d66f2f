#pragma once
// Clauses and value tables shared by the branches of the argument builder. Every literal ends in
// the blank that separates it from the next option.

#include "profiles/SettingsBlocks.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace quillabe::args {

using OptionTable = std::span<const std::string_view>;

extern const std::array<std::string_view, 13> kFrameRates;
extern const std::array<std::string_view, 9> kVobFrameRates;
extern const std::array<std::string_view, 4> kFourRates;
extern const std::array<std::string_view, 8> kEightRates;
extern const std::array<std::string_view, 3> kSwfRates;

// The table's entry at the index; nothing outside the table.
void AppendEntry(std::string& out, OptionTable table, int index);
void AppendNumber(std::string& out, int32_t value);

// " -t <duration> -ss <start> " when enabled.
void AppendTimeControl(std::string& out, bool enabled, std::string_view duration,
                       std::string_view start);
void AppendSameQuality(std::string& out, bool enabled);

enum class Aspect {
    Standard,  // 1 4:3, 2 16:9
    FiveValue, // H.263: 1 1:1, 2 4:3, 3 11:9, 4 16:9
    Vob,       // 0 (automatic) 5:4, 1 4:3, 2 16:9
};

struct VideoClause {
    std::string_view codec;
    Aspect aspect = Aspect::Standard;
    bool bitrateFirst = false; // RM: bitrate before the frame size
    OptionTable frameRates = kFrameRates;
};

// Codec, frame size (unless the source's is kept), bitrate, frame rate ("-r 25 " when the
// source's is kept), aspect.
void AppendVideo(std::string& out, const VideoClause& clause, const VideoBlockValues& v);

// Codec, channels, bitrate unless automatic, sample rate from the table.
void AppendMpAudio(std::string& out, std::string_view codec, const AudioBlockValues& a,
                   OptionTable rates = kFourRates);
// Codec; mono or stereo with the four-rate entry, or 5.1 at 48000 Hz; bitrate unless automatic.
void AppendAc3Audio(std::string& out, std::string_view codec, const AudioBlockValues& a);
// Codec, channels, eight-rate entry; PCM has no bitrate.
void AppendPcmAudio(std::string& out, std::string_view codec, const AudioBlockValues& a);
// Codec; "-ac 1 " and the single rate only for index 0 (their only value); bitrate unless
// automatic.
void AppendAmrAudio(std::string& out, std::string_view codec, const AudioBlockValues& a,
                    std::string_view rate);

enum class AudioShape { Mp, Ac3, Pcm, Amr };

struct AudioClause {
    std::string_view codec;
    AudioShape shape;
    OptionTable rates = kFourRates; // MP shape
    std::string_view amrRate = {};  // AMR shape
};

void AppendAudio(std::string& out, const AudioClause& clause, const AudioBlockValues& a);

// A branch's codec tables: the codec index picks a clause and the block it reads.
template <class R> struct VideoChoice {
    VideoClause clause;
    const VideoBlockMembers<R>* block;
};

template <class R> struct AudioChoice {
    AudioClause clause;
    const AudioBlockMembers<R>* block;
};

// The choice at the index; an index outside the table appends nothing.
template <class R>
void AppendVideoChoice(std::string& out, const R& s, std::span<const VideoChoice<R>> table,
                       uint8_t index) {
    if (index < table.size())
        AppendVideo(out, table[index].clause, ReadVideoBlock(s, *table[index].block));
}

template <class R>
void AppendAudioChoice(std::string& out, const R& s, std::span<const AudioChoice<R>> table,
                       uint8_t index) {
    if (index < table.size())
        AppendAudio(out, table[index].clause, ReadAudioBlock(s, *table[index].block));
}

} // namespace quillabe::args
