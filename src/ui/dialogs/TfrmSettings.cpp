#include "ui/dialogs/TfrmSettings.h"

#include "core/GlobalVars.h"
#include "core/MessageDialogs.h"
#include "core/SystemSettings.h"
#include "lang/Messages.h"
#include "ui/dialogs/DialogPlacement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include <cerrno>
#include <cstring>

namespace quillabe {

namespace {

constexpr int kWidth = 356;
constexpr int kHeight = 249;
constexpr int kPanelHeight = 40;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// Selects the item of the value, or none when the settings file holds a value the list does not
// have.
void selectValue(QComboBox* combo, int value) {
    combo->setCurrentIndex(value < combo->count() ? value : -1);
}

// The chosen item; with none chosen the stored value stays as it was, so that OK never turns an
// unknown value into another.
void storeValue(const QComboBox* combo, uint8_t& value) {
    if (combo->currentIndex() >= 0)
        value = static_cast<uint8_t>(combo->currentIndex());
}

} // namespace

TfrmSettings::TfrmSettings(QWidget* parent)
    : QDialog(parent), pageControl_(new QTabWidget(this)), tabGeneral_(new QWidget),
      groupPriority_(new QGroupBox(tabGeneral_)), groupDirectShow_(new QGroupBox(tabGeneral_)),
      comboPriority_(new QComboBox(groupPriority_)),
      checkDirectShow_(new QCheckBox(groupDirectShow_)), labelShutDown_(new QLabel(tabGeneral_)),
      comboShutdownFlag_(new QComboBox(tabGeneral_)), labelSimultaneous_(new QLabel(tabGeneral_)),
      spinSimultaneous_(new QSpinBox(tabGeneral_)), panelBottom_(new QWidget(this)),
      buttonOK_(new QPushButton(panelBottom_)), buttonCancel_(new QPushButton(panelBottom_)) {
    setObjectName("frmSettings");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kWidth, kHeight);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);

    pageControl_->setObjectName("PageControlOptions");
    pageControl_->setGeometry(8, 8, kWidth - 16, kHeight - kPanelHeight - 12);
    tabGeneral_->setObjectName("TabSheetGeneral");
    pageControl_->addTab(tabGeneral_, QString());

    groupPriority_->setObjectName("GroupBoxPriority");
    groupPriority_->setGeometry(10, 10, 150, 64);
    comboPriority_->setObjectName("ComboBoxPriority");
    comboPriority_->setGeometry(12, 26, 126, 24);
    groupDirectShow_->setObjectName("GroupBoxDirectShow");
    groupDirectShow_->setGeometry(170, 10, 150, 64);
    checkDirectShow_->setObjectName("CheckBoxDirectShow");
    checkDirectShow_->setGeometry(12, 28, 130, 20);
    labelShutDown_->setObjectName("LabelShutDown");
    labelShutDown_->setTextFormat(Qt::PlainText);
    labelShutDown_->setWordWrap(true);
    labelShutDown_->setGeometry(12, 90, 150, 32);
    comboShutdownFlag_->setObjectName("ComboBoxShutdownFlag");
    comboShutdownFlag_->setGeometry(170, 94, 150, 24);
    labelSimultaneous_->setObjectName("LabelSimultaneous");
    labelSimultaneous_->setTextFormat(Qt::PlainText);
    labelSimultaneous_->setWordWrap(true);
    labelSimultaneous_->setGeometry(12, 130, 150, 32);
    labelSimultaneous_->setBuddy(spinSimultaneous_);
    spinSimultaneous_->setObjectName("SpinEditSimultaneous");
    spinSimultaneous_->setGeometry(170, 134, 150, 24);
    spinSimultaneous_->setRange(0, kMaxSimultaneousJobs);
    for (QComboBox* combo : {comboPriority_, comboShutdownFlag_})
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);

    panelBottom_->setObjectName("PanelBottom");
    panelBottom_->setGeometry(0, kHeight - kPanelHeight, kWidth, kPanelHeight);
    buttonOK_->setObjectName("ButtonOK");
    buttonOK_->setGeometry(kWidth - 8 - 2 * 80 - 8, 6, 80, 25);
    buttonOK_->setDefault(true);
    buttonCancel_->setObjectName("ButtonCancel");
    buttonCancel_->setGeometry(kWidth - 8 - 80, 6, 80, 25);
    buttonCancel_->setAutoDefault(false);
    connect(buttonOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(buttonCancel_, &QPushButton::clicked, this, &QDialog::reject);

    ApplyLanguage();
    LoadSettings();
}

