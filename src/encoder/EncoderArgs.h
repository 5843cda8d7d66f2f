#pragma once
// The encoder options of a profile: the one place where settings become encoder arguments.

#include <string>

namespace quillabe {

// Loads the profile file into the record of GlobalVars.OutputFormat (without resetting it: keys
// missing from the file keep the record's values) and returns that format's option string,
// literals and blanks exact. MP4, 3GP (converted through presets) and unknown formats give ""
// and load nothing.
std::string BuildEncoderArgs(const std::string& profilePath);
// The same for a format given explicitly.
std::string BuildEncoderArgsFor(int format, const std::string& profilePath);

} // namespace quillabe
