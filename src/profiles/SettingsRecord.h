#pragma once
// The engine behind every settings record: one table of fields (key, member, default) per record
// drives its defaults, its loading and its saving, so the fourteen formats share one code path.
// Profile files keep every key in section "General".

#include "core/IniFile.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quillabe {

inline constexpr std::string_view kProfileSection = "General";

// Raised when a profile file cannot be written. The write replaces the file in one step, so the
// previous file stays intact when it fails.
class IniWriteError : public std::runtime_error {
public:
    explicit IniWriteError(const std::string& path);
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// The default of a text field that is the current language's "No Description".
struct NoDescriptionText {};

using FieldDefault = std::variant<int32_t, std::string_view, NoDescriptionText>;

template <class R>
using FieldMember = std::variant<std::string R::*, bool R::*, uint8_t R::*, int32_t R::*>;

enum class FieldType { String, Bool, Byte, Int }; // the order of FieldMember's alternatives

template <class R> struct FieldDef {
    std::string key;
    FieldMember<R> member;
    FieldDefault def;

    FieldType Type() const { return static_cast<FieldType>(member.index()); }
};

// Value rules shared by every record (implemented once in SettingsRecord.cpp).
namespace record_io {
std::string DefaultText(const FieldDefault& def);
int32_t DefaultNumber(const FieldDefault& def);
void Load(const IniFile& ini, std::string_view key, std::string& field);
void Load(const IniFile& ini, std::string_view key, bool& field);
void Load(const IniFile& ini, std::string_view key, uint8_t& field);
void Load(const IniFile& ini, std::string_view key, int32_t& field);
void Save(IniFile& ini, std::string_view key, const std::string& field);
void Save(IniFile& ini, std::string_view key, bool field);
void Save(IniFile& ini, std::string_view key, uint8_t field);
void Save(IniFile& ini, std::string_view key, int32_t field);
void Flush(IniFile& ini); // throws IniWriteError
// Field indexes in record order, except that the first head.size() places take the keys of
// `head` in its order. Throws std::logic_error when the head does not name exactly the first
// head.size() keys of the record or when a key appears twice: a broken table, not a bad file.
std::vector<size_t> OrderWithHead(const std::vector<std::string>& recordKeys,
                                  const std::vector<std::string_view>& head);
} // namespace record_io

template <class R> struct RecordLayout {
    std::vector<FieldDef<R>> fields; // record order
    std::vector<size_t> loadOrder;   // indexes into fields
    std::vector<size_t> saveOrder;

    std::vector<std::string> RecordKeys() const {
        std::vector<std::string> keys;
        for (const auto& f : fields)
            keys.push_back(f.key);
        return keys;
    }
    std::vector<std::string> KeysIn(const std::vector<size_t>& order) const {
        std::vector<std::string> keys;
        for (size_t i : order)
            keys.push_back(fields[i].key);
        return keys;
    }
};

template <class R> void ApplyDefaults(R& record, const RecordLayout<R>& layout) {
    for (const auto& f : layout.fields)
        std::visit(
            [&](auto member) {
                auto& field = record.*member;
                using T = std::remove_reference_t<decltype(field)>;
                if constexpr (std::is_same_v<T, std::string>)
                    field = record_io::DefaultText(f.def);
                else
                    field = static_cast<T>(record_io::DefaultNumber(f.def));
            },
            f.member);
}

// Reads every key with the field's current value as the fallback: the record is not reset, so
// keys missing from the file keep whatever the record held.
template <class R>
void LoadRecord(R& record, const RecordLayout<R>& layout, const std::string& path) {
    const IniFile ini(path);
    for (size_t i : layout.loadOrder) {
        const auto& f = layout.fields[i];
        std::visit([&](auto member) { record_io::Load(ini, f.key, record.*member); }, f.member);
    }
}

// Writes every key in the save order and replaces the file in one step.
template <class R>
void SaveRecord(const R& record, const RecordLayout<R>& layout, const std::string& path) {
    IniFile ini(path);
    for (size_t i : layout.saveOrder) {
        const auto& f = layout.fields[i];
        std::visit([&](auto member) { record_io::Save(ini, f.key, record.*member); }, f.member);
    }
    record_io::Flush(ini);
}

// Collects a record's fields in record order; blocks are added through SettingsBlocks.h.
template <class R> class LayoutBuilder {
public:
    LayoutBuilder& Add(std::string key, FieldMember<R> member, FieldDefault def) {
        layout_.fields.push_back({std::move(key), member, def});
        return *this;
    }
    LayoutBuilder& Description() {
        return Add("Description", &R::Description, NoDescriptionText{});
    }
    // EnableTimeControl, Duration and StartTime.
    LayoutBuilder& TimeControl() {
        Add("EnableTimeControl", &R::EnableTimeControl, 0);
        Add("Duration", &R::Duration, std::string_view("0:00:00.000"));
        return Add("StartTime", &R::StartTime, std::string_view("0:00:00.000"));
    }
    // The file handles the first keys in another order than the record declares them.
    LayoutBuilder& LoadHead(std::vector<std::string_view> head) {
        loadHead_ = std::move(head);
        return *this;
    }
    LayoutBuilder& SaveHead(std::vector<std::string_view> head) {
        saveHead_ = std::move(head);
        return *this;
    }
    RecordLayout<R> Build() {
        const auto keys = layout_.RecordKeys();
        layout_.loadOrder = record_io::OrderWithHead(keys, loadHead_);
        layout_.saveOrder = record_io::OrderWithHead(keys, saveHead_);
        return std::move(layout_);
    }

private:
    RecordLayout<R> layout_;
    std::vector<std::string_view> loadHead_;
    std::vector<std::string_view> saveHead_;
};

// The first eight keys as the MOV, WMV, ASF, RM, SWF and VOB files carry them, whatever order
// the record declares its codec fields in.
inline const std::vector<std::string_view> kVideoFileHead = {
    "Description", "EnableTimeControl", "Duration",   "StartTime",
    "VideoCodec",  "VideoSameQuality",  "AudioCodec", "AudioDisableAudio"};

} // namespace quillabe

// Defines <Fmt>SettingsLayout (built once by `buildFn`) and Default<Fmt>Settings,
// Load<Fmt>Settings and Save<Fmt>Settings over the global record and that layout.
#define QUILLABE_RECORD_OPERATIONS(Fmt, instance, buildFn)                                         \
    const ::quillabe::RecordLayout<decltype(instance)>& Fmt##SettingsLayout() {                    \
        static const ::quillabe::RecordLayout<decltype(instance)> layout = buildFn();              \
        return layout;                                                                             \
    }                                                                                              \
    void Default##Fmt##Settings() {                                                                \
        ::quillabe::ApplyDefaults(instance, Fmt##SettingsLayout());                                \
    }                                                                                              \
    void Load##Fmt##Settings(const std::string& path) {                                            \
        ::quillabe::LoadRecord(instance, Fmt##SettingsLayout(), path);                             \
    }                                                                                              \
    void Save##Fmt##Settings(const std::string& path) {                                            \
        ::quillabe::SaveRecord(instance, Fmt##SettingsLayout(), path);                             \
    }
