#include "ui/main/TfrmMain.h"

#include "base/PathUtils.h"
#include "core/FormPlacement.h"
#include "core/GlobalVars.h"
#include "core/MessageDialogs.h"
#include "core/StartupConstants.h"
#include "core/SystemSettings.h"
#include "core/TypeData.h"
#include "engine/Redirector.h"
#include "lang/LanguageFile.h"
#include "lang/Messages.h"
#include "profiles/ProfileDirs.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>

namespace quillabe {

namespace {
constexpr int kWidth = 754;
constexpr int kHeight = 571;
constexpr const char* kFormSection = "Form";

ScreenSize screenSize() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {kWidth, kHeight};
    QRect g = screen->geometry();
    return {g.width(), g.height()};
}
} // namespace

TfrmMain::TfrmMain(QWidget* parent) : QWidget(parent) {
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowTitle(QString::fromStdString(Msg(MSG_APPLICATION_TITLE)));
    resize(kWidth, kHeight);
    FormCreate();
}

// The creation handler, in the program's start order. The skin layout, the preset menus, the
// format selection and the output folder box join their steps as they are built.
void TfrmMain::FormCreate() {
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
    setAcceptDrops(true);
    FormPlacement current{x(), y(), width(), height(), false};
    FormPlacement p = LoadFormPlacement(kFormSection, current, screenSize());
    setGeometry(p.left, p.top, p.width, p.height);
    if (p.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    LoadLanguage(CurrentLanguagePath());
    if (!ApplyLanguage())
        return;
    created_ = true;
}

TfrmMain::~TfrmMain() = default;

bool TfrmMain::ApplyLanguage() {
    setWindowTitle(QString::fromStdString(Msg(MSG_APPLICATION_TITLE)));
    const std::string typeData = TypeDataFileName();
    if (!FileExists(typeData)) {
        ShowMessageBox(FormatMsg(MSG_NO_DAT_FILE, {typeData}), Msg(MSG_NO_DAT_FILE_TITLE),
                       MB_ICONINFORMATION);
        return false;
    }
    LoadTypeData();
    return true;
}

void TfrmMain::CenterOnScreen() {
    ScreenSize s = screenSize();
    move((s.width - width()) / 2, (s.height - height()) / 2);
}

void TfrmMain::CloseForSignal() {
    unattended_ = true;
    close();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (!closing_) {
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
}

} // namespace quillabe
