#pragma once
// The desktop shell as the main window uses it: opening files, folders and addresses with their
// associated programs, and file names carried in URLs. File names are bytes on this system; a
// name that is not valid UTF-8 must survive the trip through a URL unchanged.

#include <QUrl>

#include <functional>
#include <string>

namespace quillabe {

// A file URL whose path holds exactly the bytes of the name (percent-encoded where needed).
QUrl UrlFromLocalBytes(const std::string& path);
// The bytes of a local file URL's path; empty for a URL that names no local file.
std::string LocalBytesFromUrl(const QUrl& url);

// Opens a file, folder or address with the desktop's default program (QDesktopServices). A text
// that is empty once trimmed does nothing; failures are not reported, and the call does not wait
// for the started program. The busy cursor shows meanwhile.
void ShellOpen(const std::string& target);

// Replaces how URLs are opened (tests record them instead of starting programs); an empty
// function restores the desktop's.
void SetShellOpenHandler(std::function<void(const QUrl&)> handler);

} // namespace quillabe
