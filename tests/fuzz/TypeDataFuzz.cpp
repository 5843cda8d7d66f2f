// The input-type table of a language. Any file is read as the table: every extension a pattern
// line lists is then a known input type, and the open-dialog filter names every line.

#include "base/TextUtils.h"
#include "core/GlobalVars.h"
#include "core/ProgramDir.h"
#include "core/StartupConstants.h"
#include "core/TypeData.h"
#include "fuzz/FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

using namespace quillabe;
using quillabe::fuzz::Printable;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The table lives below the program directory; the scratch folder stands in for it.
    setenv("QUILLABE_HOME", fuzz::ScratchDir().c_str(), 1);
    ResetProgramDir();
    SetStartupConstants();
    GlobalVars.LanguageFile = "english.ini";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string probe = in.ConsumeRandomLengthString(16);
    fuzz::WriteScratchFile(LangDir + "/type_english.dat", in.ConsumeRemainingBytesAsString());
    LoadTypeData();

    const std::string filter = BuildOpenFilter(GlobalVars.InputFileTypes, "All Files");
    FUZZ_CHECK(EndsWith(filter, "All Files|*.*"), "filter " + Printable(filter));
    const StringList& types = GlobalVars.InputFileTypes;
    for (size_t i = 0; i < types.Count(); ++i) {
        FUZZ_CHECK(Contains(filter, types.Name(i) + "|"),
                   "filter " + Printable(filter) + " lacks " + Printable(types.Name(i)));
        // Any piece of a pattern line, in either letter case, is a known type.
        const std::string value = types.ValueFromIndex(i);
        if (value.empty())
            continue;
        const size_t from = probe.size() % value.size();
        const std::string piece = value.substr(from, 1 + probe.size() % 5);
        FUZZ_CHECK(IsKnownInputType(UpperCase(piece)),
                   Printable(piece) + " of " + Printable(value) + " is not known");
    }
    (void)IsKnownInputType(probe);
    return 0;
}
