#pragma once
// Profile folders: one per format below the program directory, named after the language.

#include <string>
#include <string_view>

namespace quillabe {

// "profile_en" for english.ini and so on; any other language leaves "profile".
std::string ProfileBaseNameFor(std::string_view languageFile);
// The first two characters of the directory name followed by "o".
std::string GetProfileExt(std::string_view directoryName);
// Chooses ProfileBaseName and computes ProfileRootDir, ProfileDirs and PresetDir.
void NameProfileDirs();
// Names the folders (NameProfileDirs) and creates the sixteen format folders in slot order,
// stopping at the first that cannot be created.
bool CreateProfileDirs();
// Removes what interrupted writes left behind: temporary files of the settings file in the
// program directory and of profiles in the profile folders (see RemoveAtomicWriteLeftovers).
// Runs after CreateProfileDirs, which names the folders.
void RemoveInterruptedWrites();

} // namespace quillabe
