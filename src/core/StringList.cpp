#include "core/StringList.h"

#include "base/TextUtils.h"

namespace quillabe {

std::string StringList::Name(size_t i) const {
    const std::string& line = items_[i];
    size_t eq = line.find('=');
    return eq == std::string::npos ? line : line.substr(0, eq);
}

std::string StringList::ValueFromIndex(size_t i) const {
    const std::string& line = items_[i];
    size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

std::string StringList::Value(std::string_view name) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].find('=') != std::string::npos && SameText(Name(i), name))
            return ValueFromIndex(i);
    return {};
}

} // namespace quillabe
