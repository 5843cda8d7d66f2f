// Choosing a profile by name, or a preset by title and its variant by title or number, over the
// profiles and presets the program ships (data/profile_en).

#include "profiles/TargetSelection.h"
#include "core/GlobalVars.h"
#include "core/OutputFormat.h"
#include "core/StartupConstants.h"
#include "profiles/ProfileLists.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace quillabe {
namespace {

std::string shippedProfiles() {
    const char* source = std::getenv("QUILLABE_SOURCE_DIR");
    return std::string(source ? source : ".") + "/data/profile_en/";
}

// What was chosen, in one line: "profile NAME" or "preset TITLE / SECTION", or the error's text.
std::string chosen(const TargetChoice& choice) {
    if (const auto* error = std::get_if<TargetError>(&choice))
        return error->message;
    const auto& target = std::get<ChosenTarget>(choice);
    if (target.preset)
        return "preset " + target.preset->Title + " / " + target.variant->SectionName;
    return "profile " + target.profileName;
}

std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

class TargetSelection : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobalVars();
        for (size_t slot = 0; slot < kProfileDirSlots.size(); ++slot)
            GlobalVars.ProfileDirs[slot] =
                shippedProfiles() +
                std::string(kOutputFormats[kProfileDirSlots[slot]].directoryName) + "/";
        GlobalVars.PresetDir = shippedProfiles() + "default_setting/";
        savedBrand_ = BrandVariant;
        BrandVariant = 3; // this build: the MP4 menu holds the iPod presets only
    }
    void TearDown() override {
        BrandVariant = savedBrand_;
        ResetGlobalVars();
    }

    uint8_t savedBrand_ = 0;
};

const std::vector<std::string> kMp3Profiles = {"Default", "MP3 128 kbps", "MP3 192 kbps",
                                               "MP3 320 kbps"};
const std::vector<std::string> kIPodTouchVariants = {"iPod touch H.264 480x320",
                                                     "iPod touch H.264 640x480"};

