#pragma once
// An owned list of strings that also offers name=value access, as the type tables need.

#include <string>
#include <string_view>
#include <vector>

namespace quillabe {

class StringList {
public:
    void Clear() { items_.clear(); }
    void Add(std::string item) { items_.push_back(std::move(item)); }
    size_t Count() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }
    const std::string& operator[](size_t i) const { return items_[i]; }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    // The part of line i before the first "=" (the whole line when there is none).
    std::string Name(size_t i) const;
    // The part of line i after the first "=".
    std::string ValueFromIndex(size_t i) const;
    // The value of the first line whose name equals `name` (ignoring letter case); empty if none.
    std::string Value(std::string_view name) const;

private:
    std::vector<std::string> items_;
};

} // namespace quillabe
