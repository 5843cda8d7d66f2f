#include "ui/batch/TfrmProgress.h"

#include "core/GlobalVars.h"
#include "core/MessageDialogs.h"
#include "core/StartupConstants.h"
#include "lang/Messages.h"
#include "ui/batch/ConvertAnimation.h"
#include "ui/batch/TrayAccess.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>

namespace quillabe {

namespace {

constexpr int kWidth = 524;
constexpr int kHeight = 348;
constexpr int kImageHeight = 43;
constexpr int kButtonsHeight = 41;
constexpr int kMargin = 16;
constexpr int kValueLeft = 112;

const QColor kStatusColor(0xFA, 0xFA, 0xFA);  // 16448250
const QColor kButtonsColor(0xE5, 0xE5, 0xE5); // 15066597
const QColor kHeaderTop(38, 48, 61);
const QColor kHeaderBottom(23, 29, 38);
const QColor kAccent(47, 128, 237);

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// The header band: one tile, repeated across the width, of the slate of the main window with a
// thin accent line along its foot.
class HeaderPanel : public QWidget {
public:
    explicit HeaderPanel(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QBrush(Tile(devicePixelRatioF())));
    }

private:
    static QPixmap Tile(qreal ratio) {
        QPixmap tile(QSize(16, kImageHeight) * ratio);
        tile.setDevicePixelRatio(ratio);
        QPainter p(&tile);
        QLinearGradient band(0, 0, 0, kImageHeight);
        band.setColorAt(0, kHeaderTop);
        band.setColorAt(1, kHeaderBottom);
        p.fillRect(QRect(0, 0, 16, kImageHeight), band);
        p.fillRect(QRect(0, kImageHeight - 2, 16, 2), kAccent);
        return tile;
    }
};

QWidget* colouredPanel(QWidget* parent, const char* name, const QColor& colour) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, colour);
    panel->setPalette(palette);
    return panel;
}

QLabel* label(QWidget* parent, const char* name, const QRect& geometry,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    // File names are shown as they are: never as rich text, never an ampersand as a mnemonic.
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(align);
    l->setGeometry(geometry);
    return l;
}

QProgressBar* bar(QWidget* parent, const char* name, const QRect& geometry) {
    auto* b = new QProgressBar(parent);
    b->setObjectName(name);
    b->setRange(0, 100);
    b->setValue(0);
    b->setTextVisible(false);
    b->setGeometry(geometry);
    // From white to colour 14188067 (a Windows BGR value) along the filled part.
    b->setStyleSheet("QProgressBar { border: 1px solid #B4BFCC; border-radius: 2px;"
                     " background: #FFFFFF; }"
                     "QProgressBar::chunk { background: qlineargradient(x1:0, y1:0, x2:1, y2:0,"
                     " stop:0 #FFFFFF, stop:1 #237ED8); border-radius: 1px; }");
    return b;
}

size_t slot(ProgressLabel label) {
    return static_cast<size_t>(label);
}

bool elides(ProgressLabel label) {
    return label == ProgressLabel::LabelWorking || label == ProgressLabel::LabelOutput;
}

} // namespace

TfrmProgress::TfrmProgress(QWidget* parent) : QDialog(parent) {
    setObjectName("frmProgress");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kWidth, kHeight);
    // Tahoma where it is installed; the font matcher picks the nearest sans otherwise.
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    CreateControls();

    displayTimer_.setSingleShot(true);
    displayTimer_.setInterval(kDisplayIntervalMs);
    connect(&displayTimer_, &QTimer::timeout, this, &TfrmProgress::FlushDisplay);

    ApplyLanguage();
    Prepare();
}

