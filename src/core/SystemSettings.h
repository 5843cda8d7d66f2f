#pragma once
// The settings file "info.ini": the user's choices (section "System").

#include <string>

namespace quillabe {

// The most conversions a batch is asked to run at once; each is a whole encoder process.
inline constexpr int kMaxSimultaneousJobs = 16;

std::string InfoIniFileName(); // program directory + "info.ini"

// Without a settings file: writes one with the current values and returns false. Otherwise:
// OutputFormat := MP4, reads every key with the field's value as default, Mp4PresetIndex := 0.
bool LoadSystemSettings();
// Writes every key of section "System" in order; false when the file could not be written.
bool SaveSystemSettings();
// Writes one string value at once.
bool WriteInfoString(const std::string& section, const std::string& key, const std::string& value);

// Step 5 of the main window's creation: the defaults of GlobalVars.
void SetGlobalDefaults();

} // namespace quillabe
