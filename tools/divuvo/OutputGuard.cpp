#include "divuvo/OutputGuard.h"

#include "divuvo/ConsoleText.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quillabe::divuvo {

namespace {
bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}
bool unchanged(const struct stat& a, const struct stat& b) {
    return sameFile(a, b) && a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
           a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}
} // namespace

std::string OutputGuard::Check(const EncoderOptions& options, const std::string& source) {
    const std::string name = "'" + ConsoleName(output_) + "'";
    sourceKnown_ = ::stat(source.c_str(), &source_) == 0;
    existed_ = ::stat(output_.c_str(), &before_) == 0;
    if (existed_) {
        if (S_ISDIR(before_.st_mode))
            return "Error: the output " + name + " is a folder";
        struct stat script {};
        if ((sourceKnown_ && sameFile(before_, source_)) ||
            (::stat(options.input.c_str(), &script) == 0 && sameFile(before_, script)))
            return "Error: the output file " + name + " is the input file";
        if (!options.overwrite)
            return "Error: the output file " + name + " already exists (no -y given)";
        int fd = ::open(output_.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            return "Could not open output file " + name + ": " + std::strerror(errno);
        ::close(fd);
        return {};
    }
    // Creating the file once tells of a missing or unwritable folder in the system's own words,
    // for root as well, whom permission bits do not stop.
    int fd = ::open(output_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return "Could not open output file " + name + ": " + std::strerror(errno);
    ::close(fd);
    ::unlink(output_.c_str());
    return {};
}

void OutputGuard::RemovePartial() const {
    struct stat now {};
    if (::stat(output_.c_str(), &now) != 0 || !S_ISREG(now.st_mode))
        return;
    if (sourceKnown_ && sameFile(now, source_))
        return;
    if (existed_ && unchanged(before_, now))
        return;
    ::unlink(output_.c_str());
}

} // namespace quillabe::divuvo
