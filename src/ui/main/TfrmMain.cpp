#include "ui/main/TfrmMain.h"

#include "base/PathUtils.h"
#include "core/FormPlacement.h"
#include "core/GlobalVars.h"
#include "core/MessageDialogs.h"
#include "core/OutputFormat.h"
#include "core/StartupConstants.h"
#include "core/SystemSettings.h"
#include "core/TypeData.h"
#include "engine/Redirector.h"
#include "lang/LanguageFile.h"
#include "lang/Messages.h"
#include "profiles/ProfileDirs.h"
#include "ui/editors/frame/ProfileCommands.h"
#include "ui/main/BatchLauncher.h"
#include "ui/main/FileDialogs.h"
#include "ui/main/FileListModel.h"
#include "ui/main/FileListPanel.h"
#include "ui/main/FileListView.h"
#include "ui/main/FormatSelection.h"
#include "ui/main/LanguagesMenu.h"
#include "ui/main/MediaPanel.h"
#include "ui/main/OutputFolderBox.h"
#include "ui/main/ProfileBoxes.h"
#include "ui/main/ToolkitTranslation.h"
#include "ui/main/WindowDragger.h"
#include "ui/skin/SkinPalette.h"
#include "ui/skin/TImageButton.h"
#include "ui/skin/TSkinImage.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace quillabe {

namespace {
constexpr const char* kFormSection = "Form";
constexpr int kMinimumWidth = 130;
// The formats of the toolbar buttons 2 to 9; button 10 opens the other formats.
constexpr int kToolbarFormats[] = {ofAVI, ofMP4, of3GP, ofMPEG, ofMOV, ofWMV, ofRM, ofSWF};

ScreenSize screenSize() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {754, 571};
    QRect g = screen->geometry();
    return {g.width(), g.height()};
}

// The hidden toolbar buttons whose area reopens their format's menu, in the order they are tried.
struct FormatArea {
    int toolbarButton;
    const char* action;
};
constexpr FormatArea kFormatAreas[] = {
    {10, "ActionToOthers"},
    {3, "ActionToMP4"},
    {4, "ActionTo3GP"},
};
} // namespace

