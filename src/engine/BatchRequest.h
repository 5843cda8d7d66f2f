#pragma once
// Everything a batch is asked to do, as one value given when it starts: the front end (the main
// window or the console) reads its widgets or options once; the controller never asks for them.

#include "profiles/PresetCatalogue.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quillabe {

struct BatchRequest {
    int format = 0;                           // TOutputFormat
    std::string profilePath;                  // the profile of a profile format
    std::optional<TProfileDetailItem> preset; // the variant of an MP4/3GP preset
    std::string outputFolder;                 // as the user typed it
    bool deleteSource = false;
    bool shutdownWhenDone = false; // run the end-of-batch action after a clean batch
    uint8_t shutdownFlag = 0;      // which action (see ShutdownSystem)
    int priority = 0;              // 0 idle .. 3 real time
    int jobs = 1;                  // simultaneous conversions; 0 = one per processor core
};

} // namespace quillabe
