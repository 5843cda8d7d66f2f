#pragma once
// What the profile commands need of a format's editor window: it shows the format's settings
// record in its controls and takes them back. The record itself is the format's single global
// instance; the editor owns only its controls.

#include <QDialog>

namespace quillabe {

class TProfileEditor : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    // Record → controls, including every enabling rule that follows from the values.
    virtual void SettingsToControls() = 0;
    // Controls → record; only after the user saved.
    virtual void ControlsToSettings() = 0;
};

} // namespace quillabe
