#include "ui/dialogs/TfrmEnterValue.h"

#include "core/MessageDialogs.h"
#include "lang/Messages.h"
#include "ui/dialogs/DialogPlacement.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdint>
#include <optional>

namespace quillabe {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The standard integer conversion of typed numbers: leading blanks, an optional sign, decimal
// digits or hexadecimal after '$' or '0x'. Hexadecimal covers the whole 32-bit pattern
// ($FFFFFFFF is -1). On failure `errorPos` is the 1-based position of the first character that
// does not fit, or one past the end when the digits are missing.
std::optional<int32_t> convertInteger(const std::string& text, int& errorPos) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < n && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    const uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 2147483648ull : 2147483647ull);
    uint64_t magnitude = 0;
    const size_t firstDigit = i;
    for (; i < n; ++i) {
        const int digit = hex                                  ? hexDigit(text[i])
                          : (text[i] >= '0' && text[i] <= '9') ? text[i] - '0'
                                                               : -1;
        if (digit < 0)
            break;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
        if (magnitude > limit) {
            errorPos = static_cast<int>(i) + 1;
            return std::nullopt;
        }
    }
    if (i < n || i == firstDigit) {
        errorPos = static_cast<int>(i) + 1;
        return std::nullopt;
    }
    if (hex) {
        auto bits = static_cast<uint32_t>(magnitude);
        if (negative)
            bits = 0u - bits;
        return static_cast<int32_t>(bits);
    }
    return static_cast<int32_t>(negative ? -static_cast<int64_t>(magnitude)
                                         : static_cast<int64_t>(magnitude));
}

// The value entry window. OK checks the text and closes only on a value within the bounds;
// Escape cancels from any control.
class TfrmEnterValue : public QDialog {
public:
    explicit TfrmEnterValue(QWidget* owner)
        : QDialog(owner), LabelDisplayMessage(new QLabel(this)), EditValue(new QLineEdit(this)),
          btnOK(new QPushButton(this)), btnCancel(new QPushButton(this)) {
        setObjectName("frmEnterValue");
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowCloseButtonHint);
        LabelDisplayMessage->setObjectName("LabelDisplayMessage");
        LabelDisplayMessage->setTextFormat(Qt::PlainText);
        LabelDisplayMessage->setWordWrap(true);
        EditValue->setObjectName("EditValue");
        btnOK->setObjectName("btnOK");
        btnOK->setDefault(true);
        btnCancel->setObjectName("btnCancel");
        btnCancel->setAutoDefault(false);
        btnOK->setText(qs(Msg(MSG_OK)));
        btnCancel->setText(qs(Msg(MSG_CANCEL)));

        auto* buttons = new QHBoxLayout;
        buttons->addStretch(1);
        buttons->addWidget(btnOK);
        buttons->addWidget(btnCancel);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(LabelDisplayMessage);
        layout->addWidget(EditValue);
        layout->addLayout(buttons);
        setMinimumWidth(300);

        connect(btnOK, &QPushButton::clicked, this, &TfrmEnterValue::btnOKClick);
        connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
        EditValue->installEventFilter(this);
        btnOK->installEventFilter(this);
        btnCancel->installEventFilter(this);
    }

    int32_t MinValue = 0;
    int32_t MaxValue = 0;
    bool Accepted = false;
    int32_t Value = 0;

    QLabel* LabelDisplayMessage;
    QLineEdit* EditValue;
    QPushButton* btnOK;
    QPushButton* btnCancel;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            reject();
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }

private:
    void btnOKClick() {
        Accepted = false;
        int errorPos = 0;
        const std::optional<int32_t> value =
            convertInteger(EditValue->text().toStdString(), errorPos);
        if (!value) {
            ShowMessageBox(FormatMsg(MSG_INVAILD_VALUE, {static_cast<long long>(errorPos)}),
                           Msg(MSG_INVAILD_VALUE_TITLE), MB_OK | MB_ICONEXCLAMATION);
        } else if (*value < MinValue || *value > MaxValue) {
            ShowMessageBox(FormatMsg(MSG_INVAILD_VALUE_BETWEEN, {static_cast<long long>(MinValue),
                                                                 static_cast<long long>(MaxValue)}),
                           Msg(MSG_INVAILD_VALUE_BETWEEN_TITLE), MB_OK | MB_ICONEXCLAMATION);
        } else {
            Value = *value;
            Accepted = true;
            accept();
            return;
        }
        EditValue->setFocus();
        EditValue->selectAll();
    }
};

} // namespace

int AskIntegerValue(QWidget* owner, const std::string& title, const std::string& prompt,
                    int current, int maxValue, int minValue) {
    TfrmEnterValue form(owner);
    form.setWindowTitle(qs(title));
    form.LabelDisplayMessage->setText(qs(prompt));
    form.MaxValue = maxValue;
    form.MinValue = minValue;
    form.adjustSize();
    CenterOver(form, owner);
    form.EditValue->setFocus();
    form.exec();
    return form.Accepted ? form.Value : current;
}

} // namespace quillabe
