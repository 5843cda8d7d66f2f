#include "ui/batch/TfrmShutdown.h"

#include "lang/Messages.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace quillabe {

namespace {

constexpr int kWidth = 196;
constexpr int kHeight = 147;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

TfrmShutdown::TfrmShutdown(QWidget* parent, int tickMs)
    : QDialog(parent), labelWarning_(new QLabel(this)), labelDescription_(new QLabel(this)),
      labelTimeOut_(new QLabel(this)), buttonCancel_(new QPushButton(this)) {
    setObjectName("frmShutdown");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kWidth, kHeight);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);

    labelWarning_->setObjectName("LabelWarning");
    QFont warning = labelWarning_->font();
    warning.setBold(true);
    warning.setPointSize(14);
    labelWarning_->setFont(warning);
    labelWarning_->setGeometry(12, 8, kWidth - 24, 28);
    labelDescription_->setObjectName("LabelShutdownDescription");
    labelDescription_->setWordWrap(true);
    labelDescription_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    labelDescription_->setGeometry(12, 40, kWidth - 24, 44);
    labelTimeOut_->setObjectName("LabelTimeOut");
    labelTimeOut_->setGeometry(12, 86, kWidth - 24, 18);
    for (QLabel* l : {labelWarning_, labelDescription_, labelTimeOut_})
        l->setTextFormat(Qt::PlainText);
    buttonCancel_->setObjectName("ButtonCancel");
    buttonCancel_->setGeometry((kWidth - 90) / 2, kHeight - 35, 90, 25);
    buttonCancel_->setDefault(true);
    connect(buttonCancel_, &QPushButton::clicked, this, &QDialog::reject);

    timer_.setObjectName("TimerShutdown");
    timer_.setInterval(tickMs);
    connect(&timer_, &QTimer::timeout, this, &TfrmShutdown::TimerShutdownTimer);

    ApplyLanguage();
    secondsLeft_ = kSeconds;
    ShowTimeLeft();
}

void TfrmShutdown::ApplyLanguage() {
    setWindowTitle(qs(Msg(MSG_SHUTDOWN_TITLE)));
    labelWarning_->setText(qs(Msg(MSG_WARNING)));
    labelDescription_->setText(qs(FormatMsg(MSG_WARNING_DETAIL, {Msg(MSG_APPLICATION_TITLE)})));
    buttonCancel_->setText(qs(Msg(MSG_CANCEL)));
}

void TfrmShutdown::ShowTimeLeft() {
    labelTimeOut_->setText(
        qs(FormatMsg(MSG_LABEL_TIMEOUT, {static_cast<long long>(secondsLeft_)})));
}

void TfrmShutdown::TimerShutdownTimer() {
    --secondsLeft_;
    if (secondsLeft_ < 0) {
        timer_.stop();
        accept();
        return;
    }
    ShowTimeLeft();
}

void TfrmShutdown::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Minimising and restoring the window shows and hides it spontaneously; the countdown goes
    // on meanwhile.
    if (!event->spontaneous())
        timer_.start();
}

void TfrmShutdown::hideEvent(QHideEvent* event) {
    if (!event->spontaneous())
        timer_.stop();
    QDialog::hideEvent(event);
}

} // namespace quillabe
