#include "base/PathUtils.h"

#include "base/TextUtils.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillabe {

std::string AddBackslash(std::string_view text) {
    std::string out(text);
    if (out.empty() || out.back() != kPathDelim)
        out += kPathDelim;
    return out;
}

std::string RemoveBackslash(std::string_view text) {
    std::string out(text);
    if (!out.empty() && out.back() == kPathDelim)
        out.pop_back();
    return out;
}

std::string ExtractFileName(std::string_view path) {
    size_t slash = path.rfind(kPathDelim);
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ExtractFilePath(std::string_view path) {
    size_t slash = path.rfind(kPathDelim);
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string ExtractFileExt(std::string_view path) {
    std::string name = ExtractFileName(path);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    std::string ownExt = ExtractFileExt(path);
    return std::string(path.substr(0, path.size() - ownExt.size())) + std::string(ext);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PathExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && lstat(path.c_str(), &st) == 0;
}

bool ForceDirectories(const std::string& path) {
    std::string dir = RemoveBackslash(path);
    if (dir.empty())
        return false;
    if (DirectoryExists(dir))
        return true;
    std::string parent = RemoveBackslash(ExtractFilePath(dir));
    if (!parent.empty() && !ForceDirectories(parent))
        return false;
    return mkdir(dir.c_str(), 0777) == 0 || (errno == EEXIST && DirectoryExists(dir));
}

int64_t GetFileSize64(const std::string& path) {
    struct stat st {};
    if (path.empty() || stat(path.c_str(), &st) != 0)
        return -1;
    return static_cast<int64_t>(st.st_size);
}

bool DeleteIfEmpty(const std::string& path) {
    return FileExists(path) && GetFileSize64(path) == 0 && DeleteFile(path);
}

bool DeleteFile(const std::string& path) {
    return unlink(path.c_str()) == 0;
}

bool FileNameBefore(std::string_view a, std::string_view b) {
    auto folded = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
    };
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i)
        if (folded(a[i]) != folded(b[i]))
            return folded(a[i]) < folded(b[i]);
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b; // std::string_view compares as unsigned bytes
}

std::vector<std::string> ListDirectory(const std::string& dir, std::string_view suffix) {
    std::vector<std::string> names;
    DIR* d = opendir(dir.empty() ? "." : dir.c_str());
    if (!d)
        return names;
    while (dirent* e = readdir(d)) {
        std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        if (name.size() >= suffix.size() &&
            SameText(std::string_view(name).substr(name.size() - suffix.size()), suffix))
            names.push_back(name);
    }
    closedir(d);
    // readdir's order depends on the file system and the history of the folder.
    std::sort(names.begin(), names.end(), FileNameBefore);
    return names;
}

std::string FindFileIgnoringCase(const std::string& dir, const std::string& name) {
    std::string exact = dir + name;
    if (PathExists(exact))
        return exact;
    for (const auto& entry : ListDirectory(dir, ""))
        if (SameText(entry, name))
            return dir + entry;
    return exact;
}

bool ReadFileText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return !in.bad();
}

namespace {

constexpr size_t kTempNameLength = 6; // the "XXXXXX" that mkstemp fills in
constexpr time_t kLeftoverAge = 60;   // seconds

// Creates the temporary file of an atomic write from the pattern and locks it. The lock is held
// until the file has its final name, which tells RemoveAtomicWriteLeftovers that it is in use.
int createLockedTemp(const std::string& pattern, std::string& name) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        name = pattern;
        int fd = mkostemp(name.data(), O_CLOEXEC); // no child process inherits it
        if (fd < 0)
            return -1;
        // Without lock support the write goes ahead unlocked; a cleanup cannot lock it either.
        struct stat st {};
        if (flock(fd, LOCK_EX) != 0 || (fstat(fd, &st) == 0 && st.st_nlink > 0))
            return fd;
        // Taken for a leftover between its creation and the lock: take another name.
        close(fd);
    }
    errno = EAGAIN;
    return -1;
}

bool isTempNameChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The target's name when `name` is ".<target>.XXXXXX" with a target ending in the suffix.
std::optional<std::string> leftoverTarget(std::string_view name, std::string_view targetSuffix) {
    if (name.size() < kTempNameLength + 3 || name[0] != '.')
        return std::nullopt;
    const size_t dot = name.size() - kTempNameLength - 1;
    if (name[dot] != '.')
        return std::nullopt;
    for (char c : name.substr(dot + 1))
        if (!isTempNameChar(c))
            return std::nullopt;
    std::string_view target = name.substr(1, dot - 1);
    if (target == "." || target == ".." || target.size() < targetSuffix.size() ||
        !SameText(target.substr(target.size() - targetSuffix.size()), targetSuffix))
        return std::nullopt;
    return std::string(target);
}

} // namespace

bool WriteFileAtomic(const std::string& path, std::string_view text) {
    std::string target = path;
    if (char* resolved = realpath(path.c_str(), nullptr)) {
        target = resolved;
        std::free(resolved);
    }
    mode_t mode = 0666;
    struct stat st {};
    if (stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = umask(0);
        umask(mask);
        mode &= ~mask;
    }
    std::string tmpl;
    int fd =
        createLockedTemp(ExtractFilePath(target) + "." + ExtractFileName(target) + ".XXXXXX", tmpl);
    if (fd < 0)
        return false;
    bool ok = fchmod(fd, mode) == 0;
    size_t done = 0;
    while (ok && done < text.size()) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            done += static_cast<size_t>(n);
    }
    ok = ok && fsync(fd) == 0;
    // Renamed before it is closed, so the lock covers the file as long as it has its temporary
    // name; the data is on disk already.
    ok = ok && rename(tmpl.c_str(), target.c_str()) == 0;
    int saved = errno;
    close(fd);
    if (!ok)
        unlink(tmpl.c_str());
    errno = saved;
    return ok;
}

size_t RemoveAtomicWriteLeftovers(const std::string& dir, std::string_view targetSuffix) {
    const std::string folder = dir.empty() ? std::string("./") : AddBackslash(dir);
    const time_t now = time(nullptr);
    size_t removed = 0;
    for (const auto& name : ListDirectory(folder, "")) {
        auto target = leftoverTarget(name, targetSuffix);
        if (!target)
            continue;
        const std::string path = folder + name;
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (now - st.st_mtime <= kLeftoverAge && !PathExists(folder + *target))
            continue;
        int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        // Under the lock no write can rename the file, so the name still means this file.
        struct stat held {};
        if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &held) == 0 && held.st_nlink > 0 &&
            lstat(path.c_str(), &st) == 0 && st.st_dev == held.st_dev && st.st_ino == held.st_ino &&
            unlink(path.c_str()) == 0)
            ++removed;
        close(fd);
    }
    return removed;
}

} // namespace quillabe
