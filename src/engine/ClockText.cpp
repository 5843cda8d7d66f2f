#include "engine/ClockText.h"

#include "base/NumberText.h"
#include "base/TextUtils.h"

#include <limits>

namespace quillabe {

namespace {

__extension__ typedef __int128 Int128; // exact products of 64-bit values

// A whole number made of digits only; nullopt when empty, signed or beyond 64 bits.
std::optional<int64_t> parseUnsigned(std::string_view text) {
    return ParseWholeNumber(TrimView(text));
}

} // namespace

std::optional<std::string_view> FindBetween(std::string_view text, std::string_view start,
                                            std::string_view end) {
    size_t hit = text.find(start);
    if (hit == std::string_view::npos)
        return std::nullopt;
    return ValueFrom(text, hit + start.size(), end);
}

std::optional<std::string_view> ValueFrom(std::string_view text, size_t p, std::string_view end) {
    if (p + 1 > text.size())
        return std::nullopt;
    size_t stop = text.find(end, p + 1);
    if (stop == std::string_view::npos)
        return std::nullopt;
    return TrimView(text.substr(p, stop - p));
}

std::string ExtractBetween(std::string_view text, std::string_view start, std::string_view end) {
    return std::string(FindBetween(text, start, end).value_or(std::string_view()));
}

std::vector<std::string> SplitString(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    if (separator.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    size_t from = 0;
    for (;;) {
        size_t hit = text.find(separator, from);
        if (hit == std::string_view::npos)
            break;
        pieces.emplace_back(text.substr(from, hit - from));
        from = hit + separator.size();
    }
    pieces.emplace_back(text.substr(from));
    return pieces;
}

std::optional<int64_t> TryParseClockMs(std::string_view text) {
    std::vector<std::string> pieces = SplitString(TrimView(text), ":");
    if (pieces.size() != 3)
        return std::nullopt;
    std::optional<int64_t> hours = parseUnsigned(pieces[0]);
    std::optional<int64_t> minutes = parseUnsigned(pieces[1]);
    std::optional<int64_t> secondsMs = ParseScaledDecimal(pieces[2], 3);
    if (!hours || !minutes || !secondsMs)
        return std::nullopt;
    int64_t h = 0;
    int64_t m = 0;
    int64_t total = 0;
    if (__builtin_mul_overflow(*hours, 3600000, &h) ||
        __builtin_mul_overflow(*minutes, 60000, &m) || __builtin_add_overflow(h, m, &total) ||
        __builtin_add_overflow(total, *secondsMs, &total))
        return std::nullopt;
    return total;
}

int64_t ParseClockMs(std::string_view text) {
    std::vector<std::string> pieces = SplitString(TrimView(text), ":");
    auto piece = [&pieces](size_t i) {
        return i < pieces.size() ? std::string_view(pieces[i]) : std::string_view();
    };
    Int128 total = Int128(parseUnsigned(piece(0)).value_or(0)) * 3600000 +
                   Int128(parseUnsigned(piece(1)).value_or(0)) * 60000 +
                   ParseScaledDecimal(piece(2), 3).value_or(0);
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    return total > kMax ? kMax : static_cast<int64_t>(total);
}

int32_t ClampToInt32(int64_t value) {
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

int32_t PercentOf(int64_t part, int64_t whole, bool rounded) {
    if (part <= 0 || whole <= 0)
        return 0;
    if (part <= std::numeric_limits<int64_t>::max() / 100) { // the common case, without 128 bits
        int64_t scaled = part * 100;
        int64_t q = scaled / whole;
        if (rounded) {
            int64_t rest = scaled % whole;
            if (rest > whole - rest || (rest == whole - rest && q % 2 != 0))
                ++q;
        }
        return q > 100 ? 100 : static_cast<int32_t>(q);
    }
    Int128 scaled = Int128(part) * 100;
    Int128 q = scaled / whole;
    if (rounded) {
        Int128 twiceRest = (scaled % whole) * 2;
        if (twiceRest > whole || (twiceRest == whole && q % 2 != 0))
            ++q;
    }
    return q > 100 ? 100 : static_cast<int32_t>(q);
}

} // namespace quillabe