void TfrmSettings::ApplyLanguage() {
    setWindowTitle(qs(Msg(MSG_SETTINGS_TITLE)));
    pageControl_->setTabText(0, qs(Msg(MSG_GENERAL_PAGE)));
    groupPriority_->setTitle(qs(Msg(MSG_THREADPRIORITY)));
    groupDirectShow_->setTitle(qs(Msg(MSG_DIRECTSHOW)));
    checkDirectShow_->setText(qs(Msg(MSG_USE_DIRECTSHOW)));
    labelShutDown_->setText(qs(Msg(MSG_SHUTDOWN_REAL_DOES)));
    labelSimultaneous_->setText(qs(Msg(MSG_SIMULTANEOUS_CONVERSIONS)));
    // 0 is no count of its own: the batch runs one conversion per processor core.
    spinSimultaneous_->setSpecialValueText(qs(Msg(MSG_ONE_PER_CORE)));
    buttonOK_->setText(qs(Msg(MSG_OK)));
    buttonCancel_->setText(qs(Msg(MSG_CANCEL)));

    const int priority = comboPriority_->currentIndex();
    comboPriority_->clear();
    for (MsgId id : {MSG_IDLE, MSG_NORMAL, MSG_HIGH, MSG_REALTIME})
        comboPriority_->addItem(qs(Msg(id)));
    comboPriority_->setCurrentIndex(priority);

    const int flag = comboShutdownFlag_->currentIndex();
    comboShutdownFlag_->clear();
    comboShutdownFlag_->addItem(qs(FormatMsg(MSG_CLOSE_APP, {Msg(MSG_APPLICATION_TITLE)})));
    for (MsgId id : {MSG_SHUTDOWN, MSG_LOGOFF, MSG_RESTART, MSG_HIBERNATE, MSG_SUSPEMD})
        comboShutdownFlag_->addItem(qs(Msg(id)));
    comboShutdownFlag_->setCurrentIndex(flag);
}

void TfrmSettings::LoadSettings() {
    selectValue(comboPriority_, GlobalVars.Priority);
    selectValue(comboShutdownFlag_, GlobalVars.ShutdownFlag);
    checkDirectShow_->setChecked(GlobalVars.UseDirectShow);
    spinSimultaneous_->setValue(GlobalVars.SimultaneousJobs);
}

void TfrmSettings::StoreSettings() const {
    storeValue(comboPriority_, GlobalVars.Priority);
    storeValue(comboShutdownFlag_, GlobalVars.ShutdownFlag);
    GlobalVars.UseDirectShow = checkDirectShow_->isChecked();
    GlobalVars.SimultaneousJobs = spinSimultaneous_->value();
}

bool RunSettingsDialog(QWidget* owner) {
    TfrmSettings form(owner);
    CenterOver(form, owner);
    if (form.exec() != QDialog::Accepted)
        return false;
    form.StoreSettings();
    if (!SaveSystemSettings()) {
        // The choices hold for this session all the same, and the next save may succeed.
        const int error = errno;
        ShowMessageBox("Unable to write to " + InfoIniFileName() + ": " + std::strerror(error),
                       Msg(MSG_Error), MB_ICONEXCLAMATION);
    }
    return true;
}

} // namespace quillabe
