#include "core/IniFile.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"

#include <climits>

namespace quillabe {

namespace {

bool isSectionLine(std::string_view trimmed) {
    return !trimmed.empty() && trimmed[0] == '[';
}

std::string sectionName(std::string_view trimmed) {
    size_t close = trimmed.find(']');
    return TrimBlanks(
        trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

// Splits "key=value"; false for lines without "=" and for comments.
bool splitKeyLine(std::string_view line, std::string& key, std::string& value) {
    std::string trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '[')
        return false;
    size_t eq = trimmed.find('=');
    if (eq == std::string::npos)
        return false;
    key = TrimBlanks(std::string_view(trimmed).substr(0, eq));
    value = TrimBlanks(std::string_view(trimmed).substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    if (value.size() > kIniMaxValueLength)
        value.resize(kIniMaxValueLength);
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<int32_t> ParseIniInteger(std::string_view text) {
    std::string s(text);
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
        s = "$" + s.substr(2);
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true;
        ++i;
    }
    if (i >= s.size())
        return std::nullopt;
    uint64_t magnitude = 0;
    for (; i < s.size(); ++i) {
        int digit = hex ? hexDigit(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
        if (magnitude > 0xFFFFFFFFull)
            return std::nullopt;
    }
    if (hex) {
        // Hexadecimal covers the full 32-bit pattern, so $FFFFFFFF is -1.
        auto bits = static_cast<uint32_t>(magnitude);
        if (negative)
            bits = 0u - bits;
        return static_cast<int32_t>(bits);
    }
    int64_t value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<int32_t>(value);
}

IniFile::IniFile(std::string path) : path_(std::move(path)) {
    std::string text;
    if (!ReadFileText(path_, text))
        return;
    existed_ = true;
    size_t firstLf = text.find('\n');
    if (firstLf != std::string::npos && firstLf > 0 && text[firstLf - 1] == '\r')
        eol_ = "\r\n";
    lines_ = SplitLines(text);
}

std::optional<IniFile::Span> IniFile::findSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        std::string trimmed = TrimBlanks(lines_[i]);
        if (isSectionLine(trimmed) && SameText(sectionName(trimmed), section)) {
            size_t end = i + 1;
            while (end < lines_.size() && !isSectionLine(TrimBlanks(lines_[end])))
                ++end;
            return Span{i, end};
        }
    }
    return std::nullopt;
}

std::optional<size_t> IniFile::findKey(const Span& span, std::string_view key) const {
    std::string k, v;
    for (size_t i = span.header + 1; i < span.end; ++i)
        if (splitKeyLine(lines_[i], k, v) && SameText(k, key))
            return i;
    return std::nullopt;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
    auto span = findSection(section);
    if (!span)
        return std::nullopt;
    auto line = findKey(*span, key);
    if (!line)
        return std::nullopt;
    std::string k, v;
    splitKeyLine(lines_[*line], k, v);
    return v;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    auto value = Find(section, key);
    if (!value) {
        std::string out(fallback);
        if (out.size() > kIniMaxValueLength)
            out.resize(kIniMaxValueLength);
        return out;
    }
    return *value;
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                             int32_t fallback) const {
    auto value = Find(section, key);
    if (!value)
        return fallback;
    return ParseIniInteger(*value).value_or(fallback);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

std::vector<std::string> IniFile::ReadSections() const {
    std::vector<std::string> names;
    for (const auto& line : lines_) {
        std::string trimmed = TrimBlanks(line);
        if (isSectionLine(trimmed))
            names.push_back(sectionName(trimmed));
    }
    return names;
}

std::vector<std::string> IniFile::ReadSectionKeys(std::string_view section) const {
    std::vector<std::string> keys;
    for (auto& [key, value] : ReadSectionValues(section))
        keys.push_back(key);
    return keys;
}

std::vector<std::pair<std::string, std::string>>
IniFile::ReadSectionValues(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> pairs;
    auto span = findSection(section);
    if (!span)
        return pairs;
    std::string k, v;
    for (size_t i = span->header + 1; i < span->end; ++i)
        if (splitKeyLine(lines_[i], k, v))
            pairs.emplace_back(k, v);
    return pairs;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = std::string(key) + "=" + std::string(value);
    auto span = findSection(section);
    if (!span) {
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(line);
        return;
    }
    if (auto existing = findKey(*span, key)) {
        std::string k, v;
        splitKeyLine(lines_[*existing], k, v);
        lines_[*existing] = k + "=" + std::string(value); // keeps the file's spelling of the key
        return;
    }
    // After the section's last non-blank line, so a blank line before the next section stays.
    size_t insertAt = span->end;
    while (insertAt > span->header + 1 && Trim(lines_[insertAt - 1]).empty())
        --insertAt;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), line);
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int64_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

std::string IniFile::Text() const {
    std::string text;
    for (const auto& line : lines_) {
        text += line;
        text += eol_;
    }
    return text;
}

bool IniFile::Flush() {
    if (!WriteFileAtomic(path_, Text()))
        return false;
    existed_ = true;
    return true;
}

bool IniWriteString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value) {
    IniFile file(path);
    file.WriteString(section, key, value);
    return file.Flush();
}

} // namespace quillabe
