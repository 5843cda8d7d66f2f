#pragma once
// The two files a job may need besides the encoder's command line, made from templates in the
// program directory: "DirectShow.avs" (a script the encoder reads in place of its input) and
// "~ConvertCore.bat" (the preset variant's commands, run by /bin/sh). Both live only while a job
// runs. When several jobs run at once each job slot has files of its own: slot 1 keeps the plain
// names, slot n > 1 adds "-n" before the extension ("DirectShow-2.avs", "~ConvertCore-2.bat").

#include "core/GlobalVars.h"
#include "profiles/PresetCatalogue.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace quillabe {

// A template or preset that cannot be read, or a generated file that cannot be written; what()
// names the file and the system's reason.
class TemplateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string DirectShowScriptPath(int slot = 1); // <program dir>/DirectShow.avs
std::string ConvertCoreBatchPath(int slot = 1); // <program dir>/~ConvertCore.bat

// Whether the input goes to the encoder through the script: UseDirectShow is set, or its
// extension (dot included, letter case significant) is listed in AvsExtensions.
bool InputUsesDirectShow(const std::string& inputFile);

// "DirectShow.avs" from profile_en/DirectShow.avs (direct jobs) or cores/DirectShow.avs (batch
// core jobs), with every "<%InputFile%>" (any letter case) replaced by the input path as it is:
// the script is data for the encoder, not shell text.
void WriteDirectShowScript(const std::string& inputFile, int slot = 1);
void WriteCoreDirectShowScript(const std::string& inputFile, int slot = 1);

// "~ConvertCore.bat" for a job from the variant's command templates and the job's template
// values; writes the core script first when the input goes through it.
void WriteConvertCoreBatch(const TProfileDetailItem& item, const TTemplateValues& templates,
                           const std::string& inputFile, int slot = 1);

// The text of the batch file: a /bin/sh script that assigns every placeholder value in single
// quotes and uses it through a variable reference quoted for its place in the command, so that
// any file name reaches the commands intact and is never executed. `inputSlot` is the value of
// "<%InputFile%>"; the other values come from `templates`.
std::string ConvertCoreScript(const std::vector<std::string>& commands,
                              const TTemplateValues& templates, const std::string& inputSlot);

// Deletes both generated files of the slot; a missing file is no error.
void DeleteTempFiles(int slot = 1);

} // namespace quillabe
