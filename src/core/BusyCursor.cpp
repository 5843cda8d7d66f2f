#include "core/BusyCursor.h"

namespace quillabe {

namespace {
int depth = 0;
std::function<void(bool)>& hook() {
    static std::function<void(bool)> h;
    return h;
}
} // namespace

void BeginBusy() {
    ++depth;
    if (hook())
        hook()(true);
}

void EndBusy() {
    if (depth == 0)
        return;
    if (--depth == 0 && hook())
        hook()(false);
}

int BusyDepth() {
    return depth;
}
void SetBusyCursorHook(std::function<void(bool)> h) {
    hook() = std::move(h);
}

} // namespace quillabe
