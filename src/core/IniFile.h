#pragma once
// INI files with the private-profile rules of the settings, profile, preset, language and skin
// files: case-insensitive section and key names, values trimmed with one pair of enclosing quotes
// removed, at most 2047 characters per value, new keys appended at the end of their section.
// Unlike the classic per-call API, a file is read once and written back in one atomic step.
//
// Every value written reads back unchanged (up to the 2047 characters). A value that the rules
// above would alter gets one pair of quotes of its own; a value holding a line break or NUL, which
// would otherwise end the line and start a key of its own, is stored on one line as @"…" with
// the escapes \\ \" \n \r and \xHH. Other values are written as they are.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillabe {

inline constexpr size_t kIniMaxValueLength = 2047;

// The text that stands after "key=" in the file for the value (see above).
std::string IniStoredValue(std::string_view value);

// The integer rules of profile files: decimal with an optional sign, "$" hexadecimal, or
// "0x"/"0X" hexadecimal when the text is longer than two characters. Empty or invalid: nullopt.
std::optional<int32_t> ParseIniInteger(std::string_view text);

class IniFile {
public:
    // Reads the file at once; a missing or unreadable file reads like an empty one.
    explicit IniFile(std::string path);

    const std::string& Path() const { return path_; }
    bool Exists() const { return existed_; }

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const;
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
    // The value (after trimming and removal of quotes or escapes) or nullopt when the key is
    // missing.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    std::vector<std::string> ReadSections() const;                            // file order
    std::vector<std::string> ReadSectionKeys(std::string_view section) const; // file order
    // Every key=value line of the section in file order, duplicates included.
    std::vector<std::pair<std::string, std::string>>
    ReadSectionValues(std::string_view section) const;

    // Changes the text in memory; Flush() puts it on disk.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int64_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // Replaces the file atomically (temporary file in the same folder, then rename). Creates a
    // missing file but never its folder. On failure the old file is untouched and errno is set.
    bool Flush();

    std::string Text() const; // the file's text as it would be written

private:
    struct Span {
        size_t header; // index of the "[section]" line
        size_t end;    // one past the section's last line
    };
    std::optional<Span> findSection(std::string_view section) const;
    std::optional<size_t> findKey(const Span& span, std::string_view key) const;

    std::string path_;
    std::vector<std::string> lines_;
    std::string eol_ = "\n";
    bool existed_ = false;
};

// One value written at once, like the platform's per-call profile writer.
bool IniWriteString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value);

} // namespace quillabe
