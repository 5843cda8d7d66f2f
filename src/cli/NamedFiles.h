#pragma once
// The files named on the command line enter the batch's file list by the list's own rules; every
// name that does not is accounted for with the reason, for a line of its own.

#include "cli/ConsoleMessages.h"
#include "engine/FileList.h"

#include <string>
#include <vector>

namespace quillabe {

struct SkippedFile {
    std::string path;
    std::string reason; // "no such file", "given twice", the probe's refusal, ...
};

// Adds the paths in order. A refusal's message box is collected through `messages`, so that it
// becomes the file's reason instead of a message of its own.
std::vector<SkippedFile> AddNamedFiles(FileList& files, const std::vector<std::string>& paths,
                                       ConsoleMessages& messages);

} // namespace quillabe
