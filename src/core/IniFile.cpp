#include "core/IniFile.h"

#include "base/NumberText.h"
#include "base/PathUtils.h"
#include "base/TextUtils.h"

#include <algorithm>
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

bool isEnclosedInQuotes(std::string_view text) {
    return text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
           text.back() == text.front();
}

// A line break would end the value and make the rest a key line of its own, and a NUL ends the
// value for other readers of the file: such values are stored in the escaped form.
bool needsEscapes(std::string_view value) {
    return value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// The escaped form: @"…" with \\ \" \n \r and \xHH (other control characters) inside.
constexpr std::string_view kEscapedOpen = "@\"";

std::string escapedForm(std::string_view value) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out(kEscapedOpen);
    for (char c : value) {
        auto u = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if ((u < 0x20 && c != '\t') || u == 0x7F) {
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 0xF];
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

// The value an escaped form stands for; nullopt for any other text. Only a well-made form that
// yields a line break or NUL counts. No value of an older file held either, so an older value that
// merely looks similar (@"name", a quoted Windows path) keeps its meaning.
std::optional<std::string> unescaped(std::string_view stored) {
    if (stored.size() <= kEscapedOpen.size() || !StartsWith(stored, kEscapedOpen) ||
        stored.back() != '"')
        return std::nullopt;
    std::string_view body = stored.substr(kEscapedOpen.size(), stored.size() - 3);
    std::string out;
    out.reserve(body.size());
    for (size_t i = 0; i < body.size(); ++i) {
        char c = body[i];
        if (c == '"')
            return std::nullopt;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == body.size())
            return std::nullopt;
        switch (body[i]) {
        case '\\':
        case '"':
            out += body[i];
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 'x': {
            auto code = i + 2 < body.size() ? ParseUInt64(body.substr(i + 1, 2), 16) : std::nullopt;
            if (!code)
                return std::nullopt;
            out += static_cast<char>(*code);
            i += 2;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    if (!needsEscapes(out))
        return std::nullopt;
    return out;
}

// The value that a stored text (trimmed) reads as.
std::string readValue(std::string_view stored) {
    std::string value;
    if (auto text = unescaped(stored))
        value = std::move(*text);
    else if (isEnclosedInQuotes(stored))
        value = stored.substr(1, stored.size() - 2);
    else
        value = stored;
    if (value.size() > kIniMaxValueLength)
        value.resize(kIniMaxValueLength);
    return value;
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
    value = readValue(TrimBlanks(std::string_view(trimmed).substr(eq + 1)));
    return true;
}

} // namespace

std::string IniStoredValue(std::string_view value) {
    if (needsEscapes(value))
        return escapedForm(value);
    std::string plain(value);
    if (readValue(TrimBlanks(plain)) == value.substr(0, std::min(value.size(), kIniMaxValueLength)))
        return plain;
    // Blanks at either end, a pair of enclosing quotes, or text that looks like the escaped form:
    // one pair of quotes of its own, which every reader of these files removes again.
    return "\"" + plain + "\"";
}

std::optional<int32_t> ParseIniInteger(std::string_view text) {
    std::string_view digits = text;
    bool negative = false;
    bool hex = false;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        hex = true;
        digits.remove_prefix(2);
    } else {
        if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
            negative = digits[0] == '-';
            digits.remove_prefix(1);
        }
        if (!digits.empty() && digits[0] == '$') {
            hex = true;
            digits.remove_prefix(1);
        }
    }
    auto magnitude = ParseUInt64(digits, hex ? 16 : 10);
    if (!magnitude || *magnitude > 0xFFFFFFFFull)
        return std::nullopt;
    if (hex) {
        // Hexadecimal covers the full 32-bit pattern, so $FFFFFFFF is -1.
        auto bits = static_cast<uint32_t>(*magnitude);
        if (negative)
            bits = 0u - bits;
        return static_cast<int32_t>(bits);
    }
    int64_t value = negative ? -static_cast<int64_t>(*magnitude) : static_cast<int64_t>(*magnitude);
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
    const std::string stored = IniStoredValue(value);
    std::string line = std::string(key) + "=" + stored;
    auto span = findSection(section);
    if (!span) {
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(line);
        return;
    }
    if (auto existing = findKey(*span, key)) {
        std::string k, v;
        splitKeyLine(lines_[*existing], k, v);
        lines_[*existing] = k + "=" + stored; // keeps the file's spelling of the key
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
