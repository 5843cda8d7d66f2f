#pragma once
// ffprobe's view of a media file, as the end-to-end tests check their outputs.

#include <string>

namespace quillabe::test {

struct MediaFacts {
    std::string container, brand; // format name(s) and the major brand tag, if any
    double duration = 0;          // seconds
    std::string video, audio;     // codec names of the first stream of each kind
    int width = 0, height = 0;
    std::string rate; // the video's frame rate as ffprobe gives it ("25/1")
    int channels = 0, sampleRate = 0;
};

// Empty facts when ffprobe cannot read the file.
MediaFacts ProbeMedia(const std::string& path);

} // namespace quillabe::test
