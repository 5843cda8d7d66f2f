#include "divuvo/AvsScript.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quillabe::divuvo {
namespace {

// The shipped template, filled in as the program fills it: textually, in any letter case.
std::string fromTemplate(const std::string& path) {
    std::string text;
    EXPECT_TRUE(
        ReadFileText(std::string(QUILLABE_SOURCE) + "/data/profile_en/DirectShow.avs", text));
    return ReplaceAllIgnoreCase(text, "<%inputfile%>", path);
}

TEST(DivuvoAvs, TheTemplatesGiveBackAnyPath) {
    const char* paths[] = {
        "/videos/clip.avi",
        "/v/it's \"quoted\" (1).avi",
        "/v/ends with \")",
        "/v/two\nlines\r\n.mkv",
        "/v/DirectShowSource(\"inner\").avi",
        "-leading dash $HOME `cmd`.avi",
        "/v/caf\xC3\xA9.mp4",
    };
    for (const char* dir : {"profile_en", "cores"}) {
        std::string a, b;
        ASSERT_TRUE(
            ReadFileText(std::string(QUILLABE_SOURCE) + "/data/" + dir + "/DirectShow.avs", a));
        ReadFileText(std::string(QUILLABE_SOURCE) + "/data/profile_en/DirectShow.avs", b);
        EXPECT_EQ(a, b) << dir;
    }
    for (const char* path : paths) {
        AvsSource s = SourceFromScriptText(fromTemplate(path));
        EXPECT_EQ(s.error, "");
        EXPECT_EQ(s.path, path);
    }
}

TEST(DivuvoAvs, ScriptsThatNameNoSource) {
    for (const char* text :
         {"", "AviSource(\"x.avi\")", "DirectShowSource(\"\")", "DirectShowSource(\"x.avi"}) {
        EXPECT_NE(SourceFromScriptText(text).error, "") << text;
    }
    test::TempDir dir;
    AvsSource missing = ReadAvsSource(dir.File("none.avs"));
    EXPECT_EQ(missing.error.rfind("Could not open input file '", 0), 0u) << missing.error;
    AvsSource empty = ReadAvsSource(dir.Write("empty.avs", "# nothing\n"));
    EXPECT_EQ(empty.error.rfind("Error: the script '", 0), 0u) << empty.error;
    EXPECT_TRUE(IsAvsScript("/p/DirectShow.avs"));
    EXPECT_FALSE(IsAvsScript("/p/DirectShow.AVS"));
    EXPECT_FALSE(IsAvsScript("/p.avs/clip"));
}

} // namespace
} // namespace quillabe::divuvo
