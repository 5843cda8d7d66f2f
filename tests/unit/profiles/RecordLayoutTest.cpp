// Every record's keys, defaults and file order, written out here independently of the tables
// in src/profiles, and the round trip of every record through a file.

#include "core/IniFile.h"
#include "core/OutputFormat.h"
#include "profiles/ProfileRecords.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quillabe {
namespace {

using test::TempDir;
using Lines = std::vector<std::string>; // "key=value" in file order

Lines operator+(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::string n(int v) {
    return std::to_string(v);
}

Lines timeControl() {
    return {"EnableTimeControl=0", "Duration=0:00:00.000", "StartTime=0:00:00.000"};
}
Lines head(int videoCodec, int audioCodec) {
    return Lines{"Description=No Description"} + timeControl() +
           Lines{"VideoCodec=" + n(videoCodec), "VideoSameQuality=0", "AudioCodec=" + n(audioCodec),
                 "AudioDisableAudio=0"};
}

struct Video {
    int rate;
    int width = 640;
    int height = 480;
    int frameRate = 7;
    bool sizeFlag = true;
    bool useSource = true;
};
Lines video(const std::string& s, const Video& v) {
    Lines l = {"VideoBitRateUsePresert" + s + "=1", "VideoBitRatePreset" + s + "=" + n(v.rate),
               "VideoBitRateSpecify" + s + "=" + n(v.rate)};
    if (v.sizeFlag)
        l.push_back("VideoSizeUseSource" + s + "=" + (v.useSource ? "1" : "0"));
    return l + Lines{"VideoWidth" + s + "=" + n(v.width), "VideoHeight" + s + "=" + n(v.height),
                     "VideoKeepFrameRate" + s + "=1", "VideoFrameRate" + s + "=" + n(v.frameRate),
                     "VideoAspect" + s + "=0"};
}
Lines audio(const std::string& s, bool autoSet, int rate, int sampleRate, int channels) {
    return {"AudioBitRateUseAutoSet" + s + "=" + (autoSet ? "1" : "0"),
            "AudioBitRatePreset" + s + "=" + n(rate), "AudioSampleRate" + s + "=" + n(sampleRate),
            "AudioChannels" + s + "=" + n(channels)};
}
Lines rates(const std::string& s, int sampleRate, int channels) {
    return {"AudioSampleRate" + s + "=" + n(sampleRate), "AudioChannels" + s + "=" + n(channels)};
}
Lines audioHead() {
    return Lines{"Description=No Description"} + timeControl() + Lines{"AudioCodec=0"};
}

// Moves the listed keys, in the listed order, to the front (the file orders of some records).
Lines withHead(const Lines& lines, const std::vector<std::string>& keys) {
    Lines front, rest = lines;
    for (const auto& key : keys) {
        auto it = std::find_if(rest.begin(), rest.end(),
                               [&](const std::string& l) { return l.rfind(key + "=", 0) == 0; });
        EXPECT_NE(it, rest.end()) << key;
        if (it == rest.end())
            continue;
        front.push_back(*it);
        rest.erase(it);
    }
    return front + rest;
}

Lines keysOf(const Lines& lines) {
    Lines keys;
    for (const auto& l : lines)
        keys.push_back(l.substr(0, l.find('=')));
    return keys;
}

const std::vector<std::string> kCodecHead = {"Description", "EnableTimeControl", "Duration",
                                             "StartTime",   "VideoCodec",        "VideoSameQuality",
                                             "AudioCodec",  "AudioDisableAudio"};

struct Expected {
    TOutputFormat format;
    size_t fieldCount;
    Lines recordOrder; // with defaults
    Lines saveOrder;
    Lines loadOrder;
};

std::vector<Expected> expectations() {
    std::vector<Expected> e;
    {
        Lines r = head(0, 1);
        for (const char* s : {"DivX", "XviD", "MsMpeg4", "MsMpeg4v2"})
            r = r + video(s, {1080});
        r = r + video("H263", {.rate = 1080, .width = 352, .height = 288, .sizeFlag = false});
        for (const char* s :
             {"H263P", "H264", "DV", "huffYUV", "Mjpeg", "Mpeg1", "Mpeg2", "Svq1", "Flv"})
            r = r + video(s, {1080});
        r = r + audio("AC3", false, 96, 0, 1) + audio("Mp2", false, 96, 0, 1) +
            audio("Mp3", false, 96, 0, 1) + rates("Pcm16le", 3, 1) + rates("Pcmu8", 3, 1);
        e.push_back({ofAVI, 149, r, r, r});
    }
    {
        Lines r = Lines{"Description=No Description", "UsePresetFormats=0", "TargetFormat=0",
                        "PresetType=0"} +
                  timeControl() +
                  Lines{"VideoCodec=1", "VideoSameQuality=0", "AudioCodecMpeg1=0",
                        "AudioCodecMpeg2=0", "AudioDisableAudio=0"} +
                  video("Mpeg1", {1152}) + video("Mpeg2", {.rate = 2496, .frameRate = 8}) +
                  audio("AC3", false, 256, 3, 1) + audio("Mp2", false, 160, 2, 1) +
                  audio("Mp3", false, 160, 2, 1) + Lines{"DVDVideoBitRateUsePresert=1",
                                                         "DVDVideoBitRatePreset=6000",
                                                         "DVDVideoBitRateSpecify=6000",
                                                         "DVDVideoKeepAspect=1",
                                                         "DVDVideoAspect=1",
                                                         "DVDAudioBitRateUseAutoSet=0",
                                                         "DVDAudioBitRatePreset=384"};
        e.push_back({ofMPEG, 49, r,
                     withHead(r, {"Description", "TargetFormat", "PresetType", "UsePresetFormats"}),
                     r});
    }
    {
        Lines r =
            Lines{"Description=No Description"} + timeControl() +
            Lines{"AudioCodec=1", "AudioDisableAudio=0", "VideoCodec=0", "VideoSameQuality=0"} +
            video("Mpeg2",
                  {.rate = 6000, .width = 720, .height = 576, .frameRate = 3, .useSource = false}) +
            audio("AC3", false, 384, 3, 1) + audio("Mp2", false, 320, 3, 1);
        Lines f = withHead(r, kCodecHead);
        e.push_back({ofVOB, 25, r, f, f});
    }
    {
        Lines r = head(4, 0) + video("DivX", {1200}) + video("XviD", {1200}) +
                  video("H263", {.rate = 1200, .width = 352, .height = 288, .sizeFlag = false}) +
                  video("H264", {1200}) + video("Svq1", {1200}) + audio("AACMp4", false, 64, 3, 1) +
                  rates("Alaw", 3, 1) + audio("Armnb", false, 8, 0, 0) + rates("Pcm16le", 3, 1) +
                  rates("Pcm16be", 3, 1);
        e.push_back({ofMOV, 66, r, r, r});
    }
    {
        Lines r =
            Lines{"Description=No Description"} + timeControl() +
            Lines{"AudioDisableAudio=0", "AudioCodec=0", "VideoCodec=3", "VideoSameQuality=0"} +
            video("MsMpeg4", {768}) + video("MsMpeg4v2", {768}) + video("Wmv7", {768}) +
            video("Wmv8", {768}) + audio("Mp3", true, 64, 0, 1);
        Lines f = withHead(r, kCodecHead);
        e.push_back({ofWMV, 48, r, f, f});
    }
    {
        Lines r =
            Lines{"Description=No Description"} + timeControl() +
            Lines{"AudioCodec=0", "AudioDisableAudio=0", "VideoCodec=0", "VideoSameQuality=0"} +
            video("MsMpeg4", {768}) + video("MsMpeg4v2", {768}) + audio("Mp3", false, 64, 0, 1);
        Lines f = withHead(r, kCodecHead);
        e.push_back({ofASF, 30, r, f, f});
    }
    {
        Lines r = head(0, 0) + video("Rm10", {.rate = 768, .width = 320, .height = 240}) +
                  audio("AC3", false, 256, 3, 1);
        Lines save = withHead(r, {"Description", "EnableTimeControl", "Duration", "StartTime",
                                  "AudioCodec", "AudioDisableAudio", "VideoCodec",
                                  "VideoSameQuality", "VideoBitRatePresetRm10",
                                  "VideoBitRateSpecifyRm10", "VideoBitRateUsePresertRm10"});
        std::vector<std::string> loadHead = kCodecHead;
        loadHead.insert(loadHead.end(), {"VideoBitRatePresetRm10", "VideoBitRateSpecifyRm10",
                                         "VideoBitRateUsePresertRm10"});
        e.push_back({ofRM, 21, r, save, withHead(r, loadHead)});
    }
    {
        Lines r =
            Lines{"Description=No Description"} + timeControl() +
            Lines{"VideoSameQuality=0", "VideoCodec=0", "AudioCodec=0", "AudioDisableAudio=0"} +
            video("Flv", {768}) + audio("Mp3", true, 64, 1, 1);
        Lines f = withHead(r, kCodecHead);
        e.push_back({ofSWF, 21, r, f, f});
    }
    const Lines aac = audioHead() + audio("AACMp4", false, 128, 6, 1);
    const Lines ac3 = audioHead() + audio("AC3", false, 384, 3, 1);
    const Lines mp2 = audioHead() + audio("Mp2", false, 160, 2, 1);
    const Lines mp3 = audioHead() + audio("Mp3", false, 128, 2, 1);
    const Lines amr =
        audioHead() + audio("Armnb", false, 13, 0, 0) + audio("Armwb", false, 13, 0, 0);
    const Lines wav = audioHead() + rates("Pcm16le", 6, 1) + rates("Pcmu8", 6, 1);
    e.push_back({ofAAC, 9, aac, aac, aac});
    e.push_back({ofAC3, 9, ac3, ac3, ac3});
    e.push_back({ofMP2, 9, mp2, mp2, mp2});
    e.push_back({ofMP3, 9, mp3, mp3, mp3});
    e.push_back({ofAMR, 13, amr, amr, amr});
    e.push_back({ofWAV, 9, wav, wav, wav});
    return e;
}

TEST(RecordLayout, KeysDefaultsAndFileOrderOfEveryRecord) {
    TempDir dir;
    for (const auto& e : expectations()) {
        const std::string name(kOutputFormats[e.format].name);
        SCOPED_TRACE(name);
        const ProfileRecordOps* ops = FindProfileRecordOps(e.format);
        ASSERT_NE(ops, nullptr);
        EXPECT_EQ(e.recordOrder.size(), e.fieldCount); // the expectation itself
        EXPECT_EQ(ops->recordKeys(), keysOf(e.recordOrder));
        EXPECT_EQ(ops->loadKeys(), keysOf(e.loadOrder));

        ops->defaults();
        const std::string path = dir.File(name + ".profile");
        ops->save(path);
        Lines written;
        for (auto& [key, value] : IniFile(path).ReadSectionValues("General"))
            written.push_back(key + "=" + value);
        EXPECT_EQ(written, e.saveOrder);
        EXPECT_EQ(IniFile(path).ReadSections(), std::vector<std::string>{"General"});
    }
}

TEST(RecordLayout, PresetFormatsHaveNoRecord) {
    EXPECT_EQ(FindProfileRecordOps(ofMP4), nullptr);
    EXPECT_EQ(FindProfileRecordOps(of3GP), nullptr);
    EXPECT_EQ(FindProfileRecordOps(16), nullptr);
    EXPECT_EQ(FindProfileRecordOps(-1), nullptr);
}

// A value per field that differs from the defaults and from the other fill.
template <class R> void fill(R& r, const RecordLayout<R>& layout, int seed) {
    int i = 0;
    for (const auto& f : layout.fields) {
        ++i;
        std::visit(
            [&](auto member) {
                auto& field = r.*member;
                using T = std::remove_reference_t<decltype(field)>;
                if constexpr (std::is_same_v<T, std::string>)
                    field = f.key + " #" + std::to_string(seed);
                else if constexpr (std::is_same_v<T, bool>)
                    field = (i + seed) % 2 == 0;
                else if constexpr (std::is_same_v<T, uint8_t>)
                    field = static_cast<uint8_t>(200 + i * 3 + seed);
                else
                    field = -100000 * seed - i;
            },
            f.member);
    }
}

template <class R, R& instance, auto& layoutFn, auto defaults, auto load, auto save> struct Rec {
    using Type = R;
    static R& Instance() { return instance; }
    static const RecordLayout<R>& Layout() { return layoutFn(); }
    static void Defaults() { defaults(); }
    static void Load(const std::string& p) { load(p); }
    static void Save(const std::string& p) { save(p); }
};

#define QUILLABE_REC(T, Fmt)                                                                       \
    Rec<T, Fmt##Settings, Fmt##SettingsLayout, Default##Fmt##Settings, Load##Fmt##Settings,        \
        Save##Fmt##Settings>

using AllRecords =
    ::testing::Types<QUILLABE_REC(TAVISettings, Avi), QUILLABE_REC(TMPEGSettings, Mpeg),
                     QUILLABE_REC(TVobSettings, Vob), QUILLABE_REC(TMovSettings, Mov),
                     QUILLABE_REC(TWmvSettings, Wmv), QUILLABE_REC(TAsfSettings, Asf),
                     QUILLABE_REC(TRmSettings, Rm), QUILLABE_REC(TSwfSettings, Swf),
                     QUILLABE_REC(TAacSettings, Aac), QUILLABE_REC(TAc3Settings, Ac3),
                     QUILLABE_REC(TMp2Settings, Mp2), QUILLABE_REC(TMp3Settings, Mp3),
                     QUILLABE_REC(TAmrSettings, Amr), QUILLABE_REC(TWavSettings, Wav)>;

template <class T> class RecordRoundTrip : public ::testing::Test {};
TYPED_TEST_SUITE(RecordRoundTrip, AllRecords);

TYPED_TEST(RecordRoundTrip, EveryFieldSurvivesAFile) {
    using R = typename TypeParam::Type;
    TempDir dir;
    R& rec = TypeParam::Instance();
    const std::string path = dir.File("p.profile");

    TypeParam::Defaults();
    const R defaults = rec;
    TypeParam::Save(path);
    fill(rec, TypeParam::Layout(), 1);
    TypeParam::Load(path);
    EXPECT_TRUE(rec == defaults);

    // Every field of a filled record, the never-selected blocks of AVI included, and into a
    // record that holds other values in every field.
    fill(rec, TypeParam::Layout(), 2);
    const R filled = rec;
    TypeParam::Save(dir.File("q.profile"));
    fill(rec, TypeParam::Layout(), 3);
    ASSERT_FALSE(rec == filled);
    TypeParam::Load(dir.File("q.profile"));
    EXPECT_TRUE(rec == filled);
    EXPECT_EQ(IniFile(dir.File("q.profile")).ReadSectionKeys("General").size(),
              TypeParam::Layout().fields.size());
}

} // namespace
} // namespace quillabe
