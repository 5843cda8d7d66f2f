#include "mediainfo/MediaInfoHandle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>

// The library's C interface, 8-bit variant. Stream and info kinds are C enums (int-sized).
extern "C" {
void* MediaInfoA_New();
void MediaInfoA_Delete(void* handle);
size_t MediaInfoA_Open(void* handle, const char* file);
void MediaInfoA_Close(void* handle);
const char* MediaInfoA_Get(void* handle, int streamKind, size_t streamNumber, const char* parameter,
                           int infoKind, int searchKind);
const char* MediaInfoA_Inform(void* handle, size_t reserved);
const char* MediaInfoA_Option(void* handle, const char* option, const char* value);
}

namespace quillabe {
namespace {

constexpr int kInfoName = 0;
constexpr int kInfoText = 1;

std::string Copy(const char* text) {
    return text ? std::string(text) : std::string();
}

// Without this the library converts its answers through the C locale of the process, so any
// non-ASCII text (tags, names) comes back as "?". With it, answers are UTF-8 whatever the locale.
void ConfigureLibraryOnce() {
    static std::once_flag once;
    std::call_once(once, [] { MediaInfoA_Option(nullptr, "CharSet", "UTF-8"); });
}

// The library turns an 8-bit file name into its wide form through the process locale and back
// again to open the file; a name that is not plain ASCII survives that only in a matching locale,
// and a name that is not valid UTF-8 never does.
bool NeedsAlias(const std::string& path) {
    return std::any_of(path.begin(), path.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

} // namespace

MediaInfoHandle::MediaInfoHandle() {
    ConfigureLibraryOnce();
    handle_ = MediaInfoA_New();
}

MediaInfoHandle::~MediaInfoHandle() {
    Close();
    if (handle_)
        MediaInfoA_Delete(handle_);
}

bool MediaInfoHandle::Open(const std::string& path) {
    Close();
    if (!handle_)
        return false;
    if (!NeedsAlias(path)) {
        openedAs_ = path;
        return MediaInfoA_Open(handle_, path.c_str()) == 1;
    }
    // Open the file ourselves (never blocking on a FIFO) and give the library the descriptor's
    // ASCII alias; only regular files are handed on, as the library refuses anything else too.
    aliasFd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (aliasFd_ < 0)
        return false;
    struct stat st {};
    if (fstat(aliasFd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        Close();
        return false;
    }
    openedAs_ = "/proc/self/fd/" + std::to_string(aliasFd_);
    return MediaInfoA_Open(handle_, openedAs_.c_str()) == 1;
}

std::string MediaInfoHandle::Get(StreamKind kind, size_t streamNumber,
                                 const std::string& parameter) const {
    if (!handle_ || openedAs_.empty())
        return {};
    return Copy(MediaInfoA_Get(handle_, static_cast<int>(kind), streamNumber, parameter.c_str(),
                               kInfoText, kInfoName));
}

std::string MediaInfoHandle::Inform() const {
    if (!handle_ || openedAs_.empty())
        return {};
    return Copy(MediaInfoA_Inform(handle_, 0));
}

void MediaInfoHandle::Close() {
    if (handle_ && !openedAs_.empty())
        MediaInfoA_Close(handle_);
    openedAs_.clear();
    if (aliasFd_ >= 0) {
        ::close(aliasFd_);
        aliasFd_ = -1;
    }
}

std::string MediaInfoHandle::Option(const std::string& option, const std::string& value) {
    ConfigureLibraryOnce();
    return Copy(MediaInfoA_Option(nullptr, option.c_str(), value.c_str()));
}

} // namespace quillabe
