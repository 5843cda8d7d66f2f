#pragma once
// The file open dialog and the folder picker of the main window, as two calls that tests can
// answer in place of a person.

#include <QStringList>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace quillabe {

// "name|patterns|name|patterns|..." (patterns separated by ";", "*.*" for everything) as Qt's
// name filters "name (patterns)".
QStringList QtNameFilters(std::string_view openFilter);

// Several existing files chosen in the open dialog, starting in `startDir`; nullopt on Cancel.
std::optional<std::vector<std::string>>
ChooseInputFiles(QWidget* owner, const std::string& startDir, const QStringList& nameFilters);
// A folder chosen in the folder picker (folders only), starting at `start`; nullopt on Cancel.
std::optional<std::string> ChooseFolder(QWidget* owner, const std::string& title,
                                        const std::string& start);

// Answers the two dialogs without showing them; empty functions restore the real dialogs.
struct FileDialogHooks {
    std::function<std::optional<std::vector<std::string>>(const std::string& startDir,
                                                          const QStringList& nameFilters)>
        inputFiles{};
    std::function<std::optional<std::string>(const std::string& title, const std::string& start)>
        folder{};
};
void SetFileDialogHooks(FileDialogHooks hooks);

} // namespace quillabe
