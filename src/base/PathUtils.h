#pragma once
// Path and small-file utilities. Paths use the native "/" separator.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillabe {

inline constexpr char kPathDelim = '/';

// The text with one separator appended unless it already ends with one ("" gives "/").
std::string AddBackslash(std::string_view text);
// The text without its last character when that is a separator.
std::string RemoveBackslash(std::string_view text);

std::string ExtractFileName(std::string_view path); // after the last separator
std::string ExtractFilePath(std::string_view path); // up to and including the last separator
// From the last dot of the name part, dot included; empty when the name has no dot.
std::string ExtractFileExt(std::string_view path);
// The path with its extension replaced (or appended when it has none).
std::string ChangeFileExt(std::string_view path, std::string_view ext);

bool FileExists(const std::string& path);      // a non-directory entry
bool DirectoryExists(const std::string& path); // a directory
bool PathExists(const std::string& path);      // any entry
// Creates the folder with any missing parents; true when it exists afterwards.
bool ForceDirectories(const std::string& path);

// Size in bytes of the entry at the path; -1 when there is none.
int64_t GetFileSize64(const std::string& path);
// Deletes the file when it exists and is empty; returns whether it was deleted.
bool DeleteIfEmpty(const std::string& path);
bool DeleteFile(const std::string& path);

// Names of the directory's entries matching "*<suffix>" (suffix compared ignoring case, like the
// platform's wildcard search), sorted by FileNameBefore. Profiles, presets and languages are listed
// through here, so "the first one" means the same file on every machine.
std::vector<std::string> ListDirectory(const std::string& dir, std::string_view suffix);

// The listing order of the file system the profile and preset folders come from: names compared
// byte by byte with the ASCII letters folded to upper case, nothing else folded. So blanks and
// punctuation sort by their codes ("A B" < "A.ini" < "A_B"), digits one by one ("10" < "9"), and
// bytes past ASCII after all of them. Names equal but for case follow plain byte order, which
// keeps the order total.
bool FileNameBefore(std::string_view a, std::string_view b);

// dir + name, or, when that does not exist, the entry of dir whose name equals name ignoring
// letter case (language names are stored in capitals by the Languages menu); dir + name if none.
std::string FindFileIgnoringCase(const std::string& dir, const std::string& name);

// Reads a whole file; false when it cannot be read.
bool ReadFileText(const std::string& path, std::string& text);
// Replaces a whole file atomically (temporary file ".<name>.XXXXXX" in the same folder, then
// rename), keeping an existing file's permissions and writing through a symbolic link to its
// target. The folder is never created. On failure the old file is untouched and errno tells why.
bool WriteFileAtomic(const std::string& path, std::string_view text);

// Removes from the folder what interrupted atomic writes left behind: regular files named
// "." + <name> + "." + six letters or digits, where <name> ends with `targetSuffix` (ignoring
// case), that are older than a minute or whose <name> exists in the folder. A file that a write
// is filling at this moment is left alone. Returns how many files were removed.
size_t RemoveAtomicWriteLeftovers(const std::string& dir, std::string_view targetSuffix);

} // namespace quillabe
