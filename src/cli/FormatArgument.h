#pragma once
// FORMAT on the command line: the word the format table uses for a format ("avi", "mpg", ...),
// in any letter case, the same for every mode that takes one.

#include "core/OutputFormat.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillabe {

std::optional<TOutputFormat> FormatFromArgument(std::string_view text);

// Every format's word in table order, separated by blanks: "avi mp4 3gp mpg ...".
std::string FormatWords();

} // namespace quillabe
