#pragma once
// The check a finished output must pass before its source may be deleted: read back through the
// media library, it holds the stream kinds the job asked for and (nearly) the expected length.

#include "core/FileItem.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quillabe {

struct OutputExpectation {
    bool video = false;
    bool audio = false;
    int64_t durationMs = 0; // 0: unknown, not checked
};

// What the job asked for: the input's stream kinds that the format and the options keep ("-vn",
// "-an" drop one), and the length the encoder announced (already shortened by a time limit), or
// else the input's own length when no time limit applies.
OutputExpectation ExpectedOutput(int format, const TFileItem& input, std::string_view options,
                                 int64_t encoderDurationMs);

// Empty when the output at the path holds what was expected and lasts at least 90 % of the
// expected duration; otherwise the reason, for the user.
std::string VerifyConvertedOutput(const std::string& path, const OutputExpectation& expected);

} // namespace quillabe
