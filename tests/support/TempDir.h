#pragma once
// A temporary folder for one test, removed with everything in it afterwards; optionally also the
// program directory (QUILLABE_HOME) for the duration of the test.

#include <string>

namespace quillabe::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; } // with trailing "/"
    std::string File(const std::string& name) const { return path_ + name; }
    // Writes a file below the folder (creating its parent folders) and returns its full path.
    std::string Write(const std::string& name, const std::string& content) const;
    std::string Read(const std::string& name) const;

private:
    std::string path_;
};

// Makes the folder the program directory until destroyed.
class ProgramHome {
public:
    ProgramHome();
    ~ProgramHome();
    const TempDir& Dir() const { return dir_; }
    const std::string& Path() const { return dir_.Path(); }

private:
    TempDir dir_;
};

} // namespace quillabe::test
