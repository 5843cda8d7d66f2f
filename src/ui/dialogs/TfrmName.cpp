#include "ui/dialogs/TfrmName.h"

#include "base/TextUtils.h"
#include "core/MessageDialogs.h"
#include "lang/Messages.h"
#include "ui/dialogs/DialogPlacement.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quillabe {

namespace {

constexpr int kWidth = 263;
constexpr int kHeight = 116;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

bool IsValidFileName(const std::string& name) {
    return !name.empty() && name.find_first_of("\\/:*?\"<>|") == std::string::npos;
}

ProfileNameCheck CheckProfileName(const std::string& asEntered) {
    const std::string trimmed = Trim(asEntered);
    if (!IsValidFileName(trimmed))
        return ProfileNameCheck::InvalidFileName;
    // The path is built from the text as entered, so that is what must stay a plain name in the
    // profile folder.
    if (asEntered.size() > kMaxProfileNameBytes || asEntered.front() == '.' || trimmed[0] == '.')
        return ProfileNameCheck::UnusableName;
    for (const char c : asEntered) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F)
            return ProfileNameCheck::UnusableName;
    }
    return ProfileNameCheck::Valid;
}

TfrmName::TfrmName(QWidget* owner)
    : QDialog(owner), labelName_(new QLabel(this)), editFileName_(new QLineEdit(this)),
      btnOK_(new QPushButton(this)), btnCancel_(new QPushButton(this)) {
    setObjectName("frmName");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kWidth, kHeight);

    labelName_->setObjectName("LabelName");
    labelName_->setTextFormat(Qt::PlainText);
    labelName_->setGeometry(7, 10, 249, 16);
    editFileName_->setObjectName("EditFileName");
    editFileName_->setGeometry(7, 32, 249, 24);
    btnOK_->setObjectName("btnOK");
    btnOK_->setGeometry(kWidth - 7 - 2 * 75 - 8, 76, 75, 25);
    btnOK_->setDefault(true);
    btnCancel_->setObjectName("btnCancel");
    btnCancel_->setGeometry(kWidth - 7 - 75, 76, 75, 25);
    btnCancel_->setAutoDefault(false);
    connect(btnOK_, &QPushButton::clicked, this, &TfrmName::btnOKClick);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);

    ApplyLanguage();
}

void TfrmName::ApplyLanguage() {
    setWindowTitle(qs(Msg(MSG_PROFILE_NAME)));
    labelName_->setText(qs(Msg(MSG_ENTER_PROFILE_NAME)));
    btnOK_->setText(qs(Msg(MSG_OK)));
    btnCancel_->setText(qs(Msg(MSG_CANCEL)));
}

void TfrmName::btnOKClick() {
    const ProfileNameCheck check = CheckProfileName(editFileName_->text().toStdString());
    if (check == ProfileNameCheck::Valid) {
        accepted_ = true;
        accept();
        return;
    }
    // The answer is of no consequence: either button returns to the edit.
    ShowMessageDialog(Msg(check == ProfileNameCheck::InvalidFileName ? MSG_INVALID_FILE_NAME
                                                                     : MSG_INVALID_PROFILE_NAME),
                      Msg(MSG_INVALID_FILE_NAME_TITLE), MsgDlgType::Warning,
                      {Msg(MSG_OK), Msg(MSG_CANCEL)}, Btn(MsgDlgBtn::OK) | Btn(MsgDlgBtn::Cancel));
    editFileName_->setFocus();
    editFileName_->selectAll();
}

std::optional<std::string> AskProfileName(QWidget* owner, const std::string& initial) {
    TfrmName form(owner);
    CenterOver(form, owner);
    form.EditFileName()->setText(qs(initial));
    form.EditFileName()->selectAll();
    form.EditFileName()->setFocus();
    form.exec();
    if (!form.Accepted())
        return std::nullopt;
    return form.EditFileName()->text().toStdString();
}

} // namespace quillabe
