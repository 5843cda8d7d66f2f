#pragma once
// A group of radio buttons, each standing for a number the record stores (the aspect groups).
// Loading a number no button stands for leaves the buttons as they were.

#include "ui/editors/groups/ValueTables.h"

#include <QGroupBox>

#include <span>
#include <vector>

class QRadioButton;

namespace quillabe {

class ChoiceGroup : public QGroupBox {
    Q_OBJECT
public:
    // The first choice is selected on a new window.
    ChoiceGroup(const QString& objectName, MsgId title, const QString& suffix,
                std::span<const editor_tables::Choice> choices, QWidget* parent = nullptr);

    void Load(int value);
    int Value() const;
    QRadioButton* Button(size_t i) const { return buttons_[i]; }

private:
    std::span<const editor_tables::Choice> choices_;
    std::vector<QRadioButton*> buttons_;
};

// Fixed frame sizes as radio buttons (the H.263 page); a stored pair that none stands for
// selects the default choice.
class FixedSizeGroup : public QGroupBox {
    Q_OBJECT
public:
    FixedSizeGroup(const QString& suffix, std::span<const editor_tables::SizeChoice> choices,
                   size_t defaultChoice, QWidget* parent = nullptr);

    void Load(int width, int height);
    editor_tables::FrameSize Value() const;
    QRadioButton* Button(size_t i) const { return buttons_[i]; }

private:
    std::span<const editor_tables::SizeChoice> choices_;
    size_t default_;
    std::vector<QRadioButton*> buttons_;
};

} // namespace quillabe
