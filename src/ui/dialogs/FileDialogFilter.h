#pragma once
// Open and save dialog filters are kept in the form "Text Files (*.txt)|*.txt|All Files (*.*)|*.*"
// (description and patterns, alternating); the Qt file dialog wants "Text Files (*.txt);;All
// Files (*)".

#include <QString>

#include <string>

namespace quillabe {

// Each description keeps its words and takes its patterns from the pattern entry that follows
// it; "*.*" becomes "*", which on this system also matches names without a dot. A description
// without a pattern entry stands as it is.
QString FileDialogFilter(const std::string& pipeFilter);

} // namespace quillabe
