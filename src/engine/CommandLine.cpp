#include "engine/CommandLine.h"

namespace quillabe {

namespace {
bool isSeparator(char c) {
    return c == ' ' || c == '\t';
}
} // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::vector<std::string> args;
    const size_t n = line.size();
    size_t i = 0;
    for (;;) {
        while (i < n && isSeparator(line[i]))
            ++i;
        if (i >= n)
            break;
        std::string arg;
        bool quoted = false;
        while (i < n && (quoted || !isSeparator(line[i]))) {
            const char c = line[i];
            if (c == '\\') {
                size_t end = i;
                while (end < n && line[end] == '\\')
                    ++end;
                const size_t count = end - i;
                if (end < n && line[end] == '"') {
                    arg.append(count / 2, '\\');
                    if (count % 2 == 1) {
                        arg += '"';
                        ++end;
                    }
                    // With an even count the quote itself is handled by the next step.
                } else {
                    arg.append(count, '\\');
                }
                i = end;
            } else if (c == '"') {
                if (quoted && i + 1 < n && line[i + 1] == '"') {
                    arg += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                arg += c;
                ++i;
            }
        }
        args.push_back(std::move(arg));
    }
    return args;
}

std::string QuoteArgument(std::string_view arg) {
    std::string out;
    out.reserve(arg.size() + 2);
    out += '"';
    size_t backslashes = 0;
    for (const char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            out.append(2 * backslashes + 1, '\\');
        } else {
            out.append(backslashes, '\\');
        }
        out += c;
        backslashes = 0;
    }
    // Backslashes before the closing quote must not escape it.
    out.append(2 * backslashes, '\\');
    out += '"';
    return out;
}

} // namespace quillabe
