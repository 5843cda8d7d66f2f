#pragma once
// The two built-in skins that "DefaultSkin" chooses between: the colours of the skinned controls
// that sit on the background picture. The first matches the pictures shipped in data/skin/ozu.

#include <QColor>

namespace quillabe {

struct SkinPalette {
    QColor labelText;  // labels on the background (title, captions, summary)
    QColor buttonText; // captions of the image buttons
    QColor buttonTextDisabled;
    QColor panel; // the media panel
    QColor panelText;
    QColor panelHeading; // "General", "Video", "Audio"
    QColor link;         // "More Information..."
    QColor field;        // list, edit and combo boxes
    QColor fieldText;
    QColor fieldBorder;
    QColor selection; // the accent: selected entries, focus frames
    QColor selectionText;
};

// true: the first built-in skin; false: the second.
const SkinPalette& BuiltInSkin(bool defaultSkin);

} // namespace quillabe
