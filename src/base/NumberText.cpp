#include "base/NumberText.h"

#include <limits>

#include <charconv>

namespace quillabe {

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

template <class T> std::optional<T> parseWhole(std::string_view text, int base) {
    T value{};
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}
} // namespace

std::optional<int64_t> ParseInt64(std::string_view text) {
    // from_chars takes "-" but not "+"; after a "+" only digits may follow ("+-1" is no number).
    if (!text.empty() && text[0] == '+') {
        text.remove_prefix(1);
        if (text.empty() || !isDigit(text[0]))
            return std::nullopt;
    }
    return parseWhole<int64_t>(text, 10);
}

std::optional<uint64_t> ParseUInt64(std::string_view text) {
    return ParseUInt64(text, 10);
}

std::optional<uint64_t> ParseUInt64(std::string_view text, int base) {
    // from_chars on an unsigned type already refuses a sign; the base must be one it accepts.
    if (text.empty() || base < 2 || base > 36)
        return std::nullopt;
    return parseWhole<uint64_t>(text, base);
}

std::optional<int64_t> ParseIntInRange(std::string_view text, int64_t lo, int64_t hi) {
    auto value = ParseInt64(text);
    if (!value || *value < lo || *value > hi)
        return std::nullopt;
    return value;
}

std::optional<int64_t> ParseWholeNumber(std::string_view text) {
    std::optional<uint64_t> value = ParseUInt64(text);
    if (!value || *value > static_cast<uint64_t>(std::numeric_limits<int64_t>::max()))
        return std::nullopt;
    return static_cast<int64_t>(*value);
}

} // namespace quillabe
