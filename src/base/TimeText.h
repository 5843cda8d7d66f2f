#pragma once
// Exact decimal numbers and the time texts of the encoder's "-t" and "-ss" options. The program
// (to measure progress against a time limit) and the encoder adapter (to cut the conversion) read
// a time with this one rule, so that both agree on every text. No floating point, no locale, no
// exceptions: "." is the decimal separator and halves round to the even neighbour.

#include <cstdint>
#include <optional>
#include <string_view>

namespace quillabe {

// value × 10^scaleDigits rounded half to even, for an unsigned decimal number "123", "12.5",
// ".5" or "5." (blanks around it allowed). nullopt for anything else (signs, exponents, "inf",
// "nan", a comma) and for a result beyond 64 bits.
std::optional<int64_t> ParseScaledDecimal(std::string_view text, int scaleDigits);

// The longest time a time text may give: far beyond any media, small enough that no sum or
// product of it overflows.
inline constexpr int64_t kMaxTimeTextMs = int64_t(100000) * 3600 * 1000;

// Milliseconds of "[[h:]m:]s[.fraction]": up to three colon-separated pieces, hours and minutes
// whole numbers, seconds a decimal number as ParseScaledDecimal reads it. No piece is limited to
// 59 ("0:00:75" is 75 s, "90" is 90 s); blanks are allowed around the whole text only. nullopt
// for anything else (a sign, an exponent, an empty piece, a fourth piece) and beyond
// kMaxTimeTextMs.
std::optional<int64_t> ParseTimeTextMs(std::string_view text);

} // namespace quillabe
