#pragma once
// The settings record of each profile format, reached by format index: for the command-line
// modes, the editors' common frame and the tests.

#include "profiles/AudioSettings.h"
#include "profiles/AviSettings.h"
#include "profiles/MovWmvAsfRmSwfSettings.h"
#include "profiles/MpegVobSettings.h"

#include <string>
#include <vector>

namespace quillabe {

struct ProfileRecordOps {
    int format;
    void (*defaults)();
    void (*load)(const std::string& path);
    void (*save)(const std::string& path); // throws IniWriteError
    std::vector<std::string> (*recordKeys)();
    std::vector<std::string> (*loadKeys)();
    std::vector<std::string> (*saveKeys)();
};

// The operations of a format's record; nullptr for MP4, 3GP (presets only) and unknown indexes.
const ProfileRecordOps* FindProfileRecordOps(int format);

} // namespace quillabe
