// The encoder option strings: one table of (starting record, profile file, format) -> exact
// string per family of formats, then the rules of the frame around the branches.

#include "encoder/EncoderArgs.h"
#include "core/GlobalVars.h"
#include "core/OutputFormat.h"
#include "lang/Messages.h"
#include "profiles/ProfileRecords.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quillabe {
namespace {

using test::TempDir;

void zeroAllRecords() {
    AviSettings = {};
    MpegSettings = {};
    VobSettings = {};
    MovSettings = {};
    WmvSettings = {};
    AsfSettings = {};
    RmSettings = {};
    SwfSettings = {};
    AacSettings = {};
    Ac3Settings = {};
    Mp2Settings = {};
    Mp3Settings = {};
    AmrSettings = {};
    WavSettings = {};
}

enum class Start { Defaults, Zero };

struct ArgsCase {
    const char* name;
    TOutputFormat format;
    Start start;
    const char* lines; // section General of the profile file
    const char* expected;
};

void runCases(const std::vector<ArgsCase>& cases) {
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(kOutputFormats[c.format].name) + ": " + c.name);
        zeroAllRecords();
        if (c.start == Start::Defaults)
            FindProfileRecordOps(c.format)->defaults();
        GlobalVars.OutputFormat = c.format;
        const std::string path = dir.Write("p.profile", std::string("[General]\n") + c.lines);
        EXPECT_EQ(BuildEncoderArgs(path), c.expected);
    }
}

constexpr Start D = Start::Defaults;
constexpr Start Z = Start::Zero;

