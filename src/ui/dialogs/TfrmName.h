#pragma once
// The profile-name dialog of the profile commands, and the checks a name must pass.

#include <QDialog>

#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quillabe {

// False for an empty name or one holding any of \ / : * ? " < > |.
bool IsValidFileName(const std::string& name);

// A profile name becomes part of a path: besides IsValidFileName (of the trimmed text), the text
// as entered must not be "." or "..", begin with a full stop (a hidden file the box would not
// list), hold control characters or exceed kMaxProfileNameBytes.
inline constexpr size_t kMaxProfileNameBytes = 200;
enum class ProfileNameCheck { Valid, InvalidFileName, UnusableName };
ProfileNameCheck CheckProfileName(const std::string& asEntered);

class TfrmName : public QDialog {
    Q_OBJECT
public:
    explicit TfrmName(QWidget* owner = nullptr);

    void ApplyLanguage();

    QLabel* LabelName() const { return labelName_; }
    QLineEdit* EditFileName() const { return editFileName_; }
    QPushButton* ButtonOK() const { return btnOK_; }
    QPushButton* ButtonCancel() const { return btnCancel_; }
    // True once OK found a usable name; the dialog has then closed.
    bool Accepted() const { return accepted_; }

private:
    void btnOKClick();

    QLabel* labelName_;
    QLineEdit* editFileName_;
    QPushButton* btnOK_;
    QPushButton* btnCancel_;
    bool accepted_ = false;
};

// Shows the dialog centred over the owner's window with `initial` in the edit; the text as
// entered (blanks kept) when accepted.
std::optional<std::string> AskProfileName(QWidget* owner, const std::string& initial);

} // namespace quillabe
