#pragma once
// Whole numbers read from outside text (files, command lines, other programs' output) without
// exceptions and without silent wrap-around: the whole text must be the number, in range, or the
// answer is nullopt. No blanks are skipped; trim first where the text may carry them.

#include <cstdint>
#include <optional>
#include <string_view>

namespace quillabe {

// Decimal digits with an optional leading "+" or "-".
std::optional<int64_t> ParseInt64(std::string_view text);
// Decimal digits only: a sign is refused, so "-1" never becomes a huge count.
std::optional<uint64_t> ParseUInt64(std::string_view text);
// Digits of the base (2 to 36, either letter case) only, no sign and no prefix such as "0x".
std::optional<uint64_t> ParseUInt64(std::string_view text, int base);
// Decimal digits only, at most the largest int64_t: counts, clock pieces, sizes.
std::optional<int64_t> ParseWholeNumber(std::string_view text);
// ParseInt64 limited to lo..hi (both included).
std::optional<int64_t> ParseIntInRange(std::string_view text, int64_t lo, int64_t hi);

} // namespace quillabe
