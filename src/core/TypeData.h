#pragma once
// The input-type tables of the current language: which files may be added, which go through the
// frame-server script.

#include "core/StringList.h"

#include <string>
#include <string_view>

namespace quillabe {

// Program directory + LangDir + "/type_" + LanguageFile with the extension ".dat".
std::string TypeDataFileName();
// Fills GlobalVars.AvsExtensions and GlobalVars.InputFileTypes from the type data file.
void LoadTypeData();
// "name|patterns|" for each line, then allFilesText + "|*.*". Values looked up by name.
std::string BuildOpenFilter(const StringList& inputFileTypes, std::string_view allFilesText);
// True when the lower-cased extension occurs in the lower-cased value of some line.
bool IsKnownInputType(std::string_view extension);

} // namespace quillabe