TEST(EncoderArgs, Avi) {
    runCases({
        {"defaults", ofAVI, D, "",
         "-y -f avi -vcodec msmpeg4 -b 1080k -r 25 -acodec mp3 -ac 2 -ab 96 -ar 22050 "},
        {"time control", ofAVI, D,
         "EnableTimeControl=1\nDuration=0:01:00.000\nStartTime=0:00:10.000\n",
         "-y -f avi  -t 0:01:00.000 -ss 0:00:10.000 -vcodec msmpeg4 -b 1080k -r 25 -acodec mp3 -ac "
         "2 -ab 96 -ar 22050 "},
        {"same quality keeps the video options", ofAVI, D,
         "VideoSameQuality=1\nVideoCodec=1\nVideoSizeUseSourceXviD=0\nVideoWidthXviD=320\n"
         "VideoHeightXviD=240\nVideoBitRateUsePresertXviD=0\nVideoBitRateSpecifyXviD=800\n"
         "VideoKeepFrameRateXviD=0\nVideoFrameRateXviD=8\nVideoAspectXviD=2\n",
         "-y -f avi -sameq -vcodec xvid -s 320x240 -b 800k -r 29.97 -aspect 16:9 -acodec mp3 -ac 2 "
         "-ab 96 -ar 22050 "},
        {"H.263 always passes its size", ofAVI, D, "VideoCodec=4\nAudioCodec=9\n",
         "-y -f avi -vcodec h263 -s 352x288 -b 1080k -r 25 "},
        {"H.263 aspect 1:1", ofAVI, D, "VideoCodec=4\nVideoAspectH263=1\nAudioCodec=9\n",
         "-y -f avi -vcodec h263 -s 352x288 -b 1080k -r 25 -aspect 1:1 "},
        {"H.263 aspect 4:3", ofAVI, D, "VideoCodec=4\nVideoAspectH263=2\nAudioCodec=9\n",
         "-y -f avi -vcodec h263 -s 352x288 -b 1080k -r 25 -aspect 4:3 "},
        {"H.263 aspect 11:9", ofAVI, D, "VideoCodec=4\nVideoAspectH263=3\nAudioCodec=9\n",
         "-y -f avi -vcodec h263 -s 352x288 -b 1080k -r 25 -aspect 11:9 "},
        {"H.263 aspect 16:9", ofAVI, D, "VideoCodec=4\nVideoAspectH263=4\nAudioCodec=9\n",
         "-y -f avi -vcodec h263 -s 352x288 -b 1080k -r 25 -aspect 16:9 "},
        {"H.263 aspect out of range", ofAVI, D, "VideoCodec=4\nVideoAspectH263=5\nAudioCodec=9\n",
         "-y -f avi -vcodec h263 -s 352x288 -b 1080k -r 25 "},
        {"the DivX block is not the MS-mpeg4 block", ofAVI, D,
         "VideoCodec=2\nVideoBitRatePresetMsMpeg4=500\nVideoAspectMsMpeg4=1\nAudioCodec=9\n",
         "-y -f avi -vcodec msmpeg4 -b 500k -r 25 -aspect 4:3 "},
        {"msmpeg4v2", ofAVI, D, "VideoCodec=3\nAudioCodec=9\n",
         "-y -f avi -vcodec msmpeg4v2 -b 1080k -r 25 "},
        {"h263p", ofAVI, D, "VideoCodec=5\nAudioCodec=9\n",
         "-y -f avi -vcodec h263p -b 1080k -r 25 "},
        {"h264", ofAVI, D, "VideoCodec=6\nAudioCodec=9\n",
         "-y -f avi -vcodec h264 -b 1080k -r 25 "},
        {"huffYUV", ofAVI, D, "VideoCodec=7\nAudioCodec=9\n",
         "-y -f avi -vcodec ffvhuff -b 1080k -r 25 "},
        {"mjpeg", ofAVI, D, "VideoCodec=8\nAudioCodec=9\n",
         "-y -f avi -vcodec mjpeg -b 1080k -r 25 "},
        {"svq1", ofAVI, D, "VideoCodec=9\nAudioCodec=9\n",
         "-y -f avi -vcodec svq1 -b 1080k -r 25 "},
        {"flv", ofAVI, D, "VideoCodec=10\nAudioCodec=9\n", "-y -f avi -vcodec flv -b 1080k -r 25 "},
        {"codecs out of range", ofAVI, D, "VideoCodec=11\nAudioCodec=5\n", "-y -f avi "},
        {"frame rate table ends", ofAVI, D,
         "VideoKeepFrameRateDivX=0\nVideoFrameRateDivX=0\nVideoAspectDivX=3\nAudioCodec=9\n",
         "-y -f avi -vcodec msmpeg4 -b 1080k -r 10 "},
        {"frame rate 12", ofAVI, D,
         "VideoKeepFrameRateDivX=0\nVideoFrameRateDivX=12\nAudioCodec=9\n",
         "-y -f avi -vcodec msmpeg4 -b 1080k -r 60 "},
        {"frame rate out of range", ofAVI, D,
         "VideoKeepFrameRateDivX=0\nVideoFrameRateDivX=13\nAudioCodec=9\n",
         "-y -f avi -vcodec msmpeg4 -b 1080k "},
        {"hex, dollar, quoted and wrapped values", ofAVI, D,
         "VideoCodec=0x1\nVideoBitRatePresetXviD=$400\nDuration=\"0:00:05.000\"\n"
         "EnableTimeControl=0X01\nVideoFrameRateXviD=262\nVideoKeepFrameRateXviD=0\nAudioCodec=9\n",
         "-y -f avi  -t 0:00:05.000 -ss 0:00:00.000 -vcodec xvid -b 1024k -r 24 "},
        {"negative bitrate passes as written", ofAVI, D,
         "VideoBitRatePresetDivX=-5\nAudioCodec=9\n", "-y -f avi -vcodec msmpeg4 -b -5k -r 25 "},
        {"no audio whatever the codec", ofAVI, D, "AudioDisableAudio=1\nAudioCodec=4\n",
         "-y -f avi -vcodec msmpeg4 -b 1080k -r 25 -an "},
        {"AC3 5.1 ignores the rate", ofAVI, D,
         "VideoCodec=20\nAudioCodec=4\nAudioChannelsAC3=2\nAudioBitRateUseAutoSetAC3="
         "1\nAudioSampleRateAC3=1\n",
         "-y -f avi -acodec ac3 -ac 5:1 -ar 48000 "},
        {"AC3 stereo", ofAVI, D,
         "VideoCodec=20\nAudioCodec=4\nAudioChannelsAC3=1\nAudioSampleRateAC3="
         "2\nAudioBitRatePresetAC3=192\n",
         "-y -f avi -acodec ac3 -ac 2 -ar 44100 -ab 192 "},
        {"AC3 mono", ofAVI, D,
         "VideoCodec=20\nAudioCodec=4\nAudioChannelsAC3=0\nAudioSampleRateAC3=3\n",
         "-y -f avi -acodec ac3 -ac 1 -ar 48000 -ab 96 "},
        {"AC3 unknown channels drop the rate", ofAVI, D,
         "VideoCodec=20\nAudioCodec=4\nAudioChannelsAC3=3\nAudioSampleRateAC3=3\n",
         "-y -f avi -acodec ac3 -ab 96 "},
        {"PCM 16 bit", ofAVI, D,
         "VideoCodec=20\nAudioCodec=2\nAudioChannelsPcm16le=0\nAudioSampleRatePcm16le=6\n",
         "-y -f avi -acodec pcm_s16le -ac 1 -ar 44100 "},
        {"PCM 8 bit out of range", ofAVI, D,
         "VideoCodec=20\nAudioCodec=3\nAudioChannelsPcmu8=2\nAudioSampleRatePcmu8=8\n",
         "-y -f avi -acodec pcm_u8 "},
        {"MP2 automatic, odd channels, rate out of range", ofAVI, D,
         "VideoCodec=20\nAudioCodec=0\nAudioChannelsMp2=2\nAudioBitRateUseAutoSetMp2="
         "1\nAudioSampleRateMp2=4\n",
         "-y -f avi -acodec mp2 "},
        {"zero-filled record, missing keys", ofAVI, Z, "",
         "-y -f avi -vcodec msmpeg4 -s 0x0 -b 0k -r 10 -acodec mp2 -ac 1 -ab 0 -ar 22050 "},
        {"time texts stay single arguments", ofAVI, D,
         "EnableTimeControl=1\nDuration=0:01:00.000 -i \"/etc/passwd\"\nStartTime=0:00:01 .000\n"
         "AudioCodec=9\n",
         "-y -f avi  -t 0:01:00.000-i/etc/passwd -ss 0:00:01.000 -vcodec msmpeg4 -b 1080k -r 25 "},
    });
}

