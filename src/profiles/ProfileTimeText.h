#pragma once
// The time texts of profiles (StartTime, Duration) as counts of milliseconds. The editors accept
// shorter forms than they write: "90", "1:30", "1:30.250", "1:00:00".

#include <cstdint>
#include <string>

namespace quillabe {

// -1 when the text fits none of the accepted forms.
int64_t TimeTextToMs(const std::string& text);
// h:mm:ss.xxx, hours with at least one digit.
std::string MsToTimeText(int64_t ms);

} // namespace quillabe
