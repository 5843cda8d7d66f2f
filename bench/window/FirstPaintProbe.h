#pragma once
// Ends a window program at its first painted frame and reports when that was. Installed before
// the application object exists (it hooks the application's constructor), so the program under
// measurement runs its own start path unchanged.

#include <string>

namespace quillabe::bench {

// Once the top-level widget named `windowName` has received its first paint event and that
// paint has been flushed, prints one line to standard output and ends the process at once:
//
//   first_paint_ns=<CLOCK_REALTIME nanoseconds> peak_rss_kib=<VmHWM> rss_kib=<VmRSS>
//
// followed by the resident memory per mapped file when `rssByMapping` is set.
void EndAtFirstPaint(std::string windowName, bool rssByMapping);

// Removes "--rss-by-mapping" from the arguments; true when it was there.
bool TakeRssByMappingOption(int& argc, char** argv);

} // namespace quillabe::bench
