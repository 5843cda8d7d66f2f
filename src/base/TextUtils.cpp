#include "base/TextUtils.h"

#include <algorithm>

namespace quillabe {

namespace {
char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
bool isBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

template <typename Pred> std::string trimWith(std::string_view text, Pred pred) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && pred(text[begin]))
        ++begin;
    while (end > begin && pred(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

size_t findIgnoreCase(std::string_view text, std::string_view part, size_t from) {
    if (part.empty() || text.size() < part.size())
        return std::string_view::npos;
    for (size_t i = from; i + part.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < part.size() && lowerAscii(text[i + k]) == lowerAscii(part[k]))
            ++k;
        if (k == part.size())
            return i;
    }
    return std::string_view::npos;
}
} // namespace

std::string_view TrimView(std::string_view text) {
    while (!text.empty() && isBlankOrControl(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlankOrControl(text.back()))
        text.remove_suffix(1);
    return text;
}
std::string Trim(std::string_view text) {
    return std::string(TrimView(text));
}
std::string TrimBlanks(std::string_view text) {
    return trimWith(text, isBlank);
}

std::string LowerCase(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lowerAscii);
    return out;
}

std::string UpperCase(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), upperAscii);
    return out;
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

std::string ReplaceAllIgnoreCase(std::string_view text, std::string_view from,
                                 std::string_view to) {
    std::string out;
    size_t pos = 0;
    for (;;) {
        size_t hit = findIgnoreCase(text, from, pos);
        if (hit == std::string_view::npos)
            break;
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::string ReplaceFirst(std::string_view text, std::string_view from, std::string_view to) {
    size_t hit = from.empty() ? std::string_view::npos : text.find(from);
    if (hit == std::string_view::npos)
        return std::string(text);
    std::string out(text.substr(0, hit));
    out.append(to);
    out.append(text.substr(hit + from.size()));
    return out;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

} // namespace quillabe
