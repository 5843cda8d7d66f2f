#pragma once
// One line of ffmpeg's log as written with "-loglevel level+info":
// "[ctx @ 0x55d0...] [error] text", "[info] text", or a continuation line without a level.

#include <string>
#include <string_view>

namespace quillabe::divuvo {

enum class LogLevel { Continuation, Fatal, Error, Warning, Info, Other };

struct LogLine {
    LogLevel level = LogLevel::Continuation;
    std::string context; // "ac3", "swf", "mpeg1video" ...; empty when the line has none
    std::string text;    // the message without the prefixes
};

LogLine ParseLogLine(std::string_view raw);

} // namespace quillabe::divuvo
