#include "mediainfo/MediaInfoHandle.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <mutex>

#if defined(__SANITIZE_ADDRESS__) // GCC
#define QUILLABE_LEAK_CHECKED 1
#elif defined(__has_feature) // clang
#if __has_feature(address_sanitizer)
#define QUILLABE_LEAK_CHECKED 1
#endif
#endif
#ifdef QUILLABE_LEAK_CHECKED
// The library keeps one record for options set without a handle and frees the table holding it in
// its own static destructors, which run before the leak check at exit: the record then looks lost.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libmediainfo.so\n";
}
#endif

namespace quillabe {
namespace {

// The library's C interface, 8-bit variant. Stream and info kinds are C enums (int-sized). It is
// loaded on the first probe rather than linked: it brings some twenty network and crypto libraries
// with it, and a window that has probed nothing yet has no use for them.
struct LibraryEntries {
    void* (*New)() = nullptr;
    void (*Delete)(void* handle) = nullptr;
    size_t (*Open)(void* handle, const char* file) = nullptr;
    void (*Close)(void* handle) = nullptr;
    const char* (*Get)(void* handle, int streamKind, size_t streamNumber, const char* parameter,
                       int infoKind, int searchKind) = nullptr;
    const char* (*Inform)(void* handle, size_t reserved) = nullptr;
    const char* (*Option)(void* handle, const char* option, const char* value) = nullptr;
};

template <typename Fn> bool Bind(void* library, const char* name, Fn& entry) {
    entry = reinterpret_cast<Fn>(dlsym(library, name));
    return entry != nullptr;
}

LibraryEntries LoadLibrary() {
    void* library = nullptr;
    for (const char* name : {"libmediainfo.so.0", QUILLABE_MEDIAINFO_LIBRARY})
        if ((library = dlopen(name, RTLD_NOW | RTLD_LOCAL)) != nullptr)
            break;
    LibraryEntries e;
    if (library && Bind(library, "MediaInfoA_New", e.New) &&
        Bind(library, "MediaInfoA_Delete", e.Delete) && Bind(library, "MediaInfoA_Open", e.Open) &&
        Bind(library, "MediaInfoA_Close", e.Close) && Bind(library, "MediaInfoA_Get", e.Get) &&
        Bind(library, "MediaInfoA_Inform", e.Inform) &&
        Bind(library, "MediaInfoA_Option", e.Option))
        return e;
    // Every probe then fails, and each file is refused as unreadable; say once why.
    std::fprintf(stderr, "quillabe: the media library cannot be loaded: %s\n",
                 library ? "an entry point is missing" : dlerror());
    return {};
}

// Loaded once, on first use, and kept for the life of the process.
const LibraryEntries& Library() {
    static const LibraryEntries entries = LoadLibrary();
    return entries;
}

constexpr int kInfoName = 0;
constexpr int kInfoText = 1;

std::string Copy(const char* text) {
    return text ? std::string(text) : std::string();
}

// Without this the library converts its answers through the C locale of the process, so any
// non-ASCII text (tags, names) comes back as "?". With it, answers are UTF-8 whatever the locale.
void ConfigureLibraryOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (Library().Option)
            Library().Option(nullptr, "CharSet", "UTF-8");
    });
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
    handle_ = Library().New ? Library().New() : nullptr;
}

MediaInfoHandle::~MediaInfoHandle() {
    Close();
    if (handle_)
        Library().Delete(handle_);
}

bool MediaInfoHandle::Open(const std::string& path) {
    Close();
    if (!handle_)
        return false;
    if (!NeedsAlias(path)) {
        openedAs_ = path;
        return Library().Open(handle_, path.c_str()) == 1;
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
    return Library().Open(handle_, openedAs_.c_str()) == 1;
}

std::string MediaInfoHandle::Get(StreamKind kind, size_t streamNumber,
                                 const std::string& parameter) const {
    if (!handle_ || openedAs_.empty())
        return {};
    return Copy(Library().Get(handle_, static_cast<int>(kind), streamNumber, parameter.c_str(),
                              kInfoText, kInfoName));
}

std::string MediaInfoHandle::Inform() const {
    if (!handle_ || openedAs_.empty())
        return {};
    return Copy(Library().Inform(handle_, 0));
}

void MediaInfoHandle::Close() {
    if (handle_ && !openedAs_.empty())
        Library().Close(handle_);
    openedAs_.clear();
    if (aliasFd_ >= 0) {
        ::close(aliasFd_);
        aliasFd_ = -1;
    }
}

std::string MediaInfoHandle::Option(const std::string& option, const std::string& value) {
    ConfigureLibraryOnce();
    if (!Library().Option)
        return {};
    return Copy(Library().Option(nullptr, option.c_str(), value.c_str()));
}

} // namespace quillabe
