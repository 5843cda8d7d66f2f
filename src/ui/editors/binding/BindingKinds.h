#pragma once
// The kinds of binding between a control and a record field. Each kind owns one conversion:
// free text, check box, a pair of radio buttons, a list index, a table slider's value, a number
// box, a time text, or a value that a group loads and gives back itself.

#include "ui/editors/binding/FieldBinding.h"
#include "ui/editors/groups/TableSlider.h"
#include "ui/editors/groups/TimeControlGroup.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

#include <cstdint>
#include <string>

namespace quillabe::bind {

template <class R> FieldBinding Text(std::string key, QLineEdit* edit, R& r, std::string R::*f) {
    return {std::move(key), [=, &r] { edit->setText(QString::fromStdString(r.*f)); },
            [=, &r] { r.*f = edit->text().toStdString(); }};
}

template <class R> FieldBinding Check(std::string key, QAbstractButton* box, R& r, bool R::*f) {
    return {std::move(key), [=, &r] { box->setChecked(r.*f); },
            [=, &r] { r.*f = box->isChecked(); }};
}

// True selects `whenTrue`, false `whenFalse`.
template <class R>
FieldBinding RadioPair(std::string key, QAbstractButton* whenTrue, QAbstractButton* whenFalse, R& r,
                       bool R::*f) {
    return {std::move(key), [=, &r] { (r.*f ? whenTrue : whenFalse)->setChecked(true); },
            [=, &r] { r.*f = whenTrue->isChecked(); }};
}

// An index outside the list selects nothing, and the field keeps its number until the user
// chooses an entry: a damaged profile is shown as damaged, not silently rewritten.
template <class R> FieldBinding ListIndex(std::string key, QComboBox* list, R& r, uint8_t R::*f) {
    return {std::move(key), [=, &r] { list->setCurrentIndex(r.*f < list->count() ? r.*f : -1); },
            [=, &r] {
                if (list->currentIndex() >= 0)
                    r.*f = static_cast<uint8_t>(list->currentIndex());
            }};
}

template <class R> FieldBinding Slider(std::string key, TableSlider* slider, R& r, int32_t R::*f) {
    return {std::move(key), [=, &r] { slider->Load(r.*f); }, [=, &r] { r.*f = slider->Value(); }};
}

// Values beyond the box's bounds load as the nearer bound.
template <class R> FieldBinding Number(std::string key, QSpinBox* box, R& r, int32_t R::*f) {
    return {std::move(key), [=, &r] { box->setValue(r.*f); }, [=, &r] { r.*f = box->value(); }};
}

// Start and Duration as written; loading either recomputes End.
template <class R>
FieldBinding Time(std::string key, TimeControlGroup* group, TimeBox box, R& r, std::string R::*f) {
    return {std::move(key), [=, &r] { group->LoadText(box, r.*f); },
            [=, &r] { r.*f = group->Text(box); }};
}

// A value a group loads and reports itself (a specified bitrate, a radio choice).
template <class R, class T, class LoadFn, class ValueFn>
FieldBinding Value(std::string key, R& r, T R::*f, LoadFn load, ValueFn value) {
    return {std::move(key), [=, &r] { load(r.*f); }, [=, &r] { r.*f = static_cast<T>(value()); }};
}

} // namespace quillabe::bind
