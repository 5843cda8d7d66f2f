// The main window's commands: one table of actions (name, text, shortcut, handler). Buttons and
// menu items only point at these actions. A command without a handler here belongs to a window
// that is not part of the program yet and stays disabled, except the profile commands, which
// ProfileCommands binds.

#include "ui/main/TfrmMain.h"

#include "base/PathUtils.h"
#include "core/ProgramDir.h"
#include "core/StartupConstants.h"
#include "engine/Redirector.h"
#include "lang/Messages.h"
#include "ui/dialogs/TfrmAbout.h"
#include "ui/dialogs/TfrmFileInfo.h"
#include "ui/dialogs/TfrmSettings.h"
#include "ui/main/BatchLauncher.h"
#include "ui/main/FileListPanel.h"
#include "ui/main/FileListView.h"
#include "ui/main/HtmlHelp.h"
#include "ui/main/OutputFolderBox.h"
#include "ui/main/ShellOpen.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>

#include <filesystem>
#include <optional>

namespace quillabe {

struct TfrmMain::ActionRow {
    const char* name;
    std::optional<MsgId> text; // none: a command shown only by its button's picture
    const char* prefix; // before the text: line breaks put a toolbar caption below its picture
    const char* shortcut;
    Qt::ShortcutContext context;
    void (TfrmMain::*handler)();
};

namespace {
constexpr const char* kBelowPicture = "\r\r\r\r";
// The disc-authoring companion, beside the program; Burn DVD only starts it.
constexpr const char* kDvdCompanion = "quillabe-dvd";
constexpr auto kWindow = Qt::WindowShortcut;
} // namespace

const TfrmMain::ActionRow TfrmMain::kActionRows[] = {
    // The file list.
    {"ActionInputBrowse", MSG_BROWSE, "", "Ctrl+N", kWindow, &TfrmMain::InputBrowseExecute},
    {"ActionAdd", MSG_ADD_FILES, "", "", kWindow, &TfrmMain::InputBrowseExecute},
    // Delete belongs to the list: in the output folder box it deletes text.
    {"ActionDel", MSG_DEL_FILES, "", "Del", Qt::WidgetShortcut, &TfrmMain::DelExecute},
    {"ActionClearList", MSG_CLEARLIST, "", "Shift+Del", kWindow, &TfrmMain::ClearListExecute},
    {"ActionSelectAll", MSG_SEL_ALL, "", "Ctrl+A", kWindow, &TfrmMain::SelectAllExecute},
    {"ActionMoveUp", std::nullopt, "", "Ctrl+U", kWindow, &TfrmMain::MoveUpExecute},
    {"ActionMoveDown", std::nullopt, "", "Ctrl+D", kWindow, &TfrmMain::MoveDownExecute},
    {"ActionPlaySource", MSG_PLAY_SOURCE, "", "Ctrl+P", kWindow, &TfrmMain::PlaySourceExecute},
    {"ActionOpenDestinationFolder", MSG_OPEN_DES_FOLDER, "", "", kWindow,
     &TfrmMain::OpenDestinationFolderExecute},
    {"ActionOutputBrowse", MSG_BROWSE, "", "Ctrl+O", kWindow, &TfrmMain::OutputBrowseExecute},
    // The File Information window opens from "More Information...".
    {"ActionFileInformation", MSG_MOREINFO, "", "", kWindow, &TfrmMain::FileInformationExecute},
    // Converting, and the profiles (bound by ProfileCommands).
    {"ActionConvert", MSG_CONVERT, "", "", kWindow, &TfrmMain::ConvertExecute},
    {"ActionEditProfile", MSG_EDIT_PROFILE, "   ", "Ctrl+E", kWindow, nullptr},
    {"ActionProfileMore", std::nullopt, "", "", kWindow, nullptr},
    {"ActionAddNewProfile", MSG_ADD_PROFILE, "", "Alt+N", kWindow, nullptr},
    {"ActionDeleteProfile", MSG_DEL_PROFILE, "", "Alt+Del", kWindow, nullptr},
    {"ActionRenameProfile", MSG_REN_PROFILE, "", "F2", kWindow, nullptr},
    // The window and the program.
    {"ActionMin", std::nullopt, "", "", kWindow, &TfrmMain::MinExecute},
    {"ActionClose", std::nullopt, "", "Alt+F4", kWindow, &TfrmMain::CloseExecute},
    {"ActionExit", MSG_EXIT, kBelowPicture, "", kWindow, &TfrmMain::ExitExecute},
    {"ActionBurnDVD", MSG_BURNDVD, kBelowPicture, "", kWindow, &TfrmMain::BurnDVDExecute},
    // Help.
    {"ActionHelp", std::nullopt, "", "", kWindow, &TfrmMain::HelpExecute},
    {"ActionHelpContent", MSG_HELP_CONTENT, "", "F1", kWindow, &TfrmMain::HelpContentExecute},
    {"ActionQuickStart", MSG_QUICK_START, "", "", kWindow, &TfrmMain::QuickStartExecute},
    {"ActionSettings", MSG_SETTINGS, "", "F12", kWindow, &TfrmMain::SettingsExecute},
    {"ActionOnlineResources", MSG_ONLINE_RES, "", "", kWindow, &TfrmMain::OnlineResourcesExecute},
    {"ActionContactTechnicalSupport", MSG_TECH_SUPPORT, "", "", kWindow,
     &TfrmMain::ContactTechnicalSupportExecute},
    {"ActionAbout", MSG_ABOUT, "", "", kWindow, &TfrmMain::AboutExecute},
};

void TfrmMain::CreateActions() {
    for (const ActionRow& row : kActionRows) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(row.name));
        if (*row.shortcut) {
            action->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut)));
            action->setShortcutContext(row.context);
        }
        if (row.handler)
            connect(action, &QAction::triggered, this, row.handler);
        else
            action->setEnabled(false);
        // A widget shortcut works while that widget has the focus: the list's own keys.
        if (row.context == Qt::WidgetShortcut)
            files_->View()->addAction(action);
        else
            addAction(action);
        actions_.insert(action->objectName(), action);
    }
    SetActionTexts({});
}