TEST(EncoderArgs, MpegAndVob) {
    runCases({
        {"defaults", ofMPEG, D, "",
         "-y -vcodec mpeg2video -b 2496k -r 25 -acodec ac3 -ac 2 -ar 48000 -ab 256 "},
        {"DVD PAL", ofMPEG, D, "UsePresetFormats=1\nPresetType=2\nTargetFormat=2\n",
         "-target pal-dvd -b 6000k -ab 384 "},
        {"VCD NTSC with time control", ofMPEG, D,
         "UsePresetFormats=1\nPresetType=0\nTargetFormat=1\nEnableTimeControl=1\n"
         "Duration=0:00:30.000\nStartTime=0:00:05.000\n",
         " -t 0:00:30.000 -ss 0:00:05.000 -target ntsc-vcd "},
        {"SVCD film ignores same quality and no audio", ofMPEG, D,
         "UsePresetFormats=1\nPresetType=1\nTargetFormat=0\nVideoSameQuality=1\nAudioDisableAudio="
         "1\n",
         "-target film-svcd "},
        {"DVD 1:1", ofMPEG, D,
         "UsePresetFormats=1\nPresetType=2\nTargetFormat=2\nDVDVideoKeepAspect=0\nDVDVideoAspect="
         "0\n",
         "-target pal-dvd -b 6000k -aspect 1:1 -ab 384 "},
        {"DVD film, typed bitrate, 16:9, automatic audio", ofMPEG, D,
         "UsePresetFormats=1\nPresetType=2\nTargetFormat=0\nDVDVideoBitRateUsePresert=0\n"
         "DVDVideoBitRateSpecify=7000\nDVDVideoKeepAspect=0\nDVDVideoAspect=2\n"
         "DVDAudioBitRateUseAutoSet=1\n",
         "-target film-dvd -b 7000k -aspect 16:9 "},
        {"DVD aspect out of range", ofMPEG, D,
         "UsePresetFormats=1\nPresetType=2\nTargetFormat=1\nDVDVideoKeepAspect=0\nDVDVideoAspect="
         "3\n",
         "-target ntsc-dvd -b 6000k -ab 384 "},
        {"DVD with unknown target keeps its options", ofMPEG, D,
         "UsePresetFormats=1\nPresetType=2\nTargetFormat=3\n", "-b 6000k -ab 384 "},
        {"unknown disc type gives nothing", ofMPEG, D, "UsePresetFormats=1\nPresetType=3\n", ""},
        {"MPEG-1 reads the MPEG-1 audio codec", ofMPEG, D,
         "VideoCodec=0\nAudioCodecMpeg1=1\nAudioCodecMpeg2=1\n",
         "-y -vcodec mpeg1video -b 1152k -r 25 -acodec mp3 -ac 2 -ab 160 -ar 44100 "},
        {"MPEG-1 mp2", ofMPEG, D, "VideoCodec=0\nAudioCodecMpeg1=0\n",
         "-y -vcodec mpeg1video -b 1152k -r 25 -acodec mp2 -ac 2 -ab 160 -ar 44100 "},
        {"MPEG-1 audio out of range", ofMPEG, D, "VideoCodec=0\nAudioCodecMpeg1=2\n",
         "-y -vcodec mpeg1video -b 1152k -r 25 "},
        {"MPEG-2 mp2", ofMPEG, D, "AudioCodecMpeg2=1\n",
         "-y -vcodec mpeg2video -b 2496k -r 25 -acodec mp2 -ac 2 -ab 160 -ar 44100 "},
        {"MPEG-2 mp3", ofMPEG, D, "AudioCodecMpeg2=2\nAudioChannelsMp3=0\n",
         "-y -vcodec mpeg2video -b 2496k -r 25 -acodec mp3 -ac 1 -ab 160 -ar 44100 "},
        {"MPEG-2 audio out of range", ofMPEG, D, "AudioCodecMpeg2=3\n",
         "-y -vcodec mpeg2video -b 2496k -r 25 "},
        {"unknown video takes the MPEG-1 audio list", ofMPEG, D,
         "VideoCodec=2\nVideoSameQuality=1\nAudioCodecMpeg1=0\n",
         "-y -sameq -acodec mp2 -ac 2 -ab 160 -ar 44100 "},
        {"MPEG frame rate 3 is 15", ofMPEG, D,
         "VideoKeepFrameRateMpeg2=0\nVideoFrameRateMpeg2=3\nVideoSizeUseSourceMpeg2="
         "0\nAudioDisableAudio=1\n",
         "-y -vcodec mpeg2video -s 640x480 -b 2496k -r 15 -an "},
        {"VOB defaults", ofVOB, D, "",
         "-y -f vob -vcodec mpeg2video -s 720x576 -b 6000k -r 25 -aspect 5:4 -acodec ac3 -ac 2 -ar "
         "48000 -ab 384 "},
        {"VOB frame rate 3 is 25", ofVOB, D,
         "VideoKeepFrameRateMpeg2=0\nVideoFrameRateMpeg2=3\nAudioCodec=2\n",
         "-y -f vob -vcodec mpeg2video -s 720x576 -b 6000k -r 25 -aspect 5:4 "},
        {"VOB frame rate 0, 4:3", ofVOB, D,
         "VideoKeepFrameRateMpeg2=0\nVideoFrameRateMpeg2=0\nVideoAspectMpeg2=1\nAudioCodec=2\n",
         "-y -f vob -vcodec mpeg2video -s 720x576 -b 6000k -r 19.98 -aspect 4:3 "},
        {"VOB frame rate 8, 16:9", ofVOB, D,
         "VideoKeepFrameRateMpeg2=0\nVideoFrameRateMpeg2=8\nVideoAspectMpeg2=2\nAudioCodec=2\n",
         "-y -f vob -vcodec mpeg2video -s 720x576 -b 6000k -r 60 -aspect 16:9 "},
        {"VOB frame rate and aspect out of range", ofVOB, D,
         "VideoKeepFrameRateMpeg2=0\nVideoFrameRateMpeg2=9\nVideoAspectMpeg2=3\nAudioCodec=2\n",
         "-y -f vob -vcodec mpeg2video -s 720x576 -b 6000k "},
        {"VOB mp2, time, same quality, no video", ofVOB, D,
         "AudioCodec=0\nVideoCodec=1\nVideoSameQuality=1\nEnableTimeControl=1\nDuration="
         "1\nStartTime=2\n",
         "-y -f vob  -t 1 -ss 2 -sameq -acodec mp2 -ac 2 -ab 320 -ar 48000 "},
        {"VOB no audio", ofVOB, D, "AudioDisableAudio=1\nVideoCodec=1\n", "-y -f vob -an "},
    });
}