TEST_F(TargetSelection, ChoosesByNameTitleAndVariant) {
    const struct {
        const char* title;
        TargetRequest request;
        std::string chosen; // see chosen()
        std::vector<std::string> choices;
    } cases[] = {
        {"ProfileByName", {ofMP3, "MP3 192 kbps"}, "profile MP3 192 kbps", {}},
        {"TheOnlyProfileByDefault", {ofASF}, "profile Default", {}},
        {"UnknownProfile", {ofMP3, "Loud"}, "no mp3 profile named 'Loud'", kMp3Profiles},
        {"ProfileNamesKeepTheirCase",
         {ofMP3, "default"},
         "no mp3 profile named 'default'",
         kMp3Profiles},
        {"PresetInTheMenu", {ofMP4, {}, "iPod touch"}, "preset iPod touch / Item1", {}},
        {"PresetOutsideTheMenu", {ofMP4, {}, "PSP H.264"}, "preset PSP H.264 / Item1", {}},
        {"PresetOfTheOtherFormat",
         {of3GP, {}, "iPod touch"},
         "no preset titled 'iPod touch'",
         {"3GP2 phone", "3GPP H.263 phone", "3GPP MPEG-4 phone"}},
        {"ThreeGpSearchesOnlyItsMenu",
         {of3GP, {}, "PSP H.264"},
         "no preset titled 'PSP H.264'",
         {"3GP2 phone", "3GPP H.263 phone", "3GPP MPEG-4 phone"}},
        {"VariantByTitle",
         {ofMP4, {}, "iPod H.264", "iPod H.264 640x480 (for the TV output)"},
         "preset iPod H.264 / Item3",
         {}},
        {"VariantByNumber", {ofMP4, {}, "iPod touch", "2"}, "preset iPod touch / Item2", {}},
        {"VariantWithLeadingZero",
         {ofMP4, {}, "iPod touch", "02"},
         "preset iPod touch / Item2",
         {}},
        {"VariantZero",
         {ofMP4, {}, "iPod touch", "0"},
         "the preset 'iPod touch' has no variant '0'",
         kIPodTouchVariants},
        {"VariantPastTheLast",
         {ofMP4, {}, "iPod touch", "3"},
         "the preset 'iPod touch' has no variant '3'",
         kIPodTouchVariants},
        {"VariantTooLargeForAnyInteger",
         {ofMP4, {}, "iPod touch", "99999999999999999999999"},
         "the preset 'iPod touch' has no variant '99999999999999999999999'",
         kIPodTouchVariants},
        {"VariantNotANumber",
         {ofMP4, {}, "iPod touch", "two"},
         "the preset 'iPod touch' has no variant 'two'",
         kIPodTouchVariants},
        {"VariantSigned",
         {ofMP4, {}, "iPod touch", "+1"},
         "the preset 'iPod touch' has no variant '+1'",
         kIPodTouchVariants},
        {"VariantEmpty",
         {ofMP4, {}, "iPod touch", ""},
         "the preset 'iPod touch' has no variant ''",
         kIPodTouchVariants},
        {"NoSuchFormat", {kOutputFormatCount}, "unknown format 16", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        const TargetChoice choice = SelectTarget(c.request);
        EXPECT_EQ(chosen(choice), c.chosen);
        if (const auto* error = std::get_if<TargetError>(&choice))
            EXPECT_EQ(sorted(error->choices), sorted(c.choices));
        else
            EXPECT_TRUE(c.choices.empty());
    }
}

TEST_F(TargetSelection, WhatTheChoiceLeadsTo) {
    const auto profile = std::get<ChosenTarget>(SelectTarget({ofMP3, "MP3 192 kbps"}));
    EXPECT_EQ(profile.profilePath, shippedProfiles() + "mp3/MP3 192 kbps.mpo");
    EXPECT_FALSE(profile.preset || profile.variant);

    // Nothing named: the first profile in the folder, as the profile box selects it.
    const auto first = std::get<ChosenTarget>(SelectTarget({ofMP3}));
    EXPECT_EQ(first.profileName, ListProfileNames(ofMP3).front());

    const auto preset = std::get<ChosenTarget>(SelectTarget({ofMP4, {}, "iPod touch", "2"}));
    ASSERT_TRUE(preset.preset && preset.variant);
    EXPECT_EQ(preset.preset->PresetPath, shippedProfiles() + "default_setting/iPod touch.ini");
    EXPECT_EQ(preset.variant->PresetPath, preset.preset->PresetPath);
    EXPECT_EQ(preset.variant->Title, "iPod touch H.264 640x480");
    EXPECT_TRUE(preset.profileName.empty() && preset.profilePath.empty());

    // Nothing named: the menu's first preset, which in this build is an iPod preset.
    const auto menu = std::get<ChosenTarget>(SelectTarget({ofMP4}));
    ASSERT_TRUE(menu.preset && menu.variant);
    EXPECT_EQ(menu.preset->Title.rfind("iPod", 0), 0u) << menu.preset->Title;
    EXPECT_EQ(menu.variant->SectionName, "Item1");
}

// Nothing named: the first of each list, the same on every machine. The MP4 menu starts with an
// iPod H.264 preset whichever brand's menu this build shows, the 3GP menu with a preset that
// writes a .3gp file.
TEST_F(TargetSelection, TheFirstOfEachList) {
    EXPECT_EQ(chosen(SelectTarget({ofMP3})), "profile Default");
    for (uint8_t brand : {0, 3}) {
        BrandVariant = brand;
        EXPECT_EQ(chosen(SelectTarget({ofMP4})), "preset iPod H.264 / Item1") << int(brand);
    }
    const auto tgp = std::get<ChosenTarget>(SelectTarget({of3GP}));
    ASSERT_TRUE(tgp.variant);
    EXPECT_EQ(tgp.preset->Title, "3GPP H.263 phone");
    EXPECT_EQ(PresetItemExt(*tgp.variant), "3gp");
}

TEST_F(TargetSelection, NothingToChooseFrom) {
    test::TempDir dir;
    PresetCatalogue catalogue;
    EXPECT_EQ(chosen(SelectTarget({of3GP}, catalogue)), "no presets installed for this format");
    EXPECT_EQ(std::get<TargetError>(SelectTarget({of3GP}, catalogue)).kind,
              TargetError::Kind::NoPresets);

    catalogue.TgpPresetList.push_back(
        {"3GPP bare", dir.Write("bare.ini", "[Info]\nTitleE=3GPP bare\n"), ""});
    EXPECT_EQ(chosen(SelectTarget({of3GP}, catalogue)), "the preset '3GPP bare' has no variants");

    // An empty profile folder gives no profile rather than an error, unless one is named.
    GlobalVars.ProfileDirs[static_cast<size_t>(ProfileDirSlot(ofMP3))] = dir.Path();
    const auto none = std::get<ChosenTarget>(SelectTarget({ofMP3}));
    EXPECT_TRUE(none.profileName.empty() && none.profilePath.empty());
    EXPECT_EQ(chosen(SelectTarget({ofMP3, "Default"})), "no mp3 profile named 'Default'");
}

} // namespace
} // namespace quillabe
