#include "core/ProgramDir.h"

#include "base/PathUtils.h"

#include <cstdlib>
#include <optional>
#include <unistd.h>

namespace quillabe {

namespace {
std::optional<std::string>& cached() {
    static std::optional<std::string> dir;
    return dir;
}

std::string resolve() {
    if (const char* home = std::getenv("QUILLABE_HOME"); home && *home)
        return AddBackslash(home);
    std::string exe(4096, '\0');
    ssize_t n = readlink("/proc/self/exe", exe.data(), exe.size() - 1);
    if (n <= 0)
        return "./";
    exe.resize(static_cast<size_t>(n));
    return ExtractFilePath(exe);
}
} // namespace

const std::string& ProgramDir() {
    if (!cached())
        cached() = resolve();
    return *cached();
}

void ResetProgramDir() {
    cached().reset();
}

std::string InProgramDir(const std::string& relative) {
    return ProgramDir() + relative;
}

} // namespace quillabe
