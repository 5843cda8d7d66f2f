#include "core/GlobalVars.h"

namespace quillabe {

TGlobalVars GlobalVars;

int ProfileDirSlot(int format) {
    for (size_t slot = 0; slot < kProfileDirSlots.size(); ++slot)
        if (kProfileDirSlots[slot] == format)
            return static_cast<int>(slot);
    return -1;
}

const std::string& ProfileDirOf(int format) {
    static const std::string none;
    int slot = ProfileDirSlot(format);
    return slot < 0 ? none : GlobalVars.ProfileDirs[static_cast<size_t>(slot)];
}

void ResetGlobalVars() {
    GlobalVars = TGlobalVars{};
}

} // namespace quillabe
