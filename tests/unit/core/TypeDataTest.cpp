#include "core/TypeData.h"
#include "core/GlobalVars.h"
#include "core/StartupConstants.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace quillabe;
using quillabe::test::ProgramHome;

namespace {

class TypeDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobalVars();
        SetStartupConstants();
        GlobalVars.LanguageFile = "english.ini";
    }
    ProgramHome home;
};

TEST_F(TypeDataTest, FileNameFollowsTheLanguageFile) {
    EXPECT_EQ(TypeDataFileName(), home.Path() + "skin/ozu/lang/type_english.dat");
    GlobalVars.LanguageFile = "FRENCH.INI";
    EXPECT_EQ(TypeDataFileName(), home.Path() + "skin/ozu/lang/type_FRENCH.dat");
}

TEST_F(TypeDataTest, AvsListEndsAtTheFirstMissingNumber) {
    home.Dir().Write("skin/ozu/lang/type_english.dat",
                     "[AVSExt]\n1=.rmvb\n2=.RM\n4=.wtv\n[InputFileTypes]\n"
                     "Video=*.avi;*.mpg\nAudio=*.mp3\nVideo=*.mkv\n");
    LoadTypeData();
    ASSERT_EQ(GlobalVars.AvsExtensions.Count(), 2u);
    EXPECT_EQ(GlobalVars.AvsExtensions[1], ".RM");
    ASSERT_EQ(GlobalVars.InputFileTypes.Count(), 3u);
    EXPECT_EQ(GlobalVars.InputFileTypes[2], "Video=*.mkv");
    // A repeated name shows the value of its first line each time.
    EXPECT_EQ(BuildOpenFilter(GlobalVars.InputFileTypes, "All Files"),
              "Video|*.avi;*.mpg|Audio|*.mp3|Video|*.avi;*.mpg|All Files|*.*");
}

TEST_F(TypeDataTest, KnownInputTypesAreSubstringsOfAPatternLine) {
    home.Dir().Write("skin/ozu/lang/type_english.dat", "[InputFileTypes]\nVideo=*.avi;*.mpg\n");
    LoadTypeData();
    EXPECT_TRUE(IsKnownInputType(".AVI"));
    EXPECT_TRUE(IsKnownInputType(".av"));
    EXPECT_TRUE(IsKnownInputType(".mpg"));
    EXPECT_FALSE(IsKnownInputType(".mkv"));
    EXPECT_FALSE(IsKnownInputType(""));
}

TEST_F(TypeDataTest, MissingSectionsGiveEmptyLists) {
    home.Dir().Write("skin/ozu/lang/type_english.dat", "; nothing here\n");
    GlobalVars.AvsExtensions.Add(".old");
    LoadTypeData();
    EXPECT_TRUE(GlobalVars.AvsExtensions.Empty());
    EXPECT_TRUE(GlobalVars.InputFileTypes.Empty());
    EXPECT_FALSE(IsKnownInputType(".avi"));
}

} // namespace
