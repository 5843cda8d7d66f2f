#pragma once
// `quillabe --convert`: the same file list and batch controller as the windows, driven from the
// command line, reporting to a terminal or a log.

#include <optional>
#include <string>
#include <vector>

namespace quillabe {

struct ConvertOptions {
    int format = -1;                    // --to FORMAT (the format table's word, any letter case)
    std::optional<std::string> profile; // --profile NAME
    std::optional<std::string> preset;  // --preset TITLE
    std::optional<std::string> variant; // --variant TITLE|INDEX (INDEX counts from 1)
    std::string output;                 // --output DIR
    bool deleteSource = false;          // --delete-source
    std::optional<int> whenDone;        // --when-done ACTION: the end-of-batch value
    int jobs = 1;                       // --jobs N: conversions at once, 0 = one per core
    std::vector<std::string> files;
};

// Parses the arguments after --convert; nullopt with `error` set on a usage error.
std::optional<ConvertOptions> ParseConvertArgs(const std::vector<std::string>& args,
                                               std::string& error);

// Converts the files; the program state must have been started. Prints the target before the
// first job and a line on standard error for every named file that does not become a job.
// Exit codes: 0 every named file was converted, 1 a file failed or was skipped (or the
// end-of-batch action failed), 2 a usage error, 130/143 stopped by SIGINT/SIGTERM.
int RunConsoleConvert(const ConvertOptions& options);

} // namespace quillabe
