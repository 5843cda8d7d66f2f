// Filing of preset files, their variants and the command templates of a variant.

#include "profiles/PresetCatalogue.h"
#include "core/StartupConstants.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quillabe {
namespace {

using test::TempDir;

std::vector<std::string> titles(const std::vector<TProfileItem>& items) {
    std::vector<std::string> t;
    for (const auto& i : items)
        t.push_back(i.Title);
    std::sort(t.begin(), t.end());
    return t;
}

TEST(PresetCatalogue, FilesByTitleFirstMatchWins) {
    TempDir dir;
    const struct {
        const char* file;
        const char* title;
    } presets[] = {
        {"a.ini", "iPod and 3GPP phone"}, {"b.ini", "3GP2 phone"},    {"c.ini", "iPod classic"},
        {"d.ini", "PSP with iPod sound"}, {"e.ini", "PSP 480x272"},   {"f.ini", "ipod lower case"},
        {"g.ini", "3gpp lower case"},     {"h.INI", "PSP upper ext"}, {"i.txt", "iPod not ini"},
    };
    for (const auto& p : presets)
        dir.Write(std::string("presets/") + p.file, std::string("[Info]\nTitleE=") + p.title +
                                                        "\nDescriptionE=About " + p.title + "\n");
    dir.Write("presets/untitled.ini", "[Item1]\nTitleE=x\n");

    PresetCatalogue c;
    ASSERT_TRUE(LoadPresetCatalogue(dir.File("presets"), c)); // no trailing "/"
    EXPECT_EQ(titles(c.TgpPresetList),
              (std::vector<std::string>{"3GP2 phone", "iPod and 3GPP phone"}));
    EXPECT_EQ(titles(c.IPodPresetList),
              (std::vector<std::string>{"PSP with iPod sound", "iPod classic"}));
    EXPECT_EQ(titles(c.PspPresetList), (std::vector<std::string>{"PSP 480x272", "PSP upper ext"}));
    EXPECT_EQ(titles(c.OtherPresetList),
              (std::vector<std::string>{"", "3gpp lower case", "ipod lower case"}));

    const auto it = std::find_if(c.PspPresetList.begin(), c.PspPresetList.end(),
                                 [](const TProfileItem& i) { return i.Title == "PSP 480x272"; });
    ASSERT_NE(it, c.PspPresetList.end());
    EXPECT_EQ(it->PresetPath, dir.File("presets/e.ini"));
    EXPECT_EQ(it->Description, "About PSP 480x272");

    PresetCatalogue none;
    EXPECT_FALSE(LoadPresetCatalogue(dir.File("missing"), none));
    EXPECT_TRUE(none.IPodPresetList.empty() && none.OtherPresetList.empty());
}

TEST(PresetCatalogue, Mp4MenuByBrandVariant) {
    PresetCatalogue c;
    c.IPodPresetList = {{"iPod A", "a", ""}, {"iPod B", "b", ""}};
    c.PspPresetList = {{"PSP C", "c", ""}};
    c.TgpPresetList = {{"3GPP D", "d", ""}};
    const uint8_t saved = BrandVariant;
    const struct {
        uint8_t brand;
        std::vector<std::string> menu;
    } cases[] = {
        {0, {"iPod A", "iPod B", "PSP C"}}, {1, {}}, {2, {"PSP C"}},
        {3, {"iPod A", "iPod B"}},          {4, {}},
    };
    for (const auto& k : cases) {
        BrandVariant = k.brand;
        std::vector<std::string> menu;
        for (const auto& i : Mp4PresetMenu(c))
            menu.push_back(i.Title);
        EXPECT_EQ(menu, k.menu) << int(k.brand);
    }
    BrandVariant = saved;
    ASSERT_EQ(TgpPresetMenu(c).size(), 1u);
    EXPECT_EQ(TgpPresetMenu(c)[0].PresetPath, "d");
}

TEST(PresetCatalogue, VariantsExtensionAndCommands) {
    TempDir dir;
    const std::string path = dir.Write("p.ini", "[Info]\n"
                                                "TitleE=iPod\n"
                                                "[Item1]\n"
                                                "TitleE=Small\n"
                                                "EXT=mp4\n"
                                                "Command2=second\n"
                                                "command3=lower case key\n"
                                                "Command1=\"first quoted\"\n"
                                                "Commands=any suffix\n"
                                                "XCommand=not a prefix\n"
                                                "[item2]\n"
                                                "TitleE=lower case section\n"
                                                "[Item3]\n"
                                                "EXT=\n"
                                                "[ItemX]\n"
                                                "TitleE=Last\n"
                                                "ext=m4v\n");
    const auto items = LoadPresetItems(path);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].SectionName, "Item1");
    EXPECT_EQ(items[0].Title, "Small");
    EXPECT_EQ(items[0].PresetPath, path);
    EXPECT_EQ(items[1].SectionName, "Item3");
    EXPECT_EQ(items[1].Title, ""); // no TitleE
    EXPECT_EQ(items[2].SectionName, "ItemX");

    EXPECT_EQ(PresetItemExt(items[0]), "mp4");
    EXPECT_EQ(PresetItemExt(items[1]), "");
    EXPECT_EQ(PresetItemExt(items[2]), "m4v"); // key names ignore letter case

    EXPECT_EQ(PresetCommandTemplates(items[0]),
              (std::vector<std::string>{"second", "first quoted", "any suffix"}));
    EXPECT_TRUE(PresetCommandTemplates(items[1]).empty());

    EXPECT_TRUE(LoadPresetItems(dir.Write("empty.ini", "")).empty());
    EXPECT_TRUE(LoadPresetItems(dir.File("missing.ini")).empty());
}

TEST(PresetCatalogue, RepeatedCommandKeysKeepTheirOwnLines) {
    TempDir dir;
    const std::string path = dir.Write("p.ini", "[Item1]\nCommand1=pass one\nCommand1=pass two\n");
    EXPECT_EQ(PresetCommandTemplates({path, "Item1", ""}),
              (std::vector<std::string>{"pass one", "pass two"}));
}

} // namespace
} // namespace quillabe
