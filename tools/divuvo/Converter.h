#pragma once
// One conversion from the command line to the finished file, with the console lines the program
// reads. The executable's main() is only this.

#include <string>
#include <vector>

namespace quillabe::divuvo {

// The ffmpeg program: $DIVUVO_FFMPEG when set (tests, benchmarks), else "ffmpeg" on PATH.
std::string FfmpegProgram();

// argv without the program name; the process exit code (0 when the output was written).
int RunConverter(const std::vector<std::string>& args);

} // namespace quillabe::divuvo
