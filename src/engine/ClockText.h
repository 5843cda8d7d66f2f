#pragma once
// Text helpers for the encoder's console output: values between markers, clock values and
// decimal numbers. Numbers are read with "." as the decimal separator whatever the locale, and
// exactly: no floating point, no locale, rounding halves to the even neighbour.

#include "base/TimeText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillabe {

// The text between the first `start` and the next `end`, trimmed of blanks and control
// characters. The search for `end` begins one character after the end of `start`. Empty when
// either marker is missing.
std::string ExtractBetween(std::string_view text, std::string_view start, std::string_view end);
// The same, but nullopt when a marker is missing, so that callers can keep a previous value.
std::optional<std::string_view> FindBetween(std::string_view text, std::string_view start,
                                            std::string_view end);
// The trimmed text from position p (just after a start marker) up to the next `end`, searched
// from p + 1; nullopt when there is none.
std::optional<std::string_view> ValueFrom(std::string_view text, size_t p, std::string_view end);

// The pieces between separators, in order: no separator gives one piece, a trailing separator
// a final empty piece.
std::vector<std::string> SplitString(std::string_view text, std::string_view separator);

// ParseScaledDecimal comes from base/TimeText.h: the encoder adapter reads decimals the same way.

// Milliseconds of "h:m:s.fff": exactly three pieces, whole hours and minutes, decimal seconds.
// nullopt for any other form, for negative pieces and for a result beyond 64 bits.
std::optional<int64_t> TryParseClockMs(std::string_view text);
// The lenient reading: a missing or invalid piece counts as 0 (never fails).
int64_t ParseClockMs(std::string_view text);

// The value limited to the range of a 32-bit field.
int32_t ClampToInt32(int64_t value);

// round(part × 100 / whole) with halves to even (or truncated), at least 0 and at most 100.
// `whole` must not be 0.
int32_t PercentOf(int64_t part, int64_t whole, bool rounded);

} // namespace quillabe
