#include "ui/main/QtMessageDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>

#include <map>

namespace quillabe {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton qtButton(MsgDlgBtn b) {
    switch (b) {
    case MsgDlgBtn::Yes:
        return QMessageBox::Yes;
    case MsgDlgBtn::No:
        return QMessageBox::No;
    case MsgDlgBtn::OK:
        return QMessageBox::Ok;
    case MsgDlgBtn::Cancel:
        return QMessageBox::Cancel;
    case MsgDlgBtn::Abort:
        return QMessageBox::Abort;
    case MsgDlgBtn::Retry:
        return QMessageBox::Retry;
    case MsgDlgBtn::Ignore:
        return QMessageBox::Ignore;
    case MsgDlgBtn::All:
        return QMessageBox::YesToAll;
    case MsgDlgBtn::NoToAll:
        return QMessageBox::NoToAll;
    case MsgDlgBtn::YesToAll:
        return QMessageBox::YesToAll;
    case MsgDlgBtn::Help:
        return QMessageBox::Help;
    }
    return QMessageBox::NoButton;
}

// A dialog unit is a quarter of the average character width of the dialog's font.
int dluToPixels(const QWidget& w, int dlu) {
    QFontMetrics fm(w.font());
    int avg = fm.horizontalAdvance(
                  QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
              52;
    return dlu * avg / 4;
}

} // namespace

int QtMessageDialogs::Show(const MessageRequest& r) {
    QMessageBox box(qtIcon(r.icon), QString::fromStdString(r.title), QString::fromStdString(r.text),
                    QMessageBox::NoButton, QApplication::activeWindow());
    std::map<QAbstractButton*, int> results;
    for (const auto& b : r.buttons) {
        QAbstractButton* button = nullptr;
        if (b.button == MsgDlgBtn::All) // Qt has no plain "All"; keep its result distinct
            button = box.addButton(QObject::tr("All"), QMessageBox::AcceptRole);
        else
            button = box.addButton(qtButton(b.button));
        if (!b.caption.empty())
            button->setText(QString::fromStdString(b.caption));
        if (r.minButtonWidthDlu > 0)
            button->setMinimumWidth(dluToPixels(box, r.minButtonWidthDlu));
        results[button] = b.result;
    }
    if (r.isDialog)
        QApplication::beep();
    box.exec();
    auto it = results.find(box.clickedButton());
    if (it != results.end())
        return it->second;
    // Closed with Escape or the close button.
    for (const auto& b : r.buttons)
        if (b.result == mrCancel)
            return mrCancel;
    return r.buttons.size() == 1 ? r.buttons.front().result : mrCancel;
}

} // namespace quillabe
