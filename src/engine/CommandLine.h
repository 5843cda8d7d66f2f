#pragma once
// One command-line string to an argument list and back. The program builds its child command lines
// as single strings in the Windows convention (blanks between arguments, double quotes around
// paths), so they are split by the same rules; QuoteArgument is the matching escaper for every
// value inserted into such a line.

#include <string>
#include <string_view>
#include <vector>

namespace quillabe {

// Splits a command line into arguments. Blanks and tabs separate arguments outside double quotes;
// a double quote toggles quoting and is dropped; 2n backslashes before a quote give n backslashes
// and the quote toggles, 2n+1 give n backslashes and a literal quote; other backslashes are
// literal; two quotes inside a quoted part give one literal quote and quoting goes on. The first
// argument follows the same rules as the others, so a quoted program path round-trips too.
std::vector<std::string> SplitCommandLine(std::string_view line);

// The argument wrapped in double quotes, with quotes and the backslashes before them escaped, so
// that SplitCommandLine gives it back as exactly one argument whatever bytes it holds (blanks,
// quotes, backslashes, newlines, shell characters, non-ASCII, the empty string). Arguments joined
// with blanks in between come back as the same list.
std::string QuoteArgument(std::string_view arg);

} // namespace quillabe
