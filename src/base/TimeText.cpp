#include "base/TimeText.h"

#include "base/NumberText.h"
#include "base/TextUtils.h"

namespace quillabe {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<int64_t> ParseScaledDecimal(std::string_view text, int scaleDigits) {
    text = TrimView(text);
    size_t dot = text.find('.');
    std::string_view whole = text.substr(0, dot);
    std::string_view fraction =
        dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    if (whole.empty() && fraction.empty())
        return std::nullopt;
    for (std::string_view part : {whole, fraction})
        for (char c : part)
            if (!isDigit(c))
                return std::nullopt;

    int64_t value = 0;
    auto push = [&value](int digit) {
        return !__builtin_mul_overflow(value, 10, &value) &&
               !__builtin_add_overflow(value, digit, &value);
    };
    for (char c : whole)
        if (!push(c - '0'))
            return std::nullopt;
    // Keep scaleDigits fraction digits (padding with zeros); the rest only decides the rounding.
    size_t kept = static_cast<size_t>(scaleDigits < 0 ? 0 : scaleDigits);
    for (size_t i = 0; i < kept; ++i)
        if (!push(i < fraction.size() ? fraction[i] - '0' : 0))
            return std::nullopt;
    if (fraction.size() > kept) {
        std::string_view rest = fraction.substr(kept);
        bool up = rest[0] > '5';
        if (rest[0] == '5') {
            bool beyondHalf = rest.substr(1).find_first_not_of('0') != std::string_view::npos;
            up = beyondHalf || (value % 2 != 0);
        }
        if (up && __builtin_add_overflow(value, 1, &value))
            return std::nullopt;
    }
    return value;
}

std::optional<int64_t> ParseTimeTextMs(std::string_view text) {
    text = TrimView(text);
    // The pieces from the last (seconds) to the first (hours).
    std::string_view pieces[3];
    size_t count = 0;
    for (;;) {
        size_t colon = text.rfind(':');
        if (count == 3)
            return std::nullopt;
        pieces[count++] = colon == std::string_view::npos ? text : text.substr(colon + 1);
        if (colon == std::string_view::npos)
            break;
        text = text.substr(0, colon);
    }
    // ParseScaledDecimal would forgive blanks inside the text; a time does not.
    if (pieces[0].find_first_not_of("0123456789.") != std::string_view::npos)
        return std::nullopt;
    std::optional<int64_t> total = ParseScaledDecimal(pieces[0], 3);
    if (!total || *total > kMaxTimeTextMs)
        return std::nullopt;
    constexpr int64_t kUnitMs[] = {1000, 60 * 1000, 3600 * 1000};
    for (size_t i = 1; i < count; ++i) {
        std::optional<int64_t> n = ParseWholeNumber(pieces[i]);
        // Checked before the product, so that neither it nor the sum can overflow.
        if (!n || *n > kMaxTimeTextMs / kUnitMs[i])
            return std::nullopt;
        *total += *n * kUnitMs[i];
        if (*total > kMaxTimeTextMs)
            return std::nullopt;
    }
    return total;
}

} // namespace quillabe
