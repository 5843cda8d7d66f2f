#pragma once
// A nesting counter for the busy cursor; the windows install how the cursor is shown.

#include <functional>

namespace quillabe {

void BeginBusy();
void EndBusy();
int BusyDepth();
// Called with true when the counter leaves 0 and with false when it returns to 0.
void SetBusyCursorHook(std::function<void(bool busy)> hook);

// Pairs BeginBusy with an EndBusy that runs however the scope is left.
class BusyScope {
public:
    BusyScope() { BeginBusy(); }
    ~BusyScope() { EndBusy(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
};

} // namespace quillabe
