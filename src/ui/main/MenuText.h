#pragma once
// Texts for menus and actions. Names found on disk (preset titles, language file names) may hold
// a "&" that is part of the name, not the mark of a keyboard accelerator, so it is doubled to
// show as it is. A message that a language file left empty keeps its built-in text, so that no
// menu entry turns blank and unusable.

#include "lang/Messages.h"

#include <QString>

#include <string>

namespace quillabe {

inline QString MenuTextOf(const std::string& name) {
    return QString::fromStdString(name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

inline std::string ShownMsg(MsgId id) {
    const std::string& text = Msg(id);
    return text.empty() ? std::string(MsgDefault(id)) : text;
}

inline QString ShownText(MsgId id) {
    return QString::fromStdString(ShownMsg(id));
}

} // namespace quillabe
