#include "divuvo/AvsScript.h"

#include "base/PathUtils.h"
#include "divuvo/ConsoleText.h"

#include <cerrno>
#include <cstring>

namespace quillabe::divuvo {

namespace {
constexpr std::string_view kOpen = "DirectShowSource(\"";
constexpr std::string_view kClose = "\")";
} // namespace

bool IsAvsScript(const std::string& path) {
    return ExtractFileExt(path) == ".avs";
}

AvsSource SourceFromScriptText(const std::string& text) {
    AvsSource result;
    size_t open = text.find(kOpen);
    size_t close = text.rfind(kClose);
    if (open == std::string::npos || close == std::string::npos || close < open + kOpen.size()) {
        result.error = "names no source (DirectShowSource(\"...\") expected)";
        return result;
    }
    size_t begin = open + kOpen.size();
    result.path = text.substr(begin, close - begin);
    if (result.path.empty())
        result.error = "names an empty source";
    return result;
}

AvsSource ReadAvsSource(const std::string& scriptPath) {
    std::string text;
    errno = 0;
    if (!ReadFileText(scriptPath, text) || DirectoryExists(scriptPath)) {
        int err = DirectoryExists(scriptPath) ? EISDIR : (errno ? errno : ENOENT);
        return {{},
                "Could not open input file '" + ConsoleName(scriptPath) +
                    "': " + std::strerror(err)};
    }
    AvsSource source = SourceFromScriptText(text);
    if (!source.error.empty())
        source.error = "Error: the script '" + ConsoleName(scriptPath) + "' " + source.error;
    return source;
}

} // namespace quillabe::divuvo
