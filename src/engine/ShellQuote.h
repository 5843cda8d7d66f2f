#pragma once
// Quoting for /bin/sh scripts: values enter a script only as single-quoted assignments and are
// used through variable references, so nothing in a file name is ever interpreted by the shell.

#include <string>
#include <string_view>

namespace quillabe {

// The value in single quotes, each ' written as '\'' ("it's" -> 'it'\''s'). Exact for any bytes.
std::string ShellSingleQuote(std::string_view value);

// The quoting that applies at a place of a script.
enum class ShellContext {
    Unquoted,
    SingleQuoted,
    DoubleQuoted,
    Comment,
    Unknown, // after a construct the scanner does not follow (`...`, $(...), ${...},
             // here-documents)
};

// A reference to the variable that stands for exactly its value as one piece of a word (no
// splitting, no globbing) when inserted at a place of the given context. Unknown gets the plain
// ${name}, which is never executed but may be split.
std::string ShellReference(std::string_view name, ShellContext context);

// Follows the quoting of script text from left to right. A quote left open goes on into the next
// line, as it does for the shell; a comment or a construct it does not follow ends with the line.
class ShellScanner {
public:
    ShellContext Context() const { return context_; }
    // Consumes the character at text[i] (with the one a backslash escapes) and returns the index
    // of the next one.
    size_t Step(std::string_view text, size_t i);
    // The end of a line.
    void EndLine();

private:
    ShellContext context_ = ShellContext::Unquoted;
};

} // namespace quillabe
