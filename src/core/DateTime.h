#pragma once
// Date-time values as days since 30 December 1899, and the "h:nn:ss" time texts.

#include "core/GlobalVars.h"

#include <string>

namespace quillabe {

TDateTime Now();
inline constexpr double kMsPerDay = 86400000.0;

// Hours without leading zero, minutes and seconds with two digits, from the value's time of day
// (24 hours or more show only the part below 24 hours; a negative value shows its absolute value).
std::string FormatHNNSS(TDateTime value);

} // namespace quillabe
