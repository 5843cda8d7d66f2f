#include "core/DateTime.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace quillabe {

TDateTime Now() {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    double msOfSecond =
        static_cast<double>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    // Days from 1899-12-30 to 1970-01-01 are 25569; local wall time like the desktop clock.
    double days = static_cast<double>(t + local.tm_gmtoff) / 86400.0 + 25569.0;
    return days + msOfSecond / kMsPerDay;
}

std::string FormatHNNSS(TDateTime value) {
    double v = std::fabs(value);
    double fraction = v - std::floor(v);
    auto totalMs = static_cast<long long>(std::llround(fraction * kMsPerDay));
    long long totalSeconds = (totalMs / 1000) % 86400;
    long long h = totalSeconds / 3600;
    long long m = (totalSeconds / 60) % 60;
    long long s = totalSeconds % 60;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", h, m, s);
    return buf;
}

} // namespace quillabe
