#pragma once
// The words of the console about its target: what a batch converts to and where, said before the
// first job, and a refused choice with the names it could have been.

#include "profiles/TargetSelection.h"

#include <string>

namespace quillabe {

// "target: ..." and "output: ..." lines, each ended by a line break.
std::string DescribeTarget(int format, const ChosenTarget& target, const std::string& outputFolder);

// The refusal's message followed by the valid names, one a line (variants with their numbers).
std::string TargetErrorText(const TargetError& error);

} // namespace quillabe
