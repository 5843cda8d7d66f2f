// divuvo.dll: the encoder program the converter runs for every job, an adapter over ffmpeg.

#include "divuvo/Converter.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return quillabe::divuvo::RunConverter(args);
}
