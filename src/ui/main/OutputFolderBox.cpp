#include "ui/main/OutputFolderBox.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "core/GlobalVars.h"
#include "core/MessageDialogs.h"
#include "core/ShellFolders.h"
#include "core/SystemSettings.h"
#include "lang/Messages.h"
#include "ui/main/FileDialogs.h"

#include <QLineEdit>

namespace quillabe {

OutputFolderBox::OutputFolderBox(QWidget* parent) : QObject(parent) {
    setObjectName("OutputFolderBox");
    edit_ = new QLineEdit(parent);
    edit_->setObjectName("editOutputFileName");
}

std::string OutputFolderBox::Text() const {
    return edit_->text().toStdString();
}

void OutputFolderBox::SetText(const std::string& folder) {
    edit_->setText(QString::fromStdString(folder));
    edit_->setCursorPosition(0);
}

void OutputFolderBox::FillAtStartup() {
    SetText(GlobalVars.LastOutputOpenDir);
    std::string folder = GetShellFolder("My Video");
    if (folder.empty())
        folder = GetShellFolder("Personal");
    SetText(folder);
}

void OutputFolderBox::Browse() {
    const auto chosen = ChooseFolder(edit_->window(), Msg(MSG_SELECT_FOLDER), Text());
    if (chosen) {
        GlobalVars.LastOutputOpenDir = *chosen;
        SetText(*chosen);
    }
    WriteInfoString("System", "LastOutputOpenDir", GlobalVars.LastOutputOpenDir);
}

bool OutputFolderBox::CheckOutputFolder() const {
    const std::string folder = Text();
    if (TrimView(folder).empty()) {
        ShowMessageBox(Msg(MSG_EMPTY_DIR), Msg(MSG_EMPTY), MB_ICONQUESTION);
        return false;
    }
    if (DirectoryExists(folder))
        return true;
    if (ShowMessageBox(Msg(MSG_SURE_TO_CREATEDIR), Msg(MSG_CREATEDIR),
                       MB_ICONQUESTION | MB_YESNOCANCEL) != mrYes)
        return false;
    if (!ForceDirectories(folder)) {
        ShowMessageBox(Msg(MSG_FAIL_TO_CREATEDIR), Msg(MSG_FAIL_CREATEDIR), MB_ICONQUESTION);
        return false;
    }
    return true;
}

} // namespace quillabe
