#pragma once
// What leaving one of the three time boxes does to the three texts. Kept apart from the widgets so
// that the rules read (and are tested) as the plain arithmetic they are.

#include <cstdint>
#include <string>

namespace quillabe {

// The longest accepted start, end or duration: 200 hours.
inline constexpr int64_t kMaxTimeMs = 720000000;

enum class TimeBox { Start, End, Duration };

struct TimeTexts {
    std::string start;
    std::string end;
    std::string duration;

    bool operator==(const TimeTexts&) const = default;
};

// `remembered` is the text the box held when it received the focus; a rejected entry gets it
// back and changes nothing else.
TimeTexts LeaveTimeBox(TimeBox box, TimeTexts texts, const std::string& remembered);

// The End text a loaded Start and Duration give. Parts that do not parse count as zero.
std::string EndTextOf(const std::string& start, const std::string& duration);

} // namespace quillabe
