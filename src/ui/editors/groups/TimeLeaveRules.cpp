#include "ui/editors/groups/TimeLeaveRules.h"

#include "profiles/ProfileTimeText.h"

#include <algorithm>

namespace quillabe {

namespace {
bool inRange(int64_t ms) {
    return ms >= 0 && ms <= kMaxTimeMs;
}

// Differences and sums of damaged texts must not reach MsToTimeText as negative counts.
std::string textOf(int64_t ms) {
    return MsToTimeText(std::max<int64_t>(ms, 0));
}
int64_t parsedOrZero(const std::string& text) {
    return std::max<int64_t>(TimeTextToMs(text), 0);
}

void recomputeDuration(TimeTexts& t) {
    t.duration = textOf(parsedOrZero(t.end) - parsedOrZero(t.start));
}
void recomputeEnd(TimeTexts& t) {
    t.end = textOf(parsedOrZero(t.start) + parsedOrZero(t.duration));
}
} // namespace

TimeTexts LeaveTimeBox(TimeBox box, TimeTexts t, const std::string& remembered) {
    switch (box) {
    case TimeBox::Start: {
        const int64_t s = TimeTextToMs(t.start);
        if (!inRange(s)) {
            t.start = remembered;
            return t;
        }
        const int64_t e = TimeTextToMs(t.end);
        t.start = textOf(s);
        if (e <= s)
            t.end = t.start;
        recomputeDuration(t);
        return t;
    }
    case TimeBox::End: {
        const int64_t e = TimeTextToMs(t.end);
        const int64_t s = TimeTextToMs(t.start);
        if (!inRange(e) || e < s) {
            t.end = remembered;
            return t;
        }
        t.end = textOf(e);
        recomputeDuration(t);
        return t;
    }
    case TimeBox::Duration: {
        const int64_t d = TimeTextToMs(t.duration);
        if (!inRange(d)) {
            t.duration = remembered;
            return t;
        }
        t.duration = textOf(d);
        recomputeEnd(t);
        return t;
    }
    }
    return t;
}

std::string EndTextOf(const std::string& start, const std::string& duration) {
    return textOf(parsedOrZero(start) + parsedOrZero(duration));
}

} // namespace quillabe