void TfrmProgress::CreateControls() {
    panelImage_ = new HeaderPanel(this);
    panelImage_->setObjectName("PanelImage");
    panelImage_->setGeometry(0, 0, kWidth, kImageHeight);
    QLabel* converting =
        label(panelImage_, "LabelCovnerting", QRect(kMargin, 0, 300, kImageHeight));
    QFont bold = converting->font();
    bold.setBold(true);
    bold.setPointSize(10);
    converting->setFont(bold);
    QPalette white = converting->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    converting->setPalette(white);
    labels_[slot(ProgressLabel::LabelCovnerting)] = converting;
    animation_ = new ConvertAnimation(panelImage_);
    animation_->move(kWidth - kMargin - animation_->width(),
                     (kImageHeight - 2 - animation_->height()) / 2);
    animation_->hide();
    // While the animation plays, pending texts and bars go out with its next frame: one repaint
    // of the window for both, instead of two clocks of ten repaints a second each.
    connect(animation_, &ConvertAnimation::frameAdvanced, this, &TfrmProgress::FlushDisplay);

    const int statusHeight = kHeight - kImageHeight - kButtonsHeight;
    panelStatus_ = colouredPanel(this, "PanelStatus", kStatusColor);
    panelStatus_->setGeometry(0, kImageHeight, kWidth, statusHeight);
    QWidget* s = panelStatus_;
    const int right = kWidth - kMargin;
    const int barWidth = kWidth - 2 * kMargin;
    labelStatusRemainingSingle_ =
        label(s, "LabelStatusRemainingSingle", QRect(kMargin, 12, 94, 16));
    labels_[slot(ProgressLabel::LabelStatusRemaining)] =
        label(s, "LabelStatusRemaining", QRect(kValueLeft, 12, 120, 16));
    labels_[slot(ProgressLabel::LabelStatus)] =
        label(s, "LabelStatus", QRect(right - 160, 12, 160, 16), Qt::AlignRight | Qt::AlignVCenter);
    barStatus_ = bar(s, "ProgressBarStatus", QRect(kMargin, 32, barWidth, 16));
    barBatch_ = bar(s, "ProgressBarBatch", QRect(kMargin, 58, barWidth, 16));
    labels_[slot(ProgressLabel::LabelBatch)] =
        label(s, "LabelBatch", QRect(right - 160, 80, 160, 16), Qt::AlignRight | Qt::AlignVCenter);
    labelRemaining_ = label(s, "LabelRemaining", QRect(kMargin, 80, 94, 16));
    labels_[slot(ProgressLabel::LabelBatchRemaining)] =
        label(s, "LabelBatchRemaining", QRect(kValueLeft, 80, 120, 16));
    labelElapsed_ = label(s, "LabelElapsed", QRect(kMargin, 100, 94, 16));
    labels_[slot(ProgressLabel::LabelBatchElapsed)] =
        label(s, "LabelBatchElapsed", QRect(kValueLeft, 100, 120, 16));
    labelEstimated_ = label(s, "Labelestimated", QRect(kMargin, 120, 94, 16));
    labels_[slot(ProgressLabel::LabelBatchEstimated)] =
        label(s, "LabelBatchEstimated", QRect(kValueLeft, 120, 120, 16));

    auto* rule = new QFrame(s);
    rule->setObjectName("BevelWorking");
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(kMargin, 144, barWidth, 2);
    labels_[slot(ProgressLabel::LabelWorking)] =
        label(s, "LabelWorking", QRect(kMargin, 154, barWidth, 16));
    labels_[slot(ProgressLabel::LabelOutput)] =
        label(s, "LabelOutput", QRect(kMargin, 174, barWidth, 16));
    QLabel* stop =
        label(s, "LabelStopWhenDone", QRect(kMargin, 198, barWidth, 16), Qt::AlignCenter);
    QFont stopFont = stop->font();
    stopFont.setBold(true);
    stop->setFont(stopFont);
    stop->hide();
    labels_[slot(ProgressLabel::LabelStopWhenDone)] = stop;

    checkDelSource_ = new QCheckBox(s);
    checkDelSource_->setObjectName("CheckBoxDelSource");
    checkDelSource_->setGeometry(kMargin, 206, barWidth, 20);
    checkDelSource_->hide(); // nothing shows it: deleting sources is chosen elsewhere
    checkShutdown_ = new QCheckBox(s);
    checkShutdown_->setObjectName("CheckBoxShutdown");
    checkShutdown_->setGeometry(kMargin, 228, barWidth, 20);
    // A click takes effect at once, for this batch and in the settings.
    connect(checkDelSource_, &QCheckBox::clicked, this,
            [](bool on) { GlobalVars.DeleteFileAfterProcessing = on; });
    connect(checkShutdown_, &QCheckBox::clicked, this, [this](bool on) {
        GlobalVars.ShutdownWindowsWhenDone = on;
        emit shutdownWhenDoneChanged(on);
    });

    panelButtons_ = colouredPanel(this, "PanelButtons", kButtonsColor);
    panelButtons_->setGeometry(0, kHeight - kButtonsHeight, kWidth, kButtonsHeight);
    auto* bevel = new QFrame(panelButtons_);
    bevel->setObjectName("Bevel1");
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(0, 0, kWidth, 2);
    buttonTray_ = new QPushButton(panelButtons_);
    buttonTray_->setObjectName("ButtonTray");
    buttonTray_->setAutoDefault(false);
    buttonCancel_ = new QPushButton(panelButtons_);
    buttonCancel_->setObjectName("ButtonCancel");
    buttonCancel_->setGeometry(right - 110, 9, 110, 25);
    buttonCancel_->setDefault(true);
    connect(buttonTray_, &QPushButton::clicked, this, &TfrmProgress::SendToTray);
    connect(buttonCancel_, &QPushButton::clicked, this, &TfrmProgress::RequestClose);
}

