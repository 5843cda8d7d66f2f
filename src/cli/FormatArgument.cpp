#include "cli/FormatArgument.h"

#include "base/TextUtils.h"

namespace quillabe {

std::optional<TOutputFormat> FormatFromArgument(std::string_view text) {
    return OutputFormatFromDirectory(LowerCase(text));
}

std::string FormatWords() {
    std::string words;
    for (const auto& f : kOutputFormats) {
        if (!words.empty())
            words += ' ';
        words += f.directoryName;
    }
    return words;
}

} // namespace quillabe
