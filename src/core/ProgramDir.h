#pragma once
// The program directory: everything the program reads and writes lives below it. Separately, the
// program files directory: where the encoder adapter lies beside the executable.

#include <string>

namespace quillabe {

// What the choice of the program directory depends on, gathered from the machine by
// ProgramDirFactsOfThisProcess() and given by hand in tests.
struct ProgramDirFacts {
    std::string quillabeHome; // QUILLABE_HOME; empty when unset
    std::string exeDir;       // the running executable's folder, with a trailing "/"
    bool exeDirHasData = false;
    bool exeDirWritable = false;
    bool sharedDataExists = false; // SharedDataDirOf(exeDir) holds the shipped data
    std::string xdgDataHome;       // XDG_DATA_HOME; empty when unset
    std::string home;              // the user's home folder; empty when unknown
};

enum class ProgramDirMode {
    Home,      // the folder QUILLABE_HOME names
    ExeFolder, // program and data in one writable folder (the build folder, a portable copy)
    PerUser,   // installed: data seeded into the user's own folder, the program files apart
};

struct ProgramDirChoice {
    ProgramDirMode mode = ProgramDirMode::ExeFolder;
    std::string programDir;      // with a trailing "/"
    std::string programFilesDir; // the encoder adapter's folder, with a trailing "/"
    std::string shippedDataDir;  // PerUser: the folder seeded from, with a trailing "/"
    std::string error; // PerUser without a usable home folder: why; then nothing else is set
};

// The file whose presence marks a folder holding the shipped data.
inline constexpr const char* kShippedDataMarker = "skin/ozu/skin/skin.ini";

// Where an installed program's data lies: <exeDir>/../../share/quillabe/.
std::string SharedDataDirOf(const std::string& exeDir);

// QUILLABE_HOME when set; else the executable's folder when it holds the data and is writable;
// else the user's $XDG_DATA_HOME/quillabe/ (by the XDG rules: $HOME/.local/share when the
// variable is unset, empty or relative), seeded from the executable's folder when that holds the
// data, else from SharedDataDirOf(exeDir). With no shipped data found anywhere, the executable's
// folder as before: the program then reports the missing files itself.
ProgramDirChoice ChooseProgramDir(const ProgramDirFacts& facts);

ProgramDirFacts ProgramDirFactsOfThisProcess();

// Makes the choice the program's for the rest of its run. The program's start calls it once
// with the choice for this process (and seeds a per-user folder) before anything reads a file.
void UseProgramDir(const ProgramDirChoice& choice);

// The chosen folder, with a trailing "/". In a process that never called UseProgramDir (tests,
// benchmarks) the first call chooses from this process's facts, without seeding anything.
const std::string& ProgramDir();
// The folder of the encoder adapter: ProgramDir() except in the per-user mode, where it is the
// executable's folder.
const std::string& ProgramFilesDir();
// Chooses again from this process's facts now (tests that change QUILLABE_HOME).
void ResetProgramDir();

// ProgramDir() + relative name.
std::string InProgramDir(const std::string& relative);

} // namespace quillabe
