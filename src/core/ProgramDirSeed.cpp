#include "core/ProgramDirSeed.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace quillabe {

namespace fs = std::filesystem;

namespace {

std::string reason(int error) {
    return std::strerror(error);
}

std::set<std::string> readManifest(const std::string& path) {
    std::set<std::string> listed;
    std::string text;
    if (ReadFileText(path, text))
        for (const std::string& line : SplitLines(text))
            if (!line.empty())
                listed.insert(line);
    return listed;
}

std::string manifestText(const std::set<std::string>& listed) {
    std::string text;
    for (const std::string& line : listed)
        text += line + "\n";
    return text;
}

// The shipped files below the shipped folders, as relative paths. Hidden names (leftovers of
// interrupted writes, editor files) are no data.
std::vector<std::string> shippedFiles(const std::string& shippedDir, std::string& error) {
    std::vector<std::string> files;
    std::error_code ec;
    fs::recursive_directory_iterator it(shippedDir, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const bool isDir = it->is_directory(ec);
        if (name.empty() || name[0] == '.' || (it.depth() == 0 && !isDir)) {
            if (isDir)
                it.disable_recursion_pending();
            continue;
        }
        if (isDir || !it->is_regular_file(ec))
            continue;
        std::string relative = it->path().lexically_relative(shippedDir).generic_string();
        // A name the manifest could not hold on one line is no shipped file of ours.
        if (relative.find_first_of("\r\n") == std::string::npos)
            files.push_back(std::move(relative));
    }
    if (ec)
        error = "Cannot read the shipped data in \"" + shippedDir + "\": " + ec.message() + ".";
    return files;
}

bool sameFileTimes(const struct stat& a, const struct stat& b) {
    // Whole seconds: some file systems keep no finer times.
    return a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec;
}

// Copies under a temporary name and renames it over `target`, then gives it the shipped time.
bool copyShippedFile(const std::string& source, const struct stat& sourceStat,
                     const std::string& target, std::string& error) {
    std::string text;
    if (!ReadFileText(source, text)) {
        error = "Cannot read \"" + source + "\": " + reason(errno) + ".";
        return false;
    }
    const std::string folder = ExtractFilePath(target);
    if (!ForceDirectories(folder)) {
        error = "Cannot create the folder \"" + folder + "\" for \"" + ExtractFileName(target) +
                "\": " + (errno == EEXIST ? "a file of that name is in the way" : reason(errno)) +
                ".";
        return false;
    }
    if (!WriteFileAtomic(target, text)) {
        error = "Cannot copy \"" + source + "\" to \"" + target + "\": " + reason(errno) + ".";
        return false;
    }
    // Without the time the next start copies the file once more; nothing worse.
    const struct timespec times[2] = {{0, UTIME_OMIT}, sourceStat.st_mtim};
    utimensat(AT_FDCWD, target.c_str(), times, 0);
    return true;
}

} // namespace

bool IsUserOwnedDataFile(std::string_view relative) {
    if (!StartsWith(relative, "profile_"))
        return false;
    const size_t slash = relative.find('/');
    // The frame-server template lies beside the format folders but is the program's.
    return slash != std::string_view::npos && relative.substr(slash + 1) != "DirectShow.avs";
}

SeedResult SeedProgramDir(const std::string& shippedDir, const std::string& programDir) {
    SeedResult r;
    if (!ForceDirectories(programDir)) {
        r.ok = false;
        r.errors.push_back("Cannot create the folder \"" + programDir + "\": " + reason(errno) +
                           ".");
        return r;
    }
    if (access(programDir.c_str(), W_OK) != 0) {
        r.ok = false;
        r.errors.push_back("Cannot write to the folder \"" + programDir + "\": " + reason(errno) +
                           ".");
        return r;
    }
    std::error_code ec;
    if (fs::equivalent(shippedDir, programDir, ec))
        return r;

    std::string listError;
    const std::vector<std::string> files = shippedFiles(shippedDir, listError);
    if (!listError.empty())
        r.errors.push_back(listError);

    const std::string manifestPath = programDir + kSeedManifestName;
    std::set<std::string> listed = readManifest(manifestPath);
    const size_t listedBefore = listed.size();
    std::set<std::string> folders;
    for (const std::string& relative : files) {
        const std::string source = shippedDir + relative;
        const std::string target = programDir + relative;
        folders.insert(ExtractFilePath(target));
        struct stat from {};
        if (stat(source.c_str(), &from) != 0) {
            r.errors.push_back("Cannot read \"" + source + "\": " + reason(errno) + ".");
            continue;
        }
        struct stat present {};
        const bool exists = lstat(target.c_str(), &present) == 0;
        std::string error;
        if (IsUserOwnedDataFile(relative)) {
            if (listed.count(relative))
                continue;
            // Present but never listed (a manifest lost, a folder made by hand): the user's file.
            if (exists || copyShippedFile(source, from, target, error)) {
                listed.insert(relative);
                r.copied += exists ? 0 : 1;
            }
        } else if (!exists) {
            if (copyShippedFile(source, from, target, error))
                ++r.copied;
        } else if (S_ISREG(present.st_mode) && !sameFileTimes(from, present)) {
            if (copyShippedFile(source, from, target, error))
                ++r.refreshed;
        } else if (S_ISDIR(present.st_mode)) {
            error = "Cannot copy \"" + source + "\": \"" + target + "\" is a folder.";
        }
        if (!error.empty())
            r.errors.push_back(error);
    }
    // What an interrupted earlier copy left under a temporary name.
    for (const std::string& folder : folders)
        RemoveAtomicWriteLeftovers(folder, "");

    if (listed.size() != listedBefore && !WriteFileAtomic(manifestPath, manifestText(listed)))
        r.errors.push_back("Cannot write \"" + manifestPath + "\": " + reason(errno) + ".");
    return r;
}

} // namespace quillabe
