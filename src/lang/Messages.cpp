#include "lang/Messages.h"

#include <array>

namespace quillabe {

namespace {
struct MsgDef {
    std::string_view key;
    std::string_view text;
};

constexpr std::array<MsgDef, kMsgCount> kDefaults = {{
#define QUILLABE_MSG(key, text) {#key, text},
#include "lang/MessageKeys.def"
#undef QUILLABE_MSG
}};

std::array<std::string, kMsgCount>& table() {
    static std::array<std::string, kMsgCount> texts = [] {
        std::array<std::string, kMsgCount> t;
        for (size_t i = 0; i < t.size(); ++i)
            t[i] = std::string(kDefaults[i].text);
        return t;
    }();
    return texts;
}
} // namespace

const std::string& Msg(MsgId id) {
    return table()[static_cast<size_t>(id)];
}
void SetMsg(MsgId id, std::string text) {
    table()[static_cast<size_t>(id)] = std::move(text);
}
std::string_view MsgKey(MsgId id) {
    return kDefaults[static_cast<size_t>(id)].key;
}
std::string_view MsgDefault(MsgId id) {
    return kDefaults[static_cast<size_t>(id)].text;
}

void ResetMessages() {
    for (size_t i = 0; i < kDefaults.size(); ++i)
        table()[i] = std::string(kDefaults[i].text);
}

std::string FormatText(std::string_view pattern, const std::vector<FormatArg>& args) {
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c != '%' || i + 1 >= pattern.size()) {
            out += c;
            continue;
        }
        char conversion = pattern[i + 1];
        if (conversion == '%') {
            out += '%';
            ++i;
        } else if (conversion == 's' || conversion == 'd') {
            if (next < args.size()) {
                const FormatArg& a = args[next];
                out += std::holds_alternative<std::string>(a)
                           ? std::get<std::string>(a)
                           : std::to_string(std::get<long long>(a));
            }
            ++next;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::string FormatMsg(MsgId id, const std::vector<FormatArg>& args) {
    return FormatText(Msg(id), args);
}

std::string EmptyToPlaceholder(std::string_view text) {
    return text.empty() ? Msg(MSG_EMPTY_STR) : std::string(text);
}

} // namespace quillabe
