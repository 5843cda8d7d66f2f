#pragma once
// The Settings window: the encoder's priority, what "Shutdown Windows when done" really does at
// the end of a batch, whether every input goes through the DirectShow script, and how many
// conversions run at once. OK stores the
// choices and writes the settings file at once; Cancel and Esc change and write nothing.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace quillabe {

class TfrmSettings : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSettings(QWidget* parent = nullptr);

    void ApplyLanguage();
    // The settings into the controls, and back.
    void LoadSettings();
    void StoreSettings() const;

    QComboBox* ComboBoxPriority() const { return comboPriority_; }
    QComboBox* ComboBoxShutdownFlag() const { return comboShutdownFlag_; }
    QCheckBox* CheckBoxDirectShow() const { return checkDirectShow_; }
    QSpinBox* SpinEditSimultaneous() const { return spinSimultaneous_; }
    QPushButton* ButtonOK() const { return buttonOK_; }
    QPushButton* ButtonCancel() const { return buttonCancel_; }

private:
    QTabWidget* pageControl_;
    QWidget* tabGeneral_;
    QGroupBox* groupPriority_;
    QGroupBox* groupDirectShow_;
    QComboBox* comboPriority_;
    QCheckBox* checkDirectShow_;
    QLabel* labelShutDown_;
    QComboBox* comboShutdownFlag_;
    QLabel* labelSimultaneous_;
    QSpinBox* spinSimultaneous_;
    QWidget* panelBottom_;
    QPushButton* buttonOK_;
    QPushButton* buttonCancel_;
};

// The Settings command: the window centred over the owner, shown modally. On OK the choices are
// stored and the settings file is written (a failure to write is told to the user); returns
// whether OK was pressed.
bool RunSettingsDialog(QWidget* owner);

} // namespace quillabe
