// The INI reader and writer. Any text is read; then one key (section, key and value from the
// input) is written and the file read again: every other key reads back unchanged, no key
// appears or disappears, and the written key reads back as written (line breaks, NUL, quotes and
// blanks at the ends included).

#include "base/TextUtils.h"
#include "core/IniFile.h"
#include "fuzz/FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <charconv>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace quillabe;
using quillabe::fuzz::Printable;

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Every value reads back as written, up to the length limit: the writer quotes or escapes what
// the reader would otherwise trim, unquote or end at a line break.
std::string readBack(std::string_view value) {
    return std::string(value.substr(0, kIniMaxValueLength));
}

// Section and key names come from the program, never from a file: one line each, no blanks at
// the ends, no "]" in a section name, no "=" in a key, and a key that does not read as a comment
// or a section.
bool wellFormedName(std::string_view name, char forbidden) {
    if (name.empty() || isBlank(name.front()) || isBlank(name.back()))
        return false;
    return name.find_first_of(std::string("\r\n\0", 3) + forbidden) == std::string_view::npos;
}

using Values = std::vector<std::pair<std::string, std::string>>;

// Every section the reader can reach (the first of a name, ignoring letter case) with its keys.
struct Snapshot {
    std::vector<std::string> sections; // as ReadSections lists them, duplicates included
    std::vector<std::pair<std::string, Values>> reachable;
};

Snapshot snapshot(const IniFile& ini) {
    Snapshot s;
    s.sections = ini.ReadSections();
    for (const auto& name : s.sections) {
        bool seen = false;
        for (const auto& [known, values] : s.reachable)
            seen = seen || SameText(known, name);
        if (!seen)
            s.reachable.emplace_back(name, ini.ReadSectionValues(name));
    }
    return s;
}

std::string describe(const Values& values) {
    std::string text;
    for (const auto& [k, v] : values)
        text += "  " + Printable(k) + " = " + Printable(v) + "\n";
    return text;
}

// Plain decimal integers read as from_chars reads them, within 32 bits or not at all.
void checkDecimalInteger(const std::string& value) {
    std::string_view digits = value;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.size() > 18 ||
        digits.find_first_not_of("0123456789") != std::string_view::npos)
        return;
    int64_t magnitude = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    int64_t expected = negative ? -magnitude : magnitude;
    std::optional<int32_t> parsed = ParseIniInteger(value);
    if (expected < INT32_MIN || expected > INT32_MAX)
        FUZZ_CHECK(!parsed, Printable(value) + " read as " + std::to_string(parsed.value_or(0)));
    else
        FUZZ_CHECK(parsed && *parsed == expected, Printable(value));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string section = in.ConsumeRandomLengthString(64);
    const std::string key = in.ConsumeRandomLengthString(64);
    const std::string value = in.ConsumeRandomLengthString(4096);
    const std::string text = in.ConsumeRemainingBytesAsString();
    const std::string path = fuzz::WriteScratchFile("f.ini", text);

    const Snapshot before = snapshot(IniFile(path));
    for (const auto& [name, values] : before.reachable)
        for (const auto& [k, v] : values)
            checkDecimalInteger(v);

    if (!wellFormedName(section, ']') || !wellFormedName(key, '=') || key.front() == ';' ||
        key.front() == '[')
        return 0;

    IniFile writer(path);
    writer.WriteString(section, key, value);
    FUZZ_CHECK(writer.Flush(), "flush failed");
    const IniFile reader(path);
    FUZZ_CHECK(reader.Text() == writer.Text(), "the file does not read as it was written");

    // What the file must hold now: the first section of that name gets the key in place of its
    // first line of that name, or at its end; a missing section is appended with the key alone.
    Snapshot expected = before;
    bool sectionFound = false;
    for (auto& [name, values] : expected.reachable) {
        if (!SameText(name, section))
            continue;
        sectionFound = true;
        bool replaced = false;
        for (auto& [k, v] : values) {
            if (SameText(k, key)) {
                v = readBack(value);
                replaced = true;
                break;
            }
        }
        if (!replaced)
            values.emplace_back(key, readBack(value));
    }
    if (!sectionFound) {
        expected.sections.push_back(section);
        expected.reachable.push_back({section, {{key, readBack(value)}}});
    }

    const Snapshot after = snapshot(reader);
    FUZZ_CHECK(after.sections == expected.sections,
               "sections changed after writing " + Printable(section) + "/" + Printable(key));
    FUZZ_CHECK(after.reachable.size() == expected.reachable.size(), "reachable sections changed");
    for (size_t i = 0; i < after.reachable.size(); ++i) {
        const auto& [name, values] = expected.reachable[i];
        FUZZ_CHECK(after.reachable[i].second == values,
                   "section " + Printable(name) + " after writing " + Printable(section) + "/" +
                       Printable(key) + "=" + Printable(value) + "\nexpected\n" + describe(values) +
                       "got\n" + describe(after.reachable[i].second));
    }
    return 0;
}
