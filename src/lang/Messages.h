#pragma once
// The message table: one text per key, English defaults built in, replaced from a language file.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quillabe {

enum MsgId : int {
#define QUILLABE_MSG(key, text) key,
#include "lang/MessageKeys.def"
#undef QUILLABE_MSG
    kMsgCount
};

const std::string& Msg(MsgId id);
void SetMsg(MsgId id, std::string text);
std::string_view MsgKey(MsgId id);     // "MSG_OK"
std::string_view MsgDefault(MsgId id); // the built-in English text
void ResetMessages();                  // every text back to its default

// Fills %s and %d in order from the arguments, "%%" gives "%". Texts come from language files,
// so this never reads more arguments than given and never interprets anything else.
using FormatArg = std::variant<std::string, long long>;
std::string FormatText(std::string_view pattern, const std::vector<FormatArg>& args);
std::string FormatMsg(MsgId id, const std::vector<FormatArg>& args);

// The text, or the current placeholder text (MSG_EMPTY_STR) when it is empty.
std::string EmptyToPlaceholder(std::string_view text);

} // namespace quillabe