TfrmMain::TfrmMain(QWidget* parent, ProbeFunction probe)
    : QWidget(parent), endProgram_([](int code) { QCoreApplication::exit(code); }) {
    setObjectName("frmMain");
    setWindowFlag(Qt::FramelessWindowHint);
    setMinimumWidth(kMinimumWidth);
    // Tahoma where it is installed; the font matcher picks the nearest sans otherwise.
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    setWindowTitle(QString::fromStdString(Msg(MSG_APPLICATION_TITLE)));
    CreateControls(std::move(probe));
    CreateActions();
    BindButtons();
    CreateMenus();
    FormCreate();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::CreateControls(ProbeFunction probe) {
    controls_ = CreateMainControls(this);
    media_ = new MediaPanel(this);
    files_ = new FileListPanel(this, controls_.Label(6), media_, std::move(probe));
    output_ = new OutputFolderBox(this);
    controls_.ListViewFiles = files_->View();
    controls_.editOutputFileName = output_->Edit();
    controls_.ScrollBox = media_;
    // Everything above the background picture.
    controls_.ImageMain->lower();
    layout_ = DesignSkinLayout();
    ApplySkinLayout(controls_, layout_);
    ApplySkinPalette(controls_, BuiltInSkin(layout_.DefaultSkin));
    media_->hide(); // the list starts empty

    dragger_ = new WindowDragger(this);
    dragger_->Attach(controls_.ImageMain, true);
    dragger_->Attach(controls_.Label(1), true);
    dragger_->Attach(controls_.Label(2), true);
    for (int n = 3; n <= kWindowLabelCount; ++n)
        dragger_->Attach(controls_.Label(n), false);
    connect(dragger_, &WindowDragger::clicked, this,
            [this](QWidget*, const QPoint& pos) { BackgroundClicked(pos); });
    connect(dragger_, &WindowDragger::doubleClicked, this,
            [this](QWidget*) { BackgroundDoubleClicked(QCursor::pos()); });

    connect(files_->View(), &FileListView::contextMenuWanted, this, &TfrmMain::ShowListViewMenu);
    connect(media_, &MediaPanel::moreInfoClicked, this, [this] {
        if (QAction* info = Action("ActionFileInformation"))
            info->trigger();
    });
    // The panel's visibility and the commands' states follow the list when the window is idle.
    idle_ = new QTimer(this);
    idle_->setSingleShot(true);
    idle_->setInterval(0);
    connect(idle_, &QTimer::timeout, this, &TfrmMain::UpdateActions);
    connect(files_->Model(), &FileListModel::listChanged, this, &TfrmMain::ScheduleActionUpdate);
}

void TfrmMain::BindButtons() {
    auto bind = [this](TImageButton* button, const char* action) {
        if (QAction* a = Action(QString::fromLatin1(action)))
            button->SetAction(a);
    };
    // The format buttons 2 to 10 belong to the format selection, which binds them.
    bind(controls_.ToolbarButton(1), "ActionExit");
    bind(controls_.ToolbarButton(11), "ActionBurnDVD");
    const char* mainActions[kMainButtonCount] = {
        "ActionInputBrowse", "ActionMoveUp",      "ActionMoveDown",
        "ActionAdd",         "ActionDel",         "ActionOutputBrowse",
        "ActionEditProfile", "ActionProfileMore", "ActionConvert",
    };
    for (int i = 0; i < kMainButtonCount; ++i)
        bind(controls_.MainButtons[static_cast<size_t>(i)], mainActions[i]);
    bind(controls_.SystemButton(1), "ActionMin");
    bind(controls_.SystemButton(2), "ActionHelp");
    bind(controls_.SystemButton(3), "ActionClose");
}

void TfrmMain::CreateMenus() {
    auto add = [this](QMenu* menu, const char* action) {
        if (QAction* a = Action(QString::fromLatin1(action)))
            menu->addAction(a);
    };
    menuHaveFile_ = new QMenu(this);
    menuHaveFile_->setObjectName("PopupMenuListViewHaveFile");
    add(menuHaveFile_, "ActionPlaySource");
    add(menuHaveFile_, "ActionOpenDestinationFolder");
    menuHaveFile_->addSeparator();
    add(menuHaveFile_, "ActionDel");
    add(menuHaveFile_, "ActionClearList");
    menuHaveFile_->addSeparator();
    add(menuHaveFile_, "ActionAdd");
    menuHaveFile_->addSeparator();
    add(menuHaveFile_, "ActionSelectAll");

    menuNoFile_ = new QMenu(this);
    menuNoFile_->setObjectName("PopupMenuListViewNoFile");
    add(menuNoFile_, "ActionAdd");
    menuNoFile_->addSeparator();
    add(menuNoFile_, "ActionSettings");
    menuNoFile_->addSeparator();
    add(menuNoFile_, "ActionHelpContent");

    menuHelp_ = new QMenu(this);
    menuHelp_->setObjectName("PopupMenuHelp");
    add(menuHelp_, "ActionHelpContent");
    add(menuHelp_, "ActionQuickStart");
    menuHelp_->addSeparator();
    add(menuHelp_, "ActionSettings");
    menuHelp_->addSeparator();
    add(menuHelp_, "ActionOnlineResources");
    add(menuHelp_, "ActionContactTechnicalSupport");
    menuHelp_->addSeparator();
    add(menuHelp_, "ActionAbout");
}

// The creation handler, in the program's start order.
void TfrmMain::FormCreate() {
    LoadSkin();
    CreateFormatSelection();
    // Qt set the locale from the environment when the application object was made.
    UseDotDecimalSeparator();
    Redirector = std::make_unique<TRedirector>();
    SetGlobalDefaults();
    if (!LoadSystemSettings())
        CenterOnScreen();
    if (!CreateProfileDirs()) {
        ShowMessageBox(Msg(MSG_CREATE_DIR_ERROR), Msg(MSG_Error), MB_ICONEXCLAMATION);
        return;
    }
    formats_->LoadProfileLists();
    formats_->RestoreStartupFormat();
    output_->FillAtStartup();
    if (!InitMainWindow())
        return;
    ShiftForHiddenToolbar(controls_);
    FitToControls();
    created_ = true;
}

void TfrmMain::LoadSkin() {
    SkinLayout layout = DesignSkinLayout();
    if (LoadSkinLayout(SkinIniFile, layout)) {
        layout_ = layout;
        ApplySkinLayout(controls_, layout_);
        ApplySkinPalette(controls_, BuiltInSkin(layout_.DefaultSkin));
    }
    FitToControls();
}

// The profile boxes stand where the skin puts them, so the format selection is made once the
// skin layout is read. Its format actions drive the toolbar's format buttons, and its menus join
// the window's: the Output Format menu in all three popup menus (the toolbar that would offer the
// formats is hidden), the Languages submenu in the help menu.
void TfrmMain::CreateFormatSelection() {
    formats_ = new FormatSelection(this, layout_);
    for (int n = 2; n <= 9; ++n)
        controls_.ToolbarButton(n)->SetAction(formats_->FormatAction(kToolbarFormats[n - 2]));
    controls_.ToolbarButton(10)->SetAction(formats_->ActionToOthers());
    formats_->SetProfileCommandActions(
        {Action("ActionEditProfile"), Action("ActionProfileMore"), Action("ActionAddNewProfile"),
         Action("ActionDeleteProfile"), Action("ActionRenameProfile")});
    profileCommands_ = new ProfileCommands(std::make_unique<ProfileBoxes>(*formats_, this), this);
    profileCommands_->Bind(Action("ActionEditProfile"), Action("ActionAddNewProfile"),
                           Action("ActionRenameProfile"), Action("ActionDeleteProfile"),
                           Action("ActionProfileMore"));
    connect(this, &TfrmMain::formatAreaClicked, formats_, &FormatSelection::FormatAreaClicked);

    QMenu* outputFormat = formats_->OutputFormatMenu();
    menuHaveFile_->addSeparator();
    menuHaveFile_->addMenu(outputFormat);
    menuNoFile_->insertMenu(menuNoFile_->actions().value(1), outputFormat);
    menuNoFile_->insertSeparator(menuNoFile_->actions().value(1));
    languages_ = new LanguagesMenu(this);
    QAction* settings = Action("ActionSettings");
    menuHelp_->insertMenu(settings, outputFormat);
    const QList<QAction*> help = menuHelp_->actions();
    menuHelp_->insertMenu(help.value(help.indexOf(settings) + 1), languages_);
    connect(languages_, &LanguagesMenu::languageChanged, this, [this] {
        // A language whose type table is missing ends the program, as it does at start-up.
        if (!ApplyLanguage())
            endProgram_(1);
    });
}

bool TfrmMain::InitMainWindow() {
    setAcceptDrops(true);
    const FormPlacement current{x(), y(), width(), height(), false};
    const FormPlacement p = LoadFormPlacement(kFormSection, current, screenSize());
    // The window's size is the skin's; only its place is restored.
    move(p.left, p.top);
    LoadLanguage(CurrentLanguagePath());
    if (!ApplyLanguage())
        return false;
    languages_->BuildLanguageMenu();
    UpdateSummary();
    HideToolbar(controls_);
    return true;
}

void TfrmMain::FitToControls() {
    QRect extent = controls_.ImageMain->geometry();
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!child->isWindow() && !child->isHidden())
            extent |= child->geometry();
    resize(std::max(kMinimumWidth, extent.right() + 1), extent.bottom() + 1);
}

