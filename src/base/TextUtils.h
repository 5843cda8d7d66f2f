#pragma once
// Small text helpers shared by every layer: the system's strings are plain 8-bit text.

#include <string>
#include <string_view>
#include <vector>

namespace quillabe {

// Removes blanks and control characters (code <= 32) at both ends.
std::string Trim(std::string_view text);
// The same without a copy, for hot paths.
std::string_view TrimView(std::string_view text);
// Removes only blanks (code 32) and tabs at both ends.
std::string TrimBlanks(std::string_view text);
std::string LowerCase(std::string_view text);
std::string UpperCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b); // ASCII case-insensitive equality
bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);
bool Contains(std::string_view text, std::string_view part);
// Replaces every occurrence of `from`, matched without regard to ASCII letter case.
std::string ReplaceAllIgnoreCase(std::string_view text, std::string_view from, std::string_view to);
// Replaces only the first occurrence, letter case significant.
std::string ReplaceFirst(std::string_view text, std::string_view from, std::string_view to);
std::vector<std::string> SplitLines(std::string_view text); // at LF, CR LF or CR

} // namespace quillabe
