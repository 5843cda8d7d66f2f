#include "ui/dialogs/TfrmFileInfo.h"

#include "base/PathUtils.h"
#include "core/MessageDialogs.h"
#include "lang/Messages.h"
#include "mediainfo/MediaProbe.h"
#include "ui/dialogs/FileDialogFilter.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quillabe {

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 250;
constexpr int kPanelHeight = 40;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// A caption that a language file left empty keeps its built-in text: a blank button is unusable.
QString shown(MsgId id) {
    const std::string& text = Msg(id);
    return qs(text.empty() ? std::string(MsgDefault(id)) : text);
}

// The report's lines; CR LF, LF and a lone CR all end a line, and a final line break ends the
// last line rather than starting an empty one.
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    return lines;
}

} // namespace

TfrmFileInfo::TfrmFileInfo(QWidget* parent)
    : QDialog(parent), memo_(new QPlainTextEdit(this)), panel_(new QWidget(this)),
      btnOK_(new QPushButton(panel_)), btnSave_(new QPushButton(panel_)) {
    setObjectName("frmFileInfo");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setMinimumSize(kWidth, kHeight);
    resize(kWidth, kHeight);

    memo_->setObjectName("Memo");
    memo_->setReadOnly(true); // and so Enter reaches the OK button
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The report lines up its columns with blanks, so it needs a fixed-pitch font; the size
    // follows the desktop's text size rather than a fixed point size.
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(QApplication::font().pointSizeF());
    memo_->setFont(font);

    panel_->setObjectName("PanelBottom");
    btnOK_->setObjectName("btnOK");
    btnSave_->setObjectName("btnSave");
    btnOK_->setDefault(true);
    btnOK_->setGeometry(0, kButtonGap, kButtonWidth, kButtonHeight);
    btnSave_->setGeometry(kButtonWidth + kButtonGap, kButtonGap, kButtonWidth, kButtonHeight);
    connect(btnOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnSave_, &QPushButton::clicked, this, &TfrmFileInfo::btnSaveClick);

    ApplyLanguage();
    memo_->setFocus();
}

void TfrmFileInfo::ApplyLanguage() {
    setWindowTitle(shown(MSG_FILEINFO_CAPTION));
    saveFilter_ = FileDialogFilter(
        FormatText("%s (*.txt)|*.txt|%s (*.*)|*.*", {Msg(MSG_TEXTFILE), Msg(MSG_ALLFILES)}));
    defaultFileName_ = shown(MSG_FILE_INFO_FILE);
    btnOK_->setText(shown(MSG_OK));
    btnSave_->setText(shown(MSG_SAVE_FILE_INFO));
    // A longer caption than the design's widens its button instead of being cut off.
    for (QPushButton* button : {btnOK_, btnSave_})
        button->resize(std::max(kButtonWidth, button->sizeHint().width()), kButtonHeight);
    CenterButtons();
}

void TfrmFileInfo::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int w = event->size().width();
    const int h = event->size().height();
    memo_->setGeometry(0, 0, w, std::max(0, h - kPanelHeight));
    panel_->setGeometry(0, std::max(0, h - kPanelHeight), w, kPanelHeight);
    CenterButtons();
}

void TfrmFileInfo::CenterButtons() {
    const int span = btnSave_->x() + btnSave_->width() - btnOK_->x();
    btnOK_->move(panel_->width() / 2 - span / 2, btnOK_->y());
    btnSave_->move(btnOK_->x() + btnOK_->width() + kButtonGap, btnSave_->y());
}

void TfrmFileInfo::ShowFileInfo(const std::string& path) {
    if (!FileExists(path))
        return;
    lines_ = splitLines(MediaReport(path));
    QStringList text;
    for (const auto& line : lines_)
        text << qs(line);
    memo_->setPlainText(text.join(QLatin1Char('\n')));
}

bool TfrmFileInfo::SaveFileInfo(const std::string& path) {
    std::string text;
    for (const auto& line : lines_)
        text += line + "\n";
    if (WriteFileAtomic(path, text))
        return true;
    const int error = errno;
    ShowMessageBox(FormatMsg(MSG_WRITE_FILE_ERROR, {path, std::string(std::strerror(error))}),
                   Msg(MSG_Error), MB_ICONEXCLAMATION);
    return false;
}

void TfrmFileInfo::btnSaveClick() {
    QFileDialog dialog(this, QString(), QString(), saveFilter_);
    dialog.setObjectName("SaveDialog1");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile); // overwriting is confirmed by the dialog
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(defaultFileName_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    SaveFileInfo(QFile::encodeName(dialog.selectedFiles().front()).toStdString());
}

void ShowFileInformation(const std::string& path, QWidget* parent) {
    if (!FileExists(path))
        return;
    TfrmFileInfo form(parent);
    if (parent) {
        const QRect main = parent->window()->geometry();
        form.move(main.left() + (main.width() - form.width()) / 2,
                  main.top() + (main.height() - form.height()) / 2);
    }
    form.setWindowTitle(qs(FormatMsg(MSG_FILE_INFO, {ExtractFileName(path)})));
    form.ShowFileInfo(path);
    form.exec();
}

} // namespace quillabe
