#pragma once
// What the fuzz targets share: a scratch folder for the files the readers open, and a check that
// ends the run with a readable message (libFuzzer then keeps the input that broke it).

#include <string>
#include <string_view>

namespace quillabe::fuzz {

// A folder of this process below $TMPDIR (or /tmp), removed at exit; with a trailing "/".
const std::string& ScratchDir();
// Writes the bytes to ScratchDir() + name, creating its parent folders; returns the full path.
std::string WriteScratchFile(const std::string& name, std::string_view bytes);

// The bytes with control characters, quotes, backslashes and non-ASCII bytes C-escaped, so a
// message shows exactly what differed.
std::string Printable(std::string_view bytes);

[[noreturn]] void Fail(const char* file, int line, const char* condition,
                       const std::string& detail);

} // namespace quillabe::fuzz

// The detail is built only when the check fails.
#define FUZZ_CHECK(condition, detail)                                                              \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::quillabe::fuzz::Fail(__FILE__, __LINE__, #condition, (detail));                      \
    } while (0)
