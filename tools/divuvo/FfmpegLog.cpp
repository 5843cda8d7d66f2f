#include "divuvo/FfmpegLog.h"

#include <array>

namespace quillabe::divuvo {

namespace {
struct LevelName {
    std::string_view name;
    LogLevel level;
};
constexpr std::array kLevels{
    LevelName{"panic", LogLevel::Fatal}, LevelName{"fatal", LogLevel::Fatal},
    LevelName{"error", LogLevel::Error}, LevelName{"warning", LogLevel::Warning},
    LevelName{"info", LogLevel::Info},   LevelName{"verbose", LogLevel::Other},
    LevelName{"debug", LogLevel::Other}, LevelName{"trace", LogLevel::Other},
};
} // namespace

LogLine ParseLogLine(std::string_view raw) {
    LogLine line;
    std::string_view rest = raw;
    std::string context;
    while (!rest.empty() && rest.front() == '[') {
        size_t close = rest.find(']');
        if (close == std::string_view::npos)
            break;
        std::string_view inside = rest.substr(1, close - 1);
        size_t at = inside.find(" @ ");
        if (at != std::string_view::npos) {
            // Nested contexts name the outer one first; keep the first.
            if (context.empty())
                context = std::string(inside.substr(0, at));
        } else {
            for (const auto& l : kLevels) {
                if (inside == l.name) {
                    line.level = l.level;
                    line.context = context;
                    rest.remove_prefix(close + 1);
                    if (!rest.empty() && rest.front() == ' ')
                        rest.remove_prefix(1);
                    line.text = std::string(rest);
                    return line;
                }
            }
            break;
        }
        rest.remove_prefix(close + 1);
        if (!rest.empty() && rest.front() == ' ')
            rest.remove_prefix(1);
    }
    line.text = std::string(raw);
    return line;
}

} // namespace quillabe::divuvo
