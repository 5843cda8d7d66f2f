#include "cli/NamedFiles.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace quillabe {

namespace {

// Why the path is no file to convert, or "" when it is a regular file. The file list takes any
// entry that is not a folder, but a pipe or a device holds no media file, and reading one may wait
// for a writer or never end.
std::string notARegularFile(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? "no such file" : std::strerror(errno);
    if (S_ISDIR(st.st_mode))
        return "a folder, not a file";
    if (!S_ISREG(st.st_mode))
        return "not a regular file";
    return {};
}

std::string reasonOf(AddResult result, const std::vector<std::string>& told) {
    switch (result) {
    case AddResult::Added:
        return {};
    case AddResult::Missing:
        return "no such file";
    case AddResult::UnknownType:
        return "not a known input type (see --list-types)";
    case AddResult::Duplicate:
        return "given twice";
    case AddResult::Refused:
        return told.empty() ? "refused by the media probe" : told.back();
    }
    return "not added";
}

} // namespace

std::vector<SkippedFile> AddNamedFiles(FileList& files, const std::vector<std::string>& paths,
                                       ConsoleMessages& messages) {
    std::vector<SkippedFile> skipped;
    for (const std::string& path : paths) {
        if (std::string why = notARegularFile(path); !why.empty()) {
            skipped.push_back({path, why});
            continue;
        }
        messages.SetCollecting(true);
        const AddResult result = files.AddFile(path);
        messages.SetCollecting(false);
        if (std::string why = reasonOf(result, messages.TakeCollected()); !why.empty())
            skipped.push_back({path, why});
    }
    return skipped;
}

} // namespace quillabe
