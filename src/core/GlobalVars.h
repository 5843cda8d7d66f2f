#pragma once
// The one global record: settings, input-type tables, profile locations and the state of a batch.
// Main thread only.

#include "core/StringList.h"

#include <array>
#include <cstdint>
#include <string>

namespace quillabe {

using TDateTime = double; // days since 30 December 1899, time of day as the fraction

// State of the current job.
struct TJobState {
    bool JobFailed = false;
    TDateTime JobStartTime = 0;
    int32_t JobPercent = 0;
    std::string PendingOutput;
    std::string JobInputFile;
    std::string JobOutputFile;
};

// State of the batch.
struct TBatchState {
    bool BatchHadErrors = false;
    bool StopWhenDone = false;
    int32_t FailedCount = 0;
    int32_t DoneCount = 0;
    int32_t TotalCount = 0;
    int64_t TotalBytes = 0;
    int64_t JobBytes = 0;
    int64_t FinishedBytes = 0;
    int64_t ProcessedBytes = 0;
    int32_t BatchPercent = 0;
    TDateTime BatchStartTime = 0;
};

// Values read from the encoder's output.
struct TEncoderReadings {
    int32_t JobDurationMs = 0;
    int32_t JobPositionMs = 0;
    std::string StreamInputName;
    std::string StreamOutputName;
    int32_t JobSizeKB = 0;
    int32_t JobBitrateKbps = 0;
};

// Values of the batch core template placeholders.
struct TTemplateValues {
    std::string TplAppPath;
    std::string TplTimeStamp;
    std::string TplTemporaryFile;
    std::string TplTitle;
    std::string TplOutputFile;
    std::string TplOutputPath;
    std::string TplRandomNumber3;
    std::string TplRandomNumber5;
};

struct TGlobalVars {
    // Settings
    uint8_t OutputFormat = 0;
    std::string LanguageFile;
    std::string LastInputOpenDir;
    std::string LastOutputOpenDir;
    uint8_t Priority = 0;
    uint8_t ShutdownFlag = 0;
    bool ShutdownWindowsWhenDone = false;
    bool DeleteFileAfterProcessing = false;
    // Input-type tables
    StringList InputFileTypes;
    StringList AvsExtensions;
    // More settings
    bool UseDirectShow = false;
    std::string EncoderPath;
    // Conversions run at once; 0 = one per processor core.
    int32_t SimultaneousJobs = 1;
    // The state of a running conversion, in the groups the code that works on them receives
    TJobState Job;
    TBatchState Batch;
    TEncoderReadings Encoder;
    // Profile locations and presets
    std::string ProfileRootDir;
    std::array<std::string, 16> ProfileDirs; // slot order, see kProfileDirSlots
    std::string PresetDir;
    std::string PresetFileName;
    int32_t Mp4PresetIndex = 0;
    int32_t TgpPresetIndex = 0;
    // Values of the batch core template placeholders
    TTemplateValues Templates;
};

extern TGlobalVars GlobalVars;

// The profile directories are declared in their own order (aac before vob, asf last), so code
// indexing them by format must go through this table.
inline constexpr std::array<uint8_t, 16> kProfileDirSlots = {
    // avi, mp4, 3gp, mpg, mov, wmv, rm, swf, aac, vob, ac3, mp2, mp3, amr, wav, asf
    0, 1, 2, 3, 4, 5, 6, 7, 10, 8, 11, 12, 13, 14, 15, 9};

// Slot of a format's directory in TGlobalVars::ProfileDirs.
int ProfileDirSlot(int format);
// The profile directory of a format.
const std::string& ProfileDirOf(int format);

// Returns GlobalVars to its zero-filled start state (tests and command-line modes).
void ResetGlobalVars();

} // namespace quillabe
