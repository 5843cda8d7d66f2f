#pragma once
// The probe of an added file and the full report of the File Information window, through the
// media-information library.

#include "core/FileItem.h"

#include <string>

namespace quillabe {

// Fills the sixteen media fields of the item from the library (FileName and FilePath are the
// caller's); an empty answer is stored as the current placeholder text. Returns ProbeAccepted.
bool ProbeFile(const std::string& path, TFileItem& item);

// False when CompleteName, or else FileSize, holds the current placeholder text.
bool ProbeAccepted(const TFileItem& item);

// The library's standard report of the file; empty when no file exists under the path.
std::string MediaReport(const std::string& path);

} // namespace quillabe
