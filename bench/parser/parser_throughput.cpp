// How fast the encoder's output is read: realistic progress output (lines ended by a lone CR,
// the way the encoder repaints its status line) in pieces of 4 KiB, through the handler with a
// display that does nothing. The parser must never be what slows an encoder down.

#include "core/DateTime.h"
#include "core/GlobalVars.h"
#include "engine/OutputParser.h"
#include "engine/ProgressTexts.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace quillabe;

namespace {

class NullView : public ProgressView {
public:
    void SetLabel(ProgressLabel, const std::string&) override {}
    void SetBar(ProgressBar, int) override {}
    bool AnimationRunning() const override { return true; }
    void StartAnimation() override {}
    void StopAnimation() override {}
    void SetTrayHint(const std::string&) override {}
    void SetFileState(const std::string&, TFileState) override {}
};

// One job's output: the header, then progress lines up to the given size.
std::string recordedOutput(size_t bytes) {
    std::string out = "Input #0, avi, from '/home/user/Videos/holiday clip.avi':\r\n"
                      "  Duration: 01:30:00.00, start: 0.000000, bitrate: 1205 kb/s\r\n"
                      "    Stream #0.0: Video: mpeg4, yuv420p, 720x576, 25.00 tb(r)\r\n"
                      "    Stream #0.1: Audio: mp3, 44100 Hz, stereo, s16, 128 kb/s\r\n"
                      "Output #0, mp4, to '/home/user/Videos/out/holiday clip.mp4':\r\n"
                      "Stream mapping:\r\n"
                      "  Stream #0.0 -> #0.0\r\n"
                      "  Stream #0.1 -> #0.1\r\n"
                      "Press [q] to stop encoding\r\n";
    char line[160];
    for (long frame = 1; out.size() < bytes; ++frame) {
        double seconds = static_cast<double>(frame) / 25.0;
        std::snprintf(line, sizeof line,
                      "frame=%6ld fps= 25 q=2.0 size=%9ldkB time=%.2f bitrate= 838.9kbits/s    \r",
                      frame, frame * 4, seconds);
        out += line;
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    const size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 200;
    const size_t kBlock = 8u << 20; // fed again and again until the total is reached
    const size_t kPiece = 4096;
    const std::string block = recordedOutput(kBlock);

    TGlobalVars& g = GlobalVars;
    g.Job.JobInputFile = "/home/user/Videos/holiday clip.avi";
    g.Batch.TotalCount = 3;
    g.Batch.TotalBytes = 3000000000;
    g.Batch.JobBytes = 1000000000;
    g.Batch.BatchStartTime = g.Job.JobStartTime = Now();
    const std::string commandLine =
        "\"/opt/quillabe/divuvo.dll\" -p 4417306 -i \"/home/user/Videos/holiday clip.avi\" -y -f "
        "mp4  -t 1:00:00.000 -ss 0:00:10.000 -vcodec mpeg4 -b 1200k -acodec aac -ab 128 "
        "\"/home/user/Videos/out/holiday clip.mp4\"";
    ParserState st = GlobalParserState();
    ParserContext ctx;
    ctx.batchRunning = true;
    ctx.commandLine = commandLine;
    NullView view;
    ProgressTexts texts{view}; // the window's texts are part of the cost

    const size_t total = megabytes << 20;
    size_t fed = 0;
    auto start = std::chrono::steady_clock::now();
    while (fed < total) {
        for (size_t at = 0; at < block.size() && fed < total; at += kPiece) {
            std::string_view piece = std::string_view(block).substr(at, kPiece);
            HandleEncoderOutput(piece, ctx, st, texts);
            fed += piece.size();
        }
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    double mb = static_cast<double>(fed) / (1 << 20);
    std::printf("parser_throughput: %.0f MB in %.3f s = %.0f MB/s (pieces of %zu bytes)\n", mb,
                seconds, mb / seconds, kPiece);
    std::printf("last values: position %d ms, percent %d, size %d kB, bitrate %d kbit/s\n",
                g.Encoder.JobPositionMs, g.Job.JobPercent, g.Encoder.JobSizeKB,
                g.Encoder.JobBitrateKbps);
    return 0;
}
