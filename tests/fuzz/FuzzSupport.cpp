#include "fuzz/FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace quillabe::fuzz {

namespace {
std::string makeScratchDir() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/quillabe-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    return pattern + "/";
}

void removeScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(ScratchDir(), ec);
}
} // namespace

const std::string& ScratchDir() {
    // Never destroyed: the exit handler that removes the folder still needs its name.
    static const std::string* dir = [] {
        auto* made = new std::string(makeScratchDir());
        std::atexit(removeScratchDir);
        return made;
    }();
    return *dir;
}

std::string WriteScratchFile(const std::string& name, std::string_view bytes) {
    const std::string path = ScratchDir() + name;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::abort();
    }
    return path;
}

std::string Printable(std::string_view bytes) {
    std::string out = "\"";
    for (char c : bytes) {
        auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 32 || u >= 127) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", u);
            out += hex;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void Fail(const char* file, int line, const char* condition, const std::string& detail) {
    std::fprintf(stderr, "\n%s:%d: check failed: %s\n%s\n", file, line, condition, detail.c_str());
    std::fflush(stderr);
    std::abort();
}

} // namespace quillabe::fuzz
