#pragma once
// The DirectShow script that the program writes from its templates names the real source as
// DirectShowSource("<path>"). The path is put in textually and may hold quotes, parentheses and
// line breaks, so it is read back as everything between the first opening of the call and the
// last closing quote and parenthesis of the file; the templates keep the call last.

#include <string>

namespace quillabe::divuvo {

struct AvsSource {
    std::string path;
    std::string error; // an error line; empty when the path was found
};

// True for the file names the program gives its scripts: the extension ".avs", letter case exact.
bool IsAvsScript(const std::string& path);
AvsSource SourceFromScriptText(const std::string& text);
AvsSource ReadAvsSource(const std::string& scriptPath);

} // namespace quillabe::divuvo
