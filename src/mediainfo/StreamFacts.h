#pragma once
// What a finished output holds, read back through the media-information library before its
// source may be deleted.

#include <cstdint>
#include <optional>
#include <string>

namespace quillabe {

struct StreamFacts {
    int videoStreams = 0;
    int audioStreams = 0;
    std::optional<int64_t> durationMs; // none when the library reports no duration
};

// nullopt when the library cannot open the file or does not recognise it as media.
std::optional<StreamFacts> ReadStreamFacts(const std::string& path);

} // namespace quillabe
