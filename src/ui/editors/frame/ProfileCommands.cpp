#include "ui/editors/frame/ProfileCommands.h"

#include "core/BusyCursor.h"
#include "core/MessageDialogs.h"
#include "core/OutputFormat.h"
#include "lang/Messages.h"
#include "profiles/SettingsRecord.h"
#include "ui/dialogs/DialogPlacement.h"
#include "ui/dialogs/TfrmName.h"
#include "ui/editors/frame/ProfileFormats.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QWidget>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace quillabe {

namespace {

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// Renames without ever replacing a file of the new name: a rename onto an existing profile must
// fail, not silently destroy that profile. Sets errno on failure.
bool renameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return false;
    // File systems without the flag: a hard link fails on an existing name as well.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return true;
    }
    if (errno == EEXIST || fileExists(to)) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}

// The folder part of a path, with its separator, and the extension with its dot.
std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}
std::string extensionOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return path.substr(dot);
}

int askYesNo(const std::string& text, const std::string& title) {
    return ShowMessageDialog(text, title, MsgDlgType::Confirmation, {Msg(MSG_YES), Msg(MSG_NO)},
                             Btn(MsgDlgBtn::Yes) | Btn(MsgDlgBtn::No));
}

} // namespace

ProfileCommands::ProfileCommands(std::unique_ptr<ProfileBoxAccess> boxes, QObject* parent)
    : QObject(parent), boxes_(std::move(boxes)) {}

ProfileCommands::~ProfileCommands() {
    delete popupMenu_.data();
}

void ProfileCommands::Bind(QAction* edit, QAction* add, QAction* rename, QAction* del,
                           QAction* more) {
    connect(edit, &QAction::triggered, this, &ProfileCommands::EditProfile);
    connect(add, &QAction::triggered, this, &ProfileCommands::AddProfile);
    connect(rename, &QAction::triggered, this, &ProfileCommands::RenameProfile);
    connect(del, &QAction::triggered, this, &ProfileCommands::DeleteProfile);
    connect(more, &QAction::triggered, this, &ProfileCommands::ShowProfileMenu);
    delete popupMenu_.data();
    popupMenu_ = new QMenu(boxes_->MainWindow());
    popupMenu_->setObjectName("PopupMenuProfile");
    popupMenu_->addAction(add);
    popupMenu_->addSeparator();
    popupMenu_->addAction(del);
    popupMenu_->addAction(rename);
}

void ProfileCommands::ShowProfileMenu() {
    if (popupMenu_)
        popupMenu_->popup(QCursor::pos());
}

const ProfileFormat* ProfileCommands::currentFormat() const {
    // MP4 and 3GP disable the commands; a stray call for them does nothing.
    return FindProfileFormat(boxes_->CurrentFormat());
}

std::unique_ptr<TProfileEditor> ProfileCommands::makeEditor(const ProfileFormat& format) const {
    QWidget* main = boxes_->MainWindow();
    std::unique_ptr<TProfileEditor> editor =
        editorMaker_ ? editorMaker_(format.format, main) : format.createEditor(format.format, main);
    if (!editor) {
        ShowMessageBox(FormatMsg(MSG_PROFILE_EDITOR_MISSING, {std::string(format.name)}),
                       FormatMsg(MSG_PROFILE_EDITOR, {std::string(format.name)}),
                       MB_OK | MB_ICONINFORMATION);
        return nullptr;
    }
    CenterOver(*editor, main);
    return editor;
}

bool ProfileCommands::saveRecord(const ProfileFormat& format, const std::string& path) const {
    try {
        format.record->save(path);
        return true;
    } catch (const IniWriteError& error) {
        const int code = errno;
        ShowMessageBox(
            FormatMsg(MSG_PROFILE_SAVE_FAILED, {error.Path(), std::string(std::strerror(code))}),
            Msg(MSG_Error), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
}

void ProfileCommands::EditProfile() {
    const ProfileFormat* format = currentFormat();
    if (!format)
        return;
    // AVI's editor is slow to build: the busy cursor covers the whole edit, up to the editor's
    // destruction, which is why it is declared before the editor.
    std::optional<BusyScope> busy;
    if (format->format == ofAVI)
        busy.emplace();
    std::unique_ptr<TProfileEditor> editor = makeEditor(*format);
    if (!editor)
        return;
    const std::string path = boxes_->CurrentProfilePath();
    // Not reset first: keys missing from the file keep the record's values.
    format->record->load(path);
    editor->SettingsToControls();
    if (editor->exec() != QDialog::Accepted)
        return;
    editor->ControlsToSettings();
    saveRecord(*format, path);
}

void ProfileCommands::AddProfile() {
    const ProfileFormat* format = currentFormat();
    if (!format)
        return;
    std::unique_ptr<TProfileEditor> editor = makeEditor(*format);
    if (!editor)
        return;
    format->record->defaults();
    editor->SettingsToControls();
    if (editor->exec() != QDialog::Accepted)
        return;
    const std::optional<std::string> name = AskProfileName(boxes_->MainWindow(), std::string());
    if (!name)
        return;
    const std::string path = format->Folder() + *name + "." + format->Extension();
    if (fileExists(path) &&
        askYesNo(FormatMsg(MSG_FILE_EXISTS, {path}), Msg(MSG_OVERWRITE)) == mrNo)
        return;
    editor->ControlsToSettings();
    if (!saveRecord(*format, path))
        return;
    boxes_->Refill(format->format, *name);
}

void ProfileCommands::RenameProfile() {
    const ProfileFormat* format = currentFormat();
    if (!format)
        return;
    const std::optional<std::string> name =
        AskProfileName(boxes_->MainWindow(), boxes_->CurrentName());
    if (!name)
        return;
    const std::string oldPath = boxes_->CurrentProfilePath();
    const std::string newPath = folderOf(oldPath) + *name + extensionOf(oldPath);
    // Keeping the name is no rename; only an existing old file makes it a success.
    const bool renamed =
        newPath == oldPath ? fileExists(oldPath) : renameNoReplace(oldPath, newPath);
    if (!renamed) {
        ShowMessageBox(Msg(MSG_RENAMEFAILD), Msg(MSG_RENAMEFAILD_TITLE),
                       MB_OK | MB_ICONINFORMATION);
        return;
    }
    boxes_->Refill(format->format, *name);
}

void ProfileCommands::DeleteProfile() {
    const ProfileFormat* format = currentFormat();
    if (!format)
        return;
    if (boxes_->Count() == 1) {
        ShowMessageBox(Msg(MSG_LAST_PROFILE), Msg(MSG_LAST_PROFILE_TITLE),
                       MB_OK | MB_ICONINFORMATION);
        return;
    }
    const std::string name = boxes_->CurrentName();
    if (askYesNo(FormatMsg(MSG_SURE_DELETE_PROFILE, {name}), Msg(MSG_SURE_DELETE_PROFILE_TITLE)) !=
        mrYes)
        return;
    // Without a selection the path names no profile (only the folder and the extension): refuse
    // rather than delete whatever file happens to carry that name.
    const std::string path = boxes_->CurrentProfilePath();
    if (name.empty() || ::unlink(path.c_str()) != 0) {
        const int code = name.empty() ? ENOENT : errno;
        ShowMessageBox(
            FormatMsg(MSG_PROFILE_DELETE_FAILED, {name, std::string(std::strerror(code))}),
            Msg(MSG_SURE_DELETE_PROFILE_TITLE), MB_OK | MB_ICONINFORMATION);
        return;
    }
    boxes_->Refill(format->format, std::nullopt);
}

} // namespace quillabe