void TfrmMain::CenterOnScreen() {
    ScreenSize s = screenSize();
    move((s.width - width()) / 2, (s.height - height()) / 2);
}

bool TfrmMain::ApplyLanguage() {
    const std::string typeData = TypeDataFileName();
    if (!FileExists(typeData)) {
        ShowMessageBox(FormatMsg(MSG_NO_DAT_FILE, {typeData}), Msg(MSG_NO_DAT_FILE_TITLE),
                       MB_ICONINFORMATION);
        return false;
    }
    LoadTypeData();
    TranslateToolkit(GlobalVars.LanguageFile);
    files_->SetNameFilters(
        QtNameFilters(BuildOpenFilter(GlobalVars.InputFileTypes, Msg(MSG_ALLFILES))));

    const std::string version = Msg(MSG_APPLICATION_VERSION) + " " + ProgramVersion;
    setWindowTitle(
        QString::fromStdString(FormatText("%s %s", {Msg(MSG_APPLICATION_TITLE), version})));
    controls_.Label(1)->setText(QString::fromStdString(Msg(MSG_APPLICATION_TITLE)));
    controls_.Label(2)->setText(QString::fromStdString(version));
    PlaceVersionLabel(controls_);
    SetActionTexts({"ActionExit"});
    if (formats_)
        formats_->ApplyLanguage(); // the format actions, toolbar and menu entries alike
    SetActionTexts({"ActionBurnDVD"});
    const MsgId captions[] = {MSG_INPUTFILENAME, MSG_OUTPUTDIR, MSG_PRPFILE};
    for (int n = 3; n <= 5; ++n) {
        QLabel* label = controls_.Label(n);
        label->setText(QString::fromStdString(Msg(captions[n - 3])));
        AlignLabelRight(label, label->property("rightEdge").toInt());
    }
    SetActionTexts({"ActionInputBrowse", "ActionOutputBrowse", "ActionEditProfile",
                    "ActionClearList", "ActionSelectAll", "ActionConvert", "ActionPlaySource",
                    "ActionOpenDestinationFolder", "ActionSettings", "ActionHelpContent",
                    "ActionQuickStart", "ActionOnlineResources", "ActionContactTechnicalSupport",
                    "ActionAbout"});
    media_->ApplyLanguage();
    files_->View()->SetPlaceholderText(QString::fromStdString(Msg(MSG_DROP_HINT)));
    controls_.MediaHint->setText(QString::fromStdString(Msg(MSG_MEDIA_HINT)));
    SetActionTexts({"ActionDel", "ActionAdd", "ActionAddNewProfile", "ActionDeleteProfile",
                    "ActionRenameProfile", "ActionFileInformation"});
    if (languages_)
        languages_->ApplyLanguage();
    UpdateSummary();
    return true;
}

