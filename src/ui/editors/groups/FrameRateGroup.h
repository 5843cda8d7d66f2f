#pragma once
// A codec page's frame rate: the source's ("Auto") or one of a list, stored as the list index.

#include <QGroupBox>

#include <span>
#include <string_view>

class QComboBox;
class QRadioButton;

namespace quillabe {

class FrameRateGroup : public QGroupBox {
    Q_OBJECT
public:
    FrameRateGroup(const QString& suffix, std::span<const std::string_view> rates,
                   QWidget* parent = nullptr);

    QRadioButton* AutoButton() const { return auto_; }
    QRadioButton* ChangeButton() const { return change_; }
    QComboBox* List() const { return list_; }
    void ApplyEnabling();

private:
    QRadioButton* auto_;
    QRadioButton* change_;
    QComboBox* list_;
};

} // namespace quillabe
