#pragma once
// The main window: a frameless window whose controls stand on a background picture at the places
// the skin layout gives. It wires the actions, the file list, the media panel and the output
// folder box together; their logic lives in their own classes.

#include "engine/FileList.h"
#include "ui/main/MainLayout.h"
#include "ui/skin/SkinLayout.h"

#include <QHash>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QTimer;

namespace quillabe {

class BatchLauncher;
class FileListPanel;
class FormatSelection;
class LanguagesMenu;
class MediaPanel;
class OutputFolderBox;
class ProfileCommands;
class TRedirector;
class WindowDragger;

class TfrmMain : public QWidget {
    Q_OBJECT
public:
    // The real media probe unless another is given (tests).
    explicit TfrmMain(QWidget* parent = nullptr, ProbeFunction probe = {});
    ~TfrmMain() override;

    // False when the creation handler ended the program (a message was shown); the caller quits.
    bool Created() const { return created_; }
    // Stops a running batch at once, without the stop question; false when none runs.
    bool StopBatchForSignal();
    // Closes the window for a termination signal. Nobody may be asked anything then: a failure to
    // save the settings goes to stderr instead of a message box, and the program ends.
    void CloseForSignal();

    // How the window ends the program at once (Exit, or a language without its input-type table);
    // tests replace it.
    void SetEndProgram(std::function<void(int exitCode)> end) { endProgram_ = std::move(end); }

    // The file list.
    void AddFile(const std::string& path);
    void AddFiles(const std::vector<std::string>& paths);
    // Files named when the program was started: added once the message loop runs, the last one
    // selected. Relative names are taken from the current folder.
    void QueueStartFiles(const std::vector<std::string>& paths);
    void BrowseInputFiles(bool clearFirst);
    void ClearFileList();
    void UpdateSummary();
    void SetFileState(const std::string& path, TFileState state);
    void ResetFileStates();
    void ShowSelectedFileInfo();
    bool CheckOutputFolder();

    // Texts of every control and command from the message table; false when the input-type
    // table is missing (the user was told and the program must end).
    bool ApplyLanguage();

    QAction* Action(const QString& name) const { return actions_.value(name); }
    FileListPanel* Files() const { return files_; }
    // The output format and its profile or preset; made when the skin layout is known.
    FormatSelection* Formats() const { return formats_; }
    MediaPanel* Media() const { return media_; }
    OutputFolderBox* OutputFolder() const { return output_; }
    // The Convert command's wiring; made on the first Convert.
    BatchLauncher* Launcher() const { return launcher_.get(); }
    const MainControls& Controls() const { return controls_; }
    const SkinLayout& Layout() const { return layout_; }
    QMenu* PopupMenuListViewHaveFile() const { return menuHaveFile_; }
    QMenu* PopupMenuListViewNoFile() const { return menuNoFile_; }
    QMenu* PopupMenuHelp() const { return menuHelp_; }
    // The list's menu for the present selection.
    QMenu* ListViewMenu() const;

    // What a press at this position of the background (window coordinates) or of a label (its
    // own coordinates) does when it was no drag: on the area of the current format's hidden
    // toolbar button it reopens that format's menu.
    void BackgroundClicked(const QPoint& pos);
    // A double click on the title strip minimises the window; lower down it does nothing.
    void BackgroundDoubleClicked(const QPoint& screenPos);

signals:
    // The hidden button area of the current format was clicked: the format's menu reopens (the
    // other-formats menu for an other format).
    void formatAreaClicked(int format);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateControls(ProbeFunction probe);
    void CreateActions();
    void BindButtons();
    void CreateMenus();
    void FormCreate();
    void LoadSkin();
    void CreateFormatSelection();
    bool InitMainWindow();
    void FitToControls();
    void CenterOnScreen();
    void ScheduleActionUpdate();
    void UpdateActions();
    void SetActionTexts(std::initializer_list<const char*> names);
    void ShowListViewMenu(const QPoint& globalPos);

    // Handlers of the action table.
    void InputBrowseExecute();
    void DelExecute();
    void ClearListExecute();
    void SelectAllExecute();
    void MoveUpExecute();
    void MoveDownExecute();
    void PlaySourceExecute();
    void OpenDestinationFolderExecute();
    void OutputBrowseExecute();
    void MinExecute();
    void CloseExecute();
    void ExitExecute();
    void HelpExecute();
    void OnlineResourcesExecute();
    void ContactTechnicalSupportExecute();
    void HelpContentExecute();
    void QuickStartExecute();
    void AboutExecute();
    void BurnDVDExecute();
    void FileInformationExecute();
    void ConvertExecute();
    void SettingsExecute();

    SkinLayout layout_;
    MainControls controls_;
    FileListPanel* files_ = nullptr;
    MediaPanel* media_ = nullptr;
    OutputFolderBox* output_ = nullptr;
    FormatSelection* formats_ = nullptr;
    ProfileCommands* profileCommands_ = nullptr; // edit, add, rename and delete a profile
    LanguagesMenu* languages_ = nullptr;
    WindowDragger* dragger_ = nullptr;
    QHash<QString, QAction*> actions_;
    QMenu* menuHaveFile_ = nullptr;
    QMenu* menuNoFile_ = nullptr;
    QMenu* menuHelp_ = nullptr;
    QTimer* idle_ = nullptr;

    // The one process runner; destroying it kills an encoder still running (KillOnDestroy).
    std::unique_ptr<TRedirector> Redirector;
    // Declared after the runner, so it goes first.
    std::unique_ptr<BatchLauncher> launcher_;
    bool created_ = false;
    bool closing_ = false;
    bool unattended_ = false; // closing for a signal
    bool exiting_ = false;    // ActionExit: ends without the close handling
    std::function<void(int)> endProgram_;

    struct ActionRow;
    static const ActionRow kActionRows[];
};

} // namespace quillabe
