#pragma once
// The profile names of a format as its profile box lists them, and the file behind a name.

#include <optional>
#include <string>
#include <vector>

namespace quillabe {

// Names of the files "*.<ext>" in the format's profile folder in ListDirectory's order (by name,
// letter case ignored), each without its extension. The extension must match exactly: on this file
// system "A.AVO" is a different file from the "A.avo" that the name would lead back to.
std::vector<std::string> ListProfileNames(int format);

// The entry to select after filling a list: the one equal to the name (letter case significant,
// -1 when none is), the first when no name is given, -1 for an empty list.
int SelectProfileIndex(const std::vector<std::string>& names,
                       const std::optional<std::string>& nameToSelect);

// The format's profile folder + name + "." + extension.
std::string ProfilePath(int format, const std::string& name);

} // namespace quillabe