void TfrmMain::SetActionTexts(std::initializer_list<const char*> names) {
    for (const ActionRow& row : kActionRows) {
        const bool wanted =
            names.size() == 0 || std::find_if(names.begin(), names.end(), [&](const char* n) {
                                     return std::string_view(n) == row.name;
                                 }) != names.end();
        if (!wanted || !row.text)
            continue;
        Action(QString::fromLatin1(row.name))
            ->setText(QString::fromStdString(row.prefix + Msg(*row.text)));
    }
}

void TfrmMain::InputBrowseExecute() {
    files_->BrowseInputFiles(false);
}

void TfrmMain::DelExecute() {
    files_->DeleteSelected();
}

void TfrmMain::ClearListExecute() {
    files_->ClearFileList();
}

void TfrmMain::SelectAllExecute() {
    files_->SelectAll();
}

void TfrmMain::MoveUpExecute() {
    files_->MoveSelected(true);
}

void TfrmMain::MoveDownExecute() {
    files_->MoveSelected(false);
}

void TfrmMain::PlaySourceExecute() {
    files_->PlaySource();
}

void TfrmMain::OpenDestinationFolderExecute() {
    if (output_->CheckOutputFolder())
        ShellOpen(output_->Text());
}

void TfrmMain::OutputBrowseExecute() {
    output_->Browse();
}

void TfrmMain::MinExecute() {
    showMinimized();
}

void TfrmMain::CloseExecute() {
    close();
}

void TfrmMain::ExitExecute() {
    // Ends the program at once: the settings are not saved.
    exiting_ = true;
    files_->StopAdding();
    endProgram_(0);
}

void TfrmMain::HelpExecute() {
    menuHelp_->popup(QCursor::pos());
}

void TfrmMain::FileInformationExecute() {
    const std::string path = files_->SelectedPath();
    if (!path.empty())
        ShowFileInformation(path, this);
}

void TfrmMain::ConvertExecute() {
    if (!launcher_) {
        launcher_ =
            std::make_unique<BatchLauncher>(this, *files_, *output_, *formats_, *Redirector);
        // The tray's menu stops a running batch through its progress window.
        launcher_->Tray().SetBatchWindow([this]() -> TfrmProgress* {
            WindowBatchObserver& batch = launcher_->Observer();
            return batch.BatchRunning() ? &batch.Window() : nullptr;
        });
    }
    launcher_->Convert();
}

void TfrmMain::SettingsExecute() {
    RunSettingsDialog(this);
}

void TfrmMain::OnlineResourcesExecute() {
    ShellOpen(HomePageAddress);
}

void TfrmMain::ContactTechnicalSupportExecute() {
    ShellOpen(SupportMailAddress);
}

void TfrmMain::HelpContentExecute() {
    ShowHtmlHelp(HelpTopicContents);
}

void TfrmMain::QuickStartExecute() {
    ShowHtmlHelp(HelpTopicQuickStart);
}

void TfrmMain::AboutExecute() {
    RunAboutDialog(this, layout_.SplashLeftImage,
                   [](const std::string& target) { ShellOpen(target); });
}

void TfrmMain::BurnDVDExecute() {
    // A program file, beside the executable; ShellOpen takes only a path from the root.
    std::error_code error;
    const std::filesystem::path companion =
        std::filesystem::absolute(ProgramFilesDir() + kDvdCompanion, error);
    ShellOpen(error ? ProgramFilesDir() + kDvdCompanion : companion.lexically_normal().string());
}

} // namespace quillabe
