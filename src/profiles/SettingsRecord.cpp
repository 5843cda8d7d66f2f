#include "profiles/SettingsRecord.h"

#include "lang/Messages.h"

#include <unordered_set>

namespace quillabe {

IniWriteError::IniWriteError(const std::string& path)
    : std::runtime_error("Unable to write to " + path), path_(path) {}

namespace record_io {

std::string DefaultText(const FieldDefault& def) {
    if (std::holds_alternative<NoDescriptionText>(def))
        return Msg(MSG_NO_DESCRIPTION);
    if (const auto* text = std::get_if<std::string_view>(&def))
        return std::string(*text);
    throw std::logic_error("a text field with a number as its default");
}

int32_t DefaultNumber(const FieldDefault& def) {
    if (const auto* number = std::get_if<int32_t>(&def))
        return *number;
    throw std::logic_error("a number field with a text as its default");
}

void Load(const IniFile& ini, std::string_view key, std::string& field) {
    if (auto value = ini.Find(kProfileSection, key))
        field = *value;
}

void Load(const IniFile& ini, std::string_view key, bool& field) {
    field = ini.ReadInteger(kProfileSection, key, field ? 1 : 0) != 0;
}

void Load(const IniFile& ini, std::string_view key, uint8_t& field) {
    field = static_cast<uint8_t>(ini.ReadInteger(kProfileSection, key, field) & 0xFF);
}

void Load(const IniFile& ini, std::string_view key, int32_t& field) {
    field = ini.ReadInteger(kProfileSection, key, field);
}

void Save(IniFile& ini, std::string_view key, const std::string& field) {
    ini.WriteString(kProfileSection, key, field); // reads back unchanged, see IniFile.h
}

void Save(IniFile& ini, std::string_view key, bool field) {
    ini.WriteBool(kProfileSection, key, field);
}

void Save(IniFile& ini, std::string_view key, uint8_t field) {
    ini.WriteInteger(kProfileSection, key, field);
}

void Save(IniFile& ini, std::string_view key, int32_t field) {
    ini.WriteInteger(kProfileSection, key, field);
}

void Flush(IniFile& ini) {
    if (!ini.Flush())
        throw IniWriteError(ini.Path());
}

std::vector<size_t> OrderWithHead(const std::vector<std::string>& recordKeys,
                                  const std::vector<std::string_view>& head) {
    std::unordered_set<std::string_view> seen;
    for (const auto& key : recordKeys)
        if (!seen.insert(key).second)
            throw std::logic_error("settings key listed twice: " + key);
    if (head.size() > recordKeys.size())
        throw std::logic_error("key order longer than the record");
    std::vector<size_t> order;
    std::unordered_set<std::string_view> headKeys(head.begin(), head.end());
    for (std::string_view key : head) {
        size_t i = 0;
        while (i < head.size() && recordKeys[i] != key)
            ++i;
        if (i == head.size())
            throw std::logic_error("key order names a key outside the record's head: " +
                                   std::string(key));
        order.push_back(i);
    }
    if (headKeys.size() != head.size())
        throw std::logic_error("key order lists a key twice");
    for (size_t i = head.size(); i < recordKeys.size(); ++i)
        order.push_back(i);
    return order;
}

} // namespace record_io

} // namespace quillabe
