#include "core/ProgramDir.h"

#include "base/PathUtils.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace quillabe {

namespace {

struct Chosen {
    bool set = false;
    // Plain strings, never reset: references handed out stay valid when a test chooses again.
    std::string programDir;
    std::string programFilesDir;
};

Chosen& chosen() {
    static Chosen c;
    return c;
}

// Without a start that reports a failed choice, the executable's folder as it always was.
void chooseForThisProcess() {
    const ProgramDirFacts facts = ProgramDirFactsOfThisProcess();
    ProgramDirChoice choice = ChooseProgramDir(facts);
    if (!choice.error.empty())
        choice.programDir = choice.programFilesDir = AddBackslash(facts.exeDir);
    UseProgramDir(choice);
}

void chooseIfNeeded() {
    if (!chosen().set)
        chooseForThisProcess();
}

bool isAbsolute(const std::string& path) {
    return !path.empty() && path.front() == '/';
}

std::string envOrEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string exeFolder() {
    std::string exe(4096, '\0');
    ssize_t n = readlink("/proc/self/exe", exe.data(), exe.size() - 1);
    if (n <= 0)
        return "./";
    exe.resize(static_cast<size_t>(n));
    return ExtractFilePath(exe);
}

} // namespace

std::string SharedDataDirOf(const std::string& exeDir) {
    std::filesystem::path shared = std::filesystem::path(exeDir) / "../../share/quillabe";
    return AddBackslash(shared.lexically_normal().string());
}

ProgramDirChoice ChooseProgramDir(const ProgramDirFacts& facts) {
    ProgramDirChoice c;
    if (!facts.quillabeHome.empty()) {
        c.mode = ProgramDirMode::Home;
        c.programDir = c.programFilesDir = AddBackslash(facts.quillabeHome);
        return c;
    }
    const std::string exeDir = AddBackslash(facts.exeDir);
    const bool exeFolderOnly = !facts.exeDirHasData && !facts.sharedDataExists;
    if ((facts.exeDirHasData && facts.exeDirWritable) || exeFolderOnly) {
        c.mode = ProgramDirMode::ExeFolder;
        c.programDir = c.programFilesDir = exeDir;
        return c;
    }
    c.mode = ProgramDirMode::PerUser;
    std::string dataHome;
    if (isAbsolute(facts.xdgDataHome))
        dataHome = AddBackslash(facts.xdgDataHome);
    else if (isAbsolute(facts.home))
        dataHome = AddBackslash(facts.home) + ".local/share/";
    else {
        c.error = "Cannot find the home folder (HOME is not set to an absolute path), so the "
                  "program has no folder for its settings and profiles.";
        return c;
    }
    c.programDir = dataHome + "quillabe/";
    c.programFilesDir = exeDir;
    c.shippedDataDir = facts.exeDirHasData ? exeDir : SharedDataDirOf(exeDir);
    return c;
}

ProgramDirFacts ProgramDirFactsOfThisProcess() {
    ProgramDirFacts f;
    f.quillabeHome = envOrEmpty("QUILLABE_HOME");
    f.exeDir = exeFolder();
    f.exeDirHasData = FileExists(f.exeDir + kShippedDataMarker);
    // access() also says no on a read-only mount; root passes it everywhere else.
    f.exeDirWritable = access(f.exeDir.c_str(), W_OK) == 0;
    f.sharedDataExists = FileExists(SharedDataDirOf(f.exeDir) + kShippedDataMarker);
    f.xdgDataHome = envOrEmpty("XDG_DATA_HOME");
    f.home = envOrEmpty("HOME");
    if (f.home.empty()) {
        // Started without HOME (a service, env -i): the account's own entry still knows it.
        if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
            f.home = pw->pw_dir;
    }
    return f;
}

void UseProgramDir(const ProgramDirChoice& choice) {
    Chosen& c = chosen();
    c.programDir = choice.programDir;
    c.programFilesDir = choice.programFilesDir;
    c.set = true;
}

const std::string& ProgramDir() {
    chooseIfNeeded();
    return chosen().programDir;
}

const std::string& ProgramFilesDir() {
    chooseIfNeeded();
    return chosen().programFilesDir;
}

void ResetProgramDir() {
    chooseForThisProcess();
}

std::string InProgramDir(const std::string& relative) {
    return ProgramDir() + relative;
}

} // namespace quillabe