void TfrmProgress::ApplyLanguage() {
    setWindowTitle(qs(Msg(MSG_CONVERTING_IN)));
    labelRemaining_->setText(qs(Msg(MSG_REMAINING_TIME)));
    labelStatusRemainingSingle_->setText(qs(Msg(MSG_REMAINING_TIME)));
    labelElapsed_->setText(qs(Msg(MSG_ELAPSED_TIME)));
    labelEstimated_->setText(qs(Msg(MSG_ESTIMATED_TIME)));
    Label(ProgressLabel::LabelStopWhenDone)->setText(qs(Msg(MSG_STOP_WHEN_DONE)));
    checkDelSource_->setText(qs(Msg(MSG_DEL_AFTER)));
    checkShutdown_->setText(qs(Msg(MSG_SHUTDOWN_AFTER)));
    buttonTray_->setText(qs(Msg(MSG_SEND_TO_TRAY)));
    buttonCancel_->setText(qs(Msg(MSG_CANCEL)));
    // The second language's caption is much longer.
    if (LanguageIndex == 1)
        buttonTray_->setGeometry(160, 9, 225, 25);
    else
        buttonTray_->setGeometry(270, 9, 110, 25);
}

void TfrmProgress::Prepare() {
    displayTimer_.stop();
    pendingLabels_.clear();
    pendingBars_.clear();
    finished_ = false;
    asking_ = false;
    setResult(0);
    checkDelSource_->setChecked(GlobalVars.DeleteFileAfterProcessing);
    checkShutdown_->setChecked(GlobalVars.ShutdownWindowsWhenDone);
    setWindowTitle(qs(Msg(MSG_ID_ENC_IN_PROGRESS)));
    QLabel* stop = Label(ProgressLabel::LabelStopWhenDone);
    stop->setText(qs(Msg(MSG_ID_STOP_ENC)));
    stop->hide();
}

QLabel* TfrmProgress::Label(ProgressLabel label) const {
    return label == ProgressLabel::Caption ? nullptr : labels_[slot(label)];
}

QProgressBar* TfrmProgress::Bar(ProgressBar bar) const {
    return bar == ProgressBar::Status ? barStatus_ : barBatch_;
}

void TfrmProgress::SetLabel(ProgressLabel label, const std::string& text) {
    pendingLabels_[label] = text;
    ScheduleDisplay();
}

void TfrmProgress::SetBar(ProgressBar bar, int percent) {
    pendingBars_[bar] = percent;
    ScheduleDisplay();
}

void TfrmProgress::ScheduleDisplay() {
    // The first change after a quiet spell waits one interval too; every later change until then
    // only replaces the pending value.
    if (!displayTimer_.isActive() && !animation_->Playing())
        displayTimer_.start();
}

