#pragma once
// Message texts as Qt strings, for the editors' captions.

#include "lang/Messages.h"

#include <QString>

#include <string>

namespace quillabe {

inline QString qs(const std::string& text) {
    return QString::fromStdString(text);
}
inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline QString MsgText(MsgId id) {
    return qs(Msg(id));
}

} // namespace quillabe
