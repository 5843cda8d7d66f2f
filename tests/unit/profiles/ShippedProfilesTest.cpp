// The profiles and presets installed with the program (data/profile_en): complete, in the file
// order of their records, and presets whose commands the encoder adapter understands.

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "core/IniFile.h"
#include "core/OutputFormat.h"
#include "lang/Messages.h"
#include "profiles/PresetCatalogue.h"
#include "profiles/ProfileDirs.h"
#include "profiles/ProfileRecords.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <sstream>

namespace quillabe {
namespace {

std::string dataDir() {
    const char* source = std::getenv("QUILLABE_SOURCE_DIR");
    return std::string(source ? source : ".") + "/data/profile_en/";
}

TEST(ShippedProfiles, EveryProfileIsCompleteAndDescribed) {
    ResetMessages();
    test::TempDir tmp;
    int profiles = 0;
    for (const auto& f : kOutputFormats) {
        const ProfileRecordOps* ops = FindProfileRecordOps(f.index);
        if (!ops)
            continue;
        const std::string dir = dataDir() + std::string(f.directoryName) + "/";
        const std::string ext = "." + GetProfileExt(f.directoryName);
        SCOPED_TRACE(dir);

        // The default profile is exactly what the program writes for a new one.
        ops->defaults();
        const std::string fresh(f.directoryName);
        ops->save(tmp.File(fresh));
        std::string shipped;
        ASSERT_TRUE(ReadFileText(dir + "Default" + ext, shipped));
        EXPECT_EQ(shipped, tmp.Read(fresh));

        for (const auto& name : ListDirectory(dir, "")) {
            SCOPED_TRACE(name);
            ++profiles;
            EXPECT_TRUE(EndsWith(name, ext));
            const IniFile ini(dir + name);
            EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{"General"});
            EXPECT_EQ(ini.ReadSectionKeys("General"), ops->saveKeys());
            const std::string description = ini.ReadString("General", "Description", "");
            if (name != "Default" + ext) {
                EXPECT_NE(description, Msg(MSG_NO_DESCRIPTION));
                EXPECT_GT(description.size(), 20u);
            }
        }
    }
    EXPECT_GE(profiles, 30);
}

// Options of the old encoder vocabulary that the adapter accepts, with the form of their values.
using ValueCheck = std::function<bool(const std::string&)>;

ValueCheck oneOf(std::set<std::string> values) {
    return [values = std::move(values)](const std::string& v) { return values.count(v) > 0; };
}

// A whole number without leading zero.
bool positive(const std::string& v) {
    return !v.empty() && v[0] != '0' && v.find_first_not_of("0123456789") == std::string::npos;
}

// `first`, then the separator, then `second`; a missing separator leaves `second` unchecked.
bool pair(const std::string& v, char separator, bool (*first)(const std::string&),
          bool (*second)(const std::string&), bool separatorRequired) {
    size_t at = v.find(separator);
    if (at == std::string::npos)
        return !separatorRequired && first(v);
    return first(v.substr(0, at)) && second(v.substr(at + 1));
}

bool digits(const std::string& v) {
    return !v.empty() && v.find_first_not_of("0123456789") == std::string::npos;
}

const std::map<std::string, ValueCheck>& presetOptions() {
    static const std::map<std::string, ValueCheck> options = {
        {"-f", oneOf({"mp4", "3gp", "3g2", "psp", "ipod"})},
        {"-vcodec", oneOf({"mpeg4", "h264", "h263", "xvid"})},
        {"-s", [](const std::string& v) { return pair(v, 'x', positive, positive, true); }},
        {"-b",
         [](const std::string& v) {
             return v.size() > 1 && v.back() == 'k' && positive(v.substr(0, v.size() - 1));
         }},
        {"-r", [](const std::string& v) { return pair(v, '.', positive, digits, false); }},
        {"-ab", positive},
        {"-aspect", oneOf({"4:3", "16:9"})},
        {"-acodec", oneOf({"aac"})},
        {"-ac", oneOf({"1", "2"})},
        {"-ar", oneOf({"8000", "11025", "16000", "22050", "24000", "32000", "44100", "48000"})},
        {"-strict", oneOf({"-2"})},
    };
    return options;
}

void checkCommand(const std::string& command, const std::string& ext) {
    SCOPED_TRACE(command);
    const std::string head = "\"<%AppPath%>/divuvo.dll\" -p 4417306 -i \"<%InputFile%>\" ";
    const std::string tail = " \"<%OutputFile%>." + ext + "\"";
    ASSERT_TRUE(StartsWith(command, head));
    ASSERT_TRUE(EndsWith(command, tail));
    // Placeholders become shell variables that must stand inside double quotes.
    size_t quotes = 0;
    for (size_t i = 0; i < command.size(); ++i) {
        if (command[i] == '"') {
            ++quotes;
        } else if (command.compare(i, 2, "<%") == 0) {
            EXPECT_EQ(quotes % 2, 1u) << "placeholder outside quotes at " << i;
        }
    }
    std::istringstream words(
        command.substr(head.size(), command.size() - head.size() - tail.size()));
    std::string word, vcodec, size;
    while (words >> word) {
        if (word == "-y")
            continue;
        auto option = presetOptions().find(word);
        ASSERT_NE(option, presetOptions().end()) << word;
        std::string value;
        ASSERT_TRUE(words >> value) << word;
        EXPECT_TRUE(option->second(value)) << word << " " << value;
        if (word == "-vcodec")
            vcodec = value;
        if (word == "-s")
            size = value;
    }
    if (vcodec == "h263") {
        EXPECT_TRUE(size == "176x144" || size == "352x288") << size;
    }
}

TEST(ShippedPresets, VariantsCallTheAdapterAndLeaveTheOutputInPlace) {
    const std::string dir = dataDir() + "default_setting";
    PresetCatalogue catalogue;
    ASSERT_TRUE(LoadPresetCatalogue(dir, catalogue));
    EXPECT_GE(catalogue.IPodPresetList.size(), 2u);
    EXPECT_GE(catalogue.TgpPresetList.size(), 2u);
    EXPECT_GE(catalogue.PspPresetList.size(), 1u);
    EXPECT_TRUE(catalogue.OtherPresetList.empty());
    for (const auto* list :
         {&catalogue.IPodPresetList, &catalogue.TgpPresetList, &catalogue.PspPresetList}) {
        for (const auto& preset : *list) {
            SCOPED_TRACE(preset.PresetPath);
            EXPECT_FALSE(preset.Description.empty());
            const auto items = LoadPresetItems(preset.PresetPath);
            ASSERT_FALSE(items.empty());
            const bool phone = list == &catalogue.TgpPresetList;
            for (const auto& item : items) {
                SCOPED_TRACE(item.SectionName);
                EXPECT_FALSE(item.Title.empty());
                const std::string ext = PresetItemExt(item);
                EXPECT_TRUE(phone ? (ext == "3gp" || ext == "3g2") : ext == "mp4") << ext;
                const auto commands = PresetCommandTemplates(item);
                ASSERT_FALSE(commands.empty());
                for (const auto& command : commands)
                    checkCommand(command, ext);
            }
        }
    }
}

} // namespace
} // namespace quillabe