void TfrmProgress::FlushDisplay() {
    displayTimer_.stop();
    if (pendingLabels_.empty() && pendingBars_.empty())
        return;
    for (const auto& [label, text] : pendingLabels_)
        ShowLabelText(label, text);
    for (const auto& [which, percent] : pendingBars_)
        Bar(which)->setValue(std::clamp(percent, 0, 100));
    pendingLabels_.clear();
    pendingBars_.clear();
    ++displayUpdates_;
}

void TfrmProgress::ShowLabelText(ProgressLabel which, const std::string& text) {
    if (which == ProgressLabel::Caption) {
        setWindowTitle(qs(text));
        return;
    }
    QLabel* l = Label(which);
    const QString full = qs(text);
    if (!elides(which)) {
        l->setText(full);
        return;
    }
    // A long path keeps its start and its end; the whole of it is in the tool tip.
    const QString shown = l->fontMetrics().elidedText(full, Qt::ElideMiddle, l->width());
    l->setText(shown);
    l->setToolTip(shown == full ? QString() : full);
}

bool TfrmProgress::AnimationRunning() const {
    return animation_->Playing();
}

void TfrmProgress::StartAnimation() {
    animation_->show();
    animation_->Play();
}

void TfrmProgress::StopAnimation() {
    animation_->Reset();
    animation_->hide();
    // What waited for the next frame now waits for the display clock.
    if (!pendingLabels_.empty() || !pendingBars_.empty())
        ScheduleDisplay();
}

void TfrmProgress::SetTrayHint(const std::string& hint) {
    if (tray_)
        tray_->SetTrayHint(hint);
}

void TfrmProgress::SetFileState(const std::string& path, TFileState state) {
    emit fileStateChanged(path, state);
}

bool TfrmProgress::StopWhenDoneShown() const {
    return !Label(ProgressLabel::LabelStopWhenDone)->isHidden();
}

void TfrmProgress::reject() {
    if (finished_) {
        QDialog::reject();
        return;
    }
    if (asking_)
        return; // the question is open already (say, the tray's stop command meanwhile)
    asking_ = true;
    const int answer =
        ShowMessageDialog(Msg(MSG_ABORTENCODING), Msg(MSG_QUESTION), MsgDlgType::Confirmation,
                          {Msg(MSG_BTN_NOW), Msg(MSG_BTN_DONE), Msg(MSG_CANCEL)},
                          Btn(MsgDlgBtn::Yes) | Btn(MsgDlgBtn::No) | Btn(MsgDlgBtn::Cancel));
    asking_ = false;
    if (finished_) {
        // The batch ended while the user was deciding: there is nothing left to stop.
        FlushDisplay();
        QDialog::done(Rejected);
        return;
    }
    const bool whenDone = answer == mrNo;
    Label(ProgressLabel::LabelStopWhenDone)->setVisible(whenDone);
    emit stopWhenDoneChanged(whenDone);
    if (answer == mrYes) {
        emit stopNowRequested();
        QDialog::reject();
    }
}

void TfrmProgress::MarkFinished() {
    FlushDisplay();
    if (finished_)
        return;
    finished_ = true;
    if (asking_)
        return; // closed once the question is answered
    if (isVisible())
        QDialog::done(Accepted);
    else if (result() == 0) // in the tray; a stop now keeps its Cancel
        setResult(Accepted);
}

void TfrmProgress::SendToTray() {
    if (!tray_ || !tray_->TrayAvailable()) {
        MinimizeApplication();
        return;
    }
    hide();
    tray_->HideToTray();
    tray_->ShowBalloon(FormatMsg(MSG_TRAY_INFO, {Msg(MSG_APPLICATION_TITLE)}), Msg(MSG_TRAY_MIN),
                       10000);
}

void TfrmProgress::MinimizeApplication() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !w->isMinimized())
            w->showMinimized();
}

void TfrmProgress::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Minimising this window minimises the whole program: the main window behind a modal
    // progress window is of no use on its own.
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        MinimizeApplication();
}

} // namespace quillabe