QMenu* TfrmMain::ListViewMenu() const {
    return files_->View()->FirstSelectedRow() >= 0 ? menuHaveFile_ : menuNoFile_;
}

void TfrmMain::ShowListViewMenu(const QPoint& globalPos) {
    // The click's own selection change takes effect before the menu is chosen.
    QCoreApplication::processEvents();
    ListViewMenu()->popup(globalPos);
}

void TfrmMain::BackgroundClicked(const QPoint& pos) {
    for (const FormatArea& area : kFormatAreas) {
        // The format actions belong to the format selection: found by name below the window.
        const auto* action = findChild<QAction*>(QString::fromLatin1(area.action));
        if (!action || action->isEnabled())
            continue;
        if (!StrictlyInside(controls_.ToolbarButton(area.toolbarButton)->geometry(), pos))
            continue;
        int format = GlobalVars.OutputFormat;
        if (area.toolbarButton == 3)
            format = ofMP4;
        else if (area.toolbarButton == 4)
            format = of3GP;
        emit formatAreaClicked(format);
    }
}

void TfrmMain::BackgroundDoubleClicked(const QPoint& screenPos) {
    if (InTitleArea(frameGeometry(), controls_.SystemButton(1)->geometry(), screenPos))
        MinExecute();
}

void TfrmMain::ScheduleActionUpdate() {
    if (!idle_->isActive())
        idle_->start();
}

void TfrmMain::UpdateActions() {
    files_->UpdateVisibility();
}

void TfrmMain::AddFile(const std::string& path) {
    files_->AddFile(path);
}

void TfrmMain::AddFiles(const std::vector<std::string>& paths) {
    files_->AddFiles(paths);
}

void TfrmMain::QueueStartFiles(const std::vector<std::string>& paths) {
    std::vector<std::string> absolute;
    for (const std::string& path : paths) {
        std::error_code error;
        std::filesystem::path full = std::filesystem::absolute(path, error);
        absolute.push_back(error ? path : full.lexically_normal().string());
    }
    QTimer::singleShot(0, this, [this, absolute] {
        files_->AddFiles(absolute);
        UpdateSummary();
        files_->SelectListItem(static_cast<int>(files_->List().Count()));
    });
}

void TfrmMain::BrowseInputFiles(bool clearFirst) {
    files_->BrowseInputFiles(clearFirst);
}

void TfrmMain::ClearFileList() {
    files_->ClearFileList();
}

void TfrmMain::UpdateSummary() {
    files_->UpdateSummary();
}

void TfrmMain::SetFileState(const std::string& path, TFileState state) {
    files_->SetFileState(path, state);
}

void TfrmMain::ResetFileStates() {
    files_->ResetFileStates();
}

void TfrmMain::ShowSelectedFileInfo() {
    files_->ShowSelectedFileInfo();
}

bool TfrmMain::CheckOutputFolder() {
    return output_->CheckOutputFolder();
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    // Added once the drop is over, so the file manager is not kept waiting while files are
    // probed.
    QMetaObject::invokeMethod(
        this, [this, urls] { files_->AddDroppedUrls(urls); }, Qt::QueuedConnection);
}

bool TfrmMain::StopBatchForSignal() {
    if (!launcher_ || !launcher_->Controller().BatchRunning())
        return false;
    launcher_->Controller().StopNow();
    return true;
}

void TfrmMain::CloseForSignal() {
    unattended_ = true;
    close();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    // Shown once and hidden now: the program waits in the notification area. The toolkit ends
    // the program only when its last visible window closes, so this close must end it itself.
    const bool inTray = windowHandle() && isHidden();
    files_->StopAdding();
    if (!closing_ && !exiting_) {
        closing_ = true;
        bool saved = SaveSystemSettings();
        int error = errno;
        FormPlacement p{x(), y(), width(), height(), isMaximized()};
        if (isMaximized()) {
            QRect normal = normalGeometry();
            p = {normal.x(), normal.y(), normal.width(), normal.height(), true};
        }
        if (!SaveFormPlacement(kFormSection, p)) {
            saved = false;
            error = errno;
        }
        if (!saved) {
            const std::string text = "Unable to write to " + InfoIniFileName();
            if (unattended_)
                std::fprintf(stderr, "quillabe: %s: %s\n", text.c_str(), std::strerror(error));
            else
                ShowMessageBox(text, Msg(MSG_Error), MB_ICONEXCLAMATION);
        }
    }
    event->accept();
    if (inTray && !exiting_)
        endProgram_(0);
}

} // namespace quillabe
