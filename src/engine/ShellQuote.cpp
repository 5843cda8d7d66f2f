#include "engine/ShellQuote.h"

namespace quillabe {

std::string ShellSingleQuote(std::string_view value) {
    std::string out;
    out.reserve(value.size() + 2);
    out += '\'';
    for (char c : value) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    out += '\'';
    return out;
}

std::string ShellReference(std::string_view name, ShellContext context) {
    std::string ref = "${" + std::string(name) + "}";
    switch (context) {
    case ShellContext::Unquoted:
        return "\"" + ref + "\"";
    case ShellContext::SingleQuoted:
        // Close the single quotes, expand in double quotes, open them again.
        return "'\"" + ref + "\"'";
    case ShellContext::DoubleQuoted:
    case ShellContext::Comment:
    case ShellContext::Unknown:
        break;
    }
    return ref;
}

namespace {
// `...`, $(...), $((...)), ${...} and (unquoted) $'...' have quoting rules of their own.
bool startsOwnQuoting(std::string_view text, size_t i, bool unquoted) {
    if (text[i] == '`')
        return true;
    if (text[i] != '$' || i + 1 >= text.size())
        return false;
    char next = text[i + 1];
    return next == '(' || next == '{' || (unquoted && next == '\'');
}
bool separatesWords(char c) {
    return c == ' ' || c == '\t' || c == ';' || c == '&' || c == '|' || c == '(' || c == ')';
}
} // namespace

size_t ShellScanner::Step(std::string_view text, size_t i) {
    char c = text[i];
    switch (context_) {
    case ShellContext::Unknown:
    case ShellContext::Comment:
        return i + 1;
    case ShellContext::SingleQuoted:
        if (c == '\'')
            context_ = ShellContext::Unquoted;
        return i + 1;
    case ShellContext::DoubleQuoted:
        if (c == '\\')
            return i + 2 <= text.size() ? i + 2 : i + 1;
        if (c == '"')
            context_ = ShellContext::Unquoted;
        else if (startsOwnQuoting(text, i, false))
            context_ = ShellContext::Unknown;
        return i + 1;
    case ShellContext::Unquoted:
        if (c == '\\')
            return i + 2 <= text.size() ? i + 2 : i + 1;
        if (c == '\'')
            context_ = ShellContext::SingleQuoted;
        else if (c == '"')
            context_ = ShellContext::DoubleQuoted;
        else if (startsOwnQuoting(text, i, true) ||
                 (c == '<' && i + 1 < text.size() && text[i + 1] == '<'))
            context_ = ShellContext::Unknown;
        else if (c == '#' && (i == 0 || separatesWords(text[i - 1])))
            context_ = ShellContext::Comment;
        return i + 1;
    }
    return i + 1;
}

void ShellScanner::EndLine() {
    // Each command template is one line: what the scanner could not follow ends with it.
    if (context_ == ShellContext::Comment || context_ == ShellContext::Unknown)
        context_ = ShellContext::Unquoted;
}

} // namespace quillabe
