#pragma once
// One control (or group) bound to one record field, named by the field's profile key. An editor's
// bindings form a table that is walked in order both ways; the conversions between the control's
// state and the field's value live in the binding kinds (BindingKinds.h).

#include <functional>
#include <string>
#include <vector>

namespace quillabe {

struct FieldBinding {
    std::string key;
    std::function<void()> load;  // record → control
    std::function<void()> store; // control → record
};

using BindingTable = std::vector<FieldBinding>;

inline void LoadBindings(const BindingTable& table) {
    for (const auto& b : table)
        b.load();
}

inline void StoreBindings(const BindingTable& table) {
    for (const auto& b : table)
        b.store();
}

} // namespace quillabe
