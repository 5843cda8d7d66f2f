#include "divuvo/AmrWriter.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quillabe::divuvo {
namespace {

// One second of a 440 Hz tone as 16-bit little-endian samples.
std::string tone(int rate) {
    std::string pcm;
    for (int i = 0; i < rate; ++i) {
        auto s = static_cast<int16_t>(8000 * std::sin(2 * M_PI * 440 * i / rate));
        pcm.push_back(static_cast<char>(s & 0xff));
        pcm.push_back(static_cast<char>((s >> 8) & 0xff));
    }
    return pcm;
}

TEST(DivuvoAmr, StorageFormatInAnySplit) {
    struct C {
        bool wide;
        int kbps;
        const char* header;
        size_t frameBytes; // a frame of that mode with its header byte
    } cases[] = {{false, 13, "#!AMR\n", 32},
                 {false, 8, "#!AMR\n", 21},
                 {true, 24, "#!AMR-WB\n", 61},
                 {true, 7, "#!AMR-WB\n", 18}};
    for (const C& c : cases) {
        SCOPED_TRACE(c.header + std::to_string(c.kbps));
        AmrSettings settings = AmrModeFor(c.wide, c.kbps * 1000);
        std::string pcm = tone(settings.sampleRate());
        // 1 s is 50 whole frames; half a sample more still makes one padded frame.
        pcm.push_back('\x01');
        pcm.append(2 * 10, '\0');
        std::string files[2];
        test::TempDir dir;
        for (size_t piece : {size_t(1000000), size_t(333)}) {
            AmrWriter writer;
            std::string error;
            std::string path = dir.File("out" + std::to_string(piece) + ".amr");
            ASSERT_TRUE(writer.Open(path, settings, error)) << error;
            for (size_t i = 0; i < pcm.size(); i += piece)
                ASSERT_TRUE(writer.Write(std::string_view(pcm).substr(i, piece), error));
            ASSERT_TRUE(writer.Finish(error)) << error;
            EXPECT_EQ(writer.Frames(), 51);
            files[piece == 333] = dir.Read("out" + std::to_string(piece) + ".amr");
        }
        EXPECT_EQ(files[0], files[1]);
        std::string header = c.header;
        ASSERT_EQ(files[0].compare(0, header.size(), header), 0);
        EXPECT_EQ(files[0].size(), header.size() + 51 * c.frameBytes);
    }
}

TEST(DivuvoAmr, UnwritablePlaceIsAnError) {
    AmrWriter writer;
    std::string error;
    EXPECT_FALSE(writer.Open("/nonexistent-folder/x.amr", AmrModeFor(false, {}), error));
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
}

} // namespace
} // namespace quillabe::divuvo