TEST(EncoderArgs, MovWmvAsfRmSwf) {
    runCases({
        {"MOV defaults", ofMOV, D, "",
         "-y -f mov -vcodec h264 -b 1200k -r 25 -ac 2 -ab 64 -ar 22050 "},
        {"MOV AMR", ofMOV, D, "AudioCodec=2\n",
         "-y -f mov -vcodec h264 -b 1200k -r 25 -acodec amr_nb -ac 1 -ar 8000 -ab 8 "},
        {"MOV AMR with other values", ofMOV, D,
         "AudioCodec=2\nVideoCodec=9\nAudioChannelsArmnb=1\nAudioSampleRateArmnb="
         "1\nAudioBitRateUseAutoSetArmnb=1\n",
         "-y -f mov -acodec amr_nb "},
        {"MOV H.263", ofMOV, D, "VideoCodec=3\nAudioCodec=5\n",
         "-y -f mov -vcodec h263 -s 352x288 -b 1200k -r 25 "},
        {"MOV H.263 11:9", ofMOV, D, "VideoCodec=3\nVideoAspectH263=3\nAudioCodec=5\n",
         "-y -f mov -vcodec h263 -s 352x288 -b 1200k -r 25 -aspect 11:9 "},
        {"MOV H.264 16:9 and size", ofMOV, D,
         "VideoAspectH264=2\nVideoSizeUseSourceH264=0\nVideoWidthH264=1280\nVideoHeightH264="
         "720\nAudioCodec=5\n",
         "-y -f mov -vcodec h264 -s 1280x720 -b 1200k -r 25 -aspect 16:9 "},
        {"MOV svq1", ofMOV, D, "VideoCodec=0\nVideoAspectSvq1=1\nAudioCodec=5\n",
         "-y -f mov -vcodec svq1 -b 1200k -r 25 -aspect 4:3 "},
        {"MOV DivX", ofMOV, D, "VideoCodec=1\nAudioCodec=5\n",
         "-y -f mov -vcodec msmpeg4 -b 1200k -r 25 "},
        {"MOV XviD", ofMOV, D, "VideoCodec=2\nAudioCodec=5\n",
         "-y -f mov -vcodec xvid -b 1200k -r 25 "},
        {"MOV A-law", ofMOV, D,
         "VideoCodec=5\nAudioCodec=1\nAudioSampleRateAlaw=6\nAudioChannelsAlaw=0\n",
         "-y -f mov -acodec pcm_alaw -ac 1 -ar 44100 "},
        {"MOV PCM little-endian", ofMOV, D, "VideoCodec=5\nAudioCodec=3\n",
         "-y -f mov -acodec pcm_s16le -ac 2 -ar 22050 "},
        {"MOV PCM big-endian", ofMOV, D, "VideoCodec=5\nAudioCodec=4\nAudioSampleRatePcm16be=7\n",
         "-y -f mov -acodec pcm_s16be -ac 2 -ar 48000 "},
        {"MOV AAC automatic mono at the eight-rate table", ofMOV, D,
         "VideoCodec=5\nAudioBitRateUseAutoSetAACMp4=1\nAudioChannelsAACMp4="
         "0\nAudioSampleRateAACMp4=7\n",
         "-y -f mov -ac 1 -ar 48000 "},
        {"MOV no audio", ofMOV, D, "AudioDisableAudio=1\nVideoSameQuality=1\n",
         "-y -f mov -sameq -vcodec h264 -b 1200k -r 25 -an "},
        {"WMV defaults", ofWMV, D, "",
         "-y -vcodec wmv2 -b 768k -r 25 -acodec mp3 -ac 2 -ar 22050 "},
        {"WMV codecs 0 to 2", ofWMV, D, "VideoCodec=0\nAudioCodec=1\n",
         "-y -vcodec msmpeg4 -b 768k -r 25 "},
        {"WMV msmpeg4v2", ofWMV, D, "VideoCodec=1\nAudioCodec=1\n",
         "-y -vcodec msmpeg4v2 -b 768k -r 25 "},
        {"WMV7", ofWMV, D, "VideoCodec=2\nAudioCodec=1\n", "-y -vcodec wmv1 -b 768k -r 25 "},
        {"WMV unknown video, mp3 bitrate", ofWMV, D,
         "VideoCodec=4\nAudioBitRateUseAutoSetMp3=0\nAudioSampleRateMp3=3\n",
         "-y -acodec mp3 -ac 2 -ab 64 -ar 48000 "},
        {"ASF defaults", ofASF, D, "",
         "-y -f asf -vcodec msmpeg4 -b 768k -r 25 -acodec mp3 -ac 2 -ab 64 -ar 22050 "},
        {"ASF msmpeg4v2, no audio", ofASF, D, "VideoCodec=1\nAudioDisableAudio=1\n",
         "-y -f asf -vcodec msmpeg4v2 -b 768k -r 25 -an "},
        {"ASF codecs out of range", ofASF, D, "VideoCodec=2\nAudioCodec=1\n", "-y -f asf "},
        {"RM defaults", ofRM, D, "",
         "-y -f rm -vcodec rv10 -b 768k -r 25 -acodec ac3 -ac 2 -ar 48000 -ab 256 "},
        {"RM size after bitrate, aspect", ofRM, D,
         "VideoSizeUseSourceRm10=0\nVideoAspectRm10=1\nAudioCodec=1\n",
         "-y -f rm -vcodec rv10 -b 768k -s 320x240 -r 25 -aspect 4:3 "},
        {"RM time control", ofRM, D,
         "EnableTimeControl=1\nDuration=0:00:09.000\nStartTime=0:00:01.000\nVideoCodec="
         "1\nAudioChannelsAC3=2\n",
         "-y -f rm  -t 0:00:09.000 -ss 0:00:01.000 -acodec ac3 -ac 5:1 -ar 48000 -ab 256 "},
        {"SWF defaults", ofSWF, D, "", "-y -vcodec flv -b 768k -r 25 -acodec mp3 -ac 2 -ar 22050 "},
        {"SWF 11025 with bitrate", ofSWF, D,
         "VideoCodec=1\nAudioSampleRateMp3=0\nAudioBitRateUseAutoSetMp3=0\nAudioChannelsMp3=0\n",
         "-y -acodec mp3 -ac 1 -ab 64 -ar 11025 "},
        {"SWF 44100", ofSWF, D, "VideoCodec=1\nAudioSampleRateMp3=2\n",
         "-y -acodec mp3 -ac 2 -ar 44100 "},
        {"SWF rate out of range", ofSWF, D, "VideoCodec=1\nAudioSampleRateMp3=3\n",
         "-y -acodec mp3 -ac 2 "},
        {"SWF frame size and rate", ofSWF, D,
         "VideoSizeUseSourceFlv=0\nVideoWidthFlv=400\nVideoHeightFlv=300\nVideoKeepFrameRateFlv=0\n"
         "VideoFrameRateFlv=3\nAudioCodec=1\n",
         "-y -vcodec flv -s 400x300 -b 768k -r 15 "},
    });
}

