#include "E2eSupport.h"

#include <sstream>

namespace quillabe::test {

const std::string& LongSound() {
    static std::string path =
        MakeClip("long.wav", {"-f", "lavfi", "-i", "sine=frequency=300:sample_rate=22050", "-t",
                              "600", "-c:a", "pcm_s16le"});
    return path;
}

std::vector<std::string> Words(const std::string& options) {
    std::vector<std::string> out;
    std::istringstream in(options);
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

ProcessOutput RunDivuvo(const std::string& input, const std::string& options,
                        const std::string& output) {
    std::vector<std::string> argv{DIVUVO, "-p", "4417306", "-i", input};
    for (const std::string& w : Words(options))
        argv.push_back(w);
    argv.push_back(output);
    return RunProcess(argv);
}

} // namespace quillabe::test
