#pragma once
// Turns the reason ffmpeg gives for a failure into one error line of the old encoder's kind:
// it begins with "Error" or says "Could not open", so that the program marks the job failed.

#include "divuvo/FfmpegLog.h"

#include <string>
#include <vector>

namespace quillabe::divuvo {

struct LogMessage {
    LogLevel level = LogLevel::Error;
    std::string context;
    std::string text; // continuation lines joined with blanks
};

struct FailureContext {
    std::string input;  // as the command line named it
    std::string source; // the file ffmpeg read (differs for a DirectShow script)
    std::string output;
    std::string muxer;
};

// `messages` are ffmpeg's error and fatal messages in the order they came.
std::string FailureLine(const std::vector<LogMessage>& messages, const FailureContext& context,
                        int exitCode);

} // namespace quillabe::divuvo
