#include "ui/skin/SkinPalette.h"

namespace quillabe {

namespace {
// Slate chrome with light content wells and one azure accent.
const SkinPalette kSlate{
    .labelText = QColor(0xFF, 0xFF, 0xFF),
    .buttonText = QColor(0xFF, 0xFF, 0xFF),
    .buttonTextDisabled = QColor(0x8A, 0x96, 0xA6),
    .panel = QColor(0xF4, 0xF6, 0xF9),
    .panelText = QColor(0x2A, 0x33, 0x40),
    .panelHeading = QColor(0x1F, 0x6F, 0xD1),
    .link = QColor(0x1F, 0x6F, 0xD1),
    .field = QColor(0xFF, 0xFF, 0xFF),
    .fieldText = QColor(0x1E, 0x25, 0x2E),
    .fieldBorder = QColor(0xC5, 0xCE, 0xD9),
    .selection = QColor(0x2F, 0x80, 0xED),
    .selectionText = QColor(0xFF, 0xFF, 0xFF),
};
// A plain grey skin with dark text, for pictures drawn on a light background.
const SkinPalette kPlain{
    .labelText = QColor(0x10, 0x10, 0x10),
    .buttonText = QColor(0x10, 0x10, 0x10),
    .buttonTextDisabled = QColor(0x90, 0x90, 0x90),
    .panel = QColor(0xF0, 0xF0, 0xF0),
    .panelText = QColor(0x10, 0x10, 0x10),
    .panelHeading = QColor(0x00, 0x00, 0x80),
    .link = QColor(0x00, 0x00, 0x80),
    .field = QColor(0xFF, 0xFF, 0xFF),
    .fieldText = QColor(0x00, 0x00, 0x00),
    .fieldBorder = QColor(0xA0, 0xA0, 0xA0),
    .selection = QColor(0x33, 0x66, 0xCC),
    .selectionText = QColor(0xFF, 0xFF, 0xFF),
};
} // namespace

const SkinPalette& BuiltInSkin(bool defaultSkin) {
    return defaultSkin ? kSlate : kPlain;
}

} // namespace quillabe
