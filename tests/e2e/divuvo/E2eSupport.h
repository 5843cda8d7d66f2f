#pragma once
// Clips made with ffmpeg's lavfi sources, the adapter run on them, and ffprobe's view of results.

#include "support/ChildRun.h"
#include "support/MediaFacts.h"
#include "support/TestClips.h"

#include <string>
#include <vector>

namespace quillabe::test {

// Ten minutes of 22050 Hz mono sound, for runs that must still be busy when they are stopped.
const std::string& LongSound();

std::vector<std::string> Words(const std::string& options); // split at blanks
ProcessOutput RunDivuvo(const std::string& input, const std::string& options,
                        const std::string& output);

} // namespace quillabe::test
