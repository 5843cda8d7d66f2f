#include "app/CommandLineModes.h"
#include "app/ProgramState.h"
#include "cli/ConsoleFrontEnd.h"

#include <QCoreApplication>

#include <cstdio>

namespace quillabe {

int RunConvert(const Args& args) {
    std::string error;
    auto options = ParseConvertArgs(args, error);
    if (!options) {
        std::fprintf(stderr, "quillabe --convert: %s (see --help)\n", error.c_str());
        return 2;
    }
    int argc = 1;
    char name[] = "quillabe";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    StateResult state = StartProgramState();
    if (!state.ok || !state.typeDataLoaded) {
        std::fprintf(stderr, "quillabe: %s\n", state.error.c_str());
        return 1;
    }
    return RunConsoleConvert(*options);
}

} // namespace quillabe