TEST(EncoderArgs, AudioFormats) {
    runCases({
        {"AAC defaults", ofAAC, D, "", "-y -f aac -vn -acodec aac -ac 2 -ab 128 -ar 44100 "},
        {"AC3 defaults", ofAC3, D, "", "-y -f ac3 -vn -acodec ac3 -ac 2 -ar 48000 -ab 384 "},
        {"MP2 defaults", ofMP2, D, "", "-y -f mp2 -vn -acodec mp2 -ac 2 -ab 160 -ar 44100 "},
        {"MP3 defaults", ofMP3, D, "", "-y -f mp3 -vn -acodec mp3 -ac 2 -ab 128 -ar 44100 "},
        {"AMR defaults", ofAMR, D, "", "-y -f amr -vn -acodec amr_nb -ac 1 -ar 8000 -ab 13 "},
        {"WAV defaults", ofWAV, D, "", "-y -f wav -vn -acodec pcm_s16le -ac 2 -ar 44100 "},
        {"MP3 time control before -vn", ofMP3, D,
         "EnableTimeControl=1\nDuration=0:00:30.000\nStartTime=0:01:00.000\n",
         "-y -f mp3  -t 0:00:30.000 -ss 0:01:00.000 -vn -acodec mp3 -ac 2 -ab 128 -ar 44100 "},
        {"AC3 5.1", ofAC3, D, "AudioChannelsAC3=2\nAudioSampleRateAC3=0\n",
         "-y -f ac3 -vn -acodec ac3 -ac 5:1 -ar 48000 -ab 384 "},
        {"AC3 5.1 automatic", ofAC3, D, "AudioChannelsAC3=2\nAudioBitRateUseAutoSetAC3=1\n",
         "-y -f ac3 -vn -acodec ac3 -ac 5:1 -ar 48000 "},
        {"MP2 codec 1", ofMP2, D, "AudioCodec=1\n", "-y -f mp2 -vn "},
        {"MP3 mono at 24000", ofMP3, D, "AudioChannelsMp3=0\nAudioSampleRateMp3=1\n",
         "-y -f mp3 -vn -acodec mp3 -ac 1 -ab 128 -ar 24000 "},
        {"AAC automatic, rate out of range", ofAAC, D,
         "AudioBitRateUseAutoSetAACMp4=1\nAudioSampleRateAACMp4=8\n",
         "-y -f aac -vn -acodec aac -ac 2 "},
        {"AAC codec 1", ofAAC, D, "AudioCodec=1\n", "-y -f aac -vn "},
        {"AMR wide-band", ofAMR, D, "AudioCodec=1\n",
         "-y -f amr -vn -acodec amr_wb -ac 1 -ar 16000 -ab 13 "},
        {"AMR without its only rate and channel", ofAMR, D,
         "AudioChannelsArmnb=1\nAudioSampleRateArmnb=1\nAudioBitRateUseAutoSetArmnb=1\n",
         "-y -f amr -vn -acodec amr_nb "},
        {"AMR codec 2", ofAMR, D, "AudioCodec=2\n", "-y -f amr -vn "},
        {"WAV 8 bit mono 11025", ofWAV, D,
         "AudioCodec=1\nAudioChannelsPcmu8=0\nAudioSampleRatePcmu8=0\n",
         "-y -f wav -vn -acodec pcm_u8 -ac 1 -ar 11025 "},
        {"WAV time control", ofWAV, D, "EnableTimeControl=1\nAudioSampleRatePcm16le=9\n",
         "-y -f wav  -t 0:00:00.000 -ss 0:00:00.000 -vn -acodec pcm_s16le -ac 2 "},
        {"zero-filled MP3", ofMP3, Z, "", "-y -f mp3 -vn -acodec mp3 -ac 1 -ab 0 -ar 22050 "},
    });
}

