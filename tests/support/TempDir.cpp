#include "support/TempDir.h"

#include "base/PathUtils.h"
#include "core/ProgramDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace quillabe::test {

TempDir::TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "quillabe-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = tmpl + "/";
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string TempDir::Write(const std::string& name, const std::string& content) const {
    std::string full = path_ + name;
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    std::ofstream(full, std::ios::binary) << content;
    return full;
}

std::string TempDir::Read(const std::string& name) const {
    std::ifstream in(path_ + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

ProgramHome::ProgramHome() {
    setenv("QUILLABE_HOME", dir_.Path().c_str(), 1);
    ResetProgramDir();
}

ProgramHome::~ProgramHome() {
    unsetenv("QUILLABE_HOME");
    ResetProgramDir();
}

} // namespace quillabe::test
