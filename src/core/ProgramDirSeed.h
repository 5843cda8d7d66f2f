#pragma once
// Filling a per-user program directory from the shipped data, on the first start and after each
// upgrade, without ever overwriting what belongs to the user.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillabe {

// The list, in the per-user folder, of the user-owned shipped files already offered: one relative
// path a line. A file listed there is never copied again, so a profile the user deleted stays
// deleted.
inline constexpr const char* kSeedManifestName = ".seeded";

// Profiles and presets (everything below a profile_* folder) belong to the user once copied; the
// frame-server template beside them, the skin, the languages, the help and cores/ belong to the
// program. `relative` uses "/".
bool IsUserOwnedDataFile(std::string_view relative);

struct SeedResult {
    bool ok = true;                  // false: the folder cannot be used at all
    std::vector<std::string> errors; // one sentence each
    size_t copied = 0;               // files that were not there before
    size_t refreshed = 0;            // program files replaced by a newer shipped version
};

// Seeds programDir from shippedDir (both with a trailing "/"). Only the shipped folders are taken,
// not loose files beside them (a portable copy's own settings or batch files). A user-owned file
// is copied when it is neither listed in the manifest nor present; a program-owned file when it is
// missing or its size or modification time differs from the shipped one (copies keep the time).
// A program file the user replaced by a symbolic link is left alone. Every copy is written under a
// temporary name and renamed, so no half-written file ever stands under a real name. A file that
// cannot be copied is reported and the rest goes on; ok is false only when programDir cannot be
// created or written.
SeedResult SeedProgramDir(const std::string& shippedDir, const std::string& programDir);

} // namespace quillabe
