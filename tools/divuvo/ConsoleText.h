#pragma once
// Text that names files on the console. The program reads every line for markers, so a file name
// must never break a line or smuggle in an error marker.

#include <string>
#include <string_view>

namespace quillabe::divuvo {

// Control characters become '?', and the blank after the first word of an error marker ("Could
// not open" ...) becomes a no-break space, so that a file called "Could not open.avi" still
// converts. Everything else, UTF-8 included, stays as it is.
std::string ConsoleName(std::string_view path);

// Control characters become '?' as in ConsoleName, markers stay: for a whole console line that
// quotes ffmpeg or the command line, so that one line can never become two.
std::string OneLine(std::string_view text);

} // namespace quillabe::divuvo