TEST(EncoderArgs, PresetAndUnknownFormatsGiveNothingAndLoadNothing) {
    TempDir dir;
    const std::string path = dir.Write("p.profile", "[General]\nVideoCodec=5\nAudioCodec=3\n");
    for (int format : {1, 2, 16, 255}) {
        zeroAllRecords();
        GlobalVars.OutputFormat = static_cast<uint8_t>(format);
        EXPECT_EQ(BuildEncoderArgs(path), "") << format;
        EXPECT_EQ(AviSettings.VideoCodec, 0);
        EXPECT_EQ(MovSettings.VideoCodec, 0);
        EXPECT_EQ(AacSettings.AudioCodec, 0);
    }
}

TEST(EncoderArgs, TheRecordCarriesOverFromProfileToProfile) {
    TempDir dir;
    zeroAllRecords();
    GlobalVars.OutputFormat = ofAVI;
    const std::string a =
        dir.Write("a.avo", "[General]\nVideoCodec=3\nVideoBitRateUsePresertMsMpeg4v2=1\n"
                           "VideoBitRatePresetMsMpeg4v2=700\nVideoSizeUseSourceMsMpeg4v2=1\n"
                           "VideoKeepFrameRateMsMpeg4v2=1\nAudioDisableAudio=1\n");
    const std::string b = dir.Write("b.avo", "[General]\nVideoBitRatePresetMsMpeg4v2=900\n");
    EXPECT_EQ(BuildEncoderArgs(a), "-y -f avi -vcodec msmpeg4v2 -b 700k -r 25 -an ");
    EXPECT_EQ(BuildEncoderArgs(b), "-y -f avi -vcodec msmpeg4v2 -b 900k -r 25 -an ");
    EXPECT_EQ(BuildEncoderArgs(dir.File("missing.avo")),
              "-y -f avi -vcodec msmpeg4v2 -b 900k -r 25 -an ");
    // Another format's record is untouched by the AVI loads.
    GlobalVars.OutputFormat = ofMP3;
    EXPECT_EQ(BuildEncoderArgs(b), "-y -f mp3 -vn -acodec mp3 -ac 1 -ab 0 -ar 22050 ");
}

} // namespace
} // namespace quillabe
