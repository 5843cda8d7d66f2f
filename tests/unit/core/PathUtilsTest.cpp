#include "base/PathUtils.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quillabe;
using quillabe::test::TempDir;

namespace {

TEST(PathUtils, SeparatorsAndNameParts) {
    EXPECT_EQ(AddBackslash("/out"), "/out/");
    EXPECT_EQ(AddBackslash("/out/"), "/out/");
    EXPECT_EQ(AddBackslash(""), "/");
    EXPECT_EQ(RemoveBackslash("/app/"), "/app");
    EXPECT_EQ(RemoveBackslash("/app"), "/app");
    EXPECT_EQ(ExtractFileName("/a/b/clip.avi"), "clip.avi");
    EXPECT_EQ(ExtractFilePath("/a/b/clip.avi"), "/a/b/");
    EXPECT_EQ(ExtractFileExt("/a.d/clip"), "");
    EXPECT_EQ(ExtractFileExt("/a/clip.tar.GZ"), ".GZ");
    EXPECT_EQ(ChangeFileExt("/a/clip", ".avi"), "/a/clip.avi");
    EXPECT_EQ(ChangeFileExt("/a/clip.mkv", ".mp3"), "/a/clip.mp3");
}

TEST(PathUtils, SizesAndEmptyFiles) {
    TempDir dir;
    std::string empty = dir.Write("empty.bin", "");
    std::string full = dir.Write("full.bin", "abc");
    EXPECT_EQ(GetFileSize64(full), 3);
    EXPECT_EQ(GetFileSize64(dir.File("missing")), -1);
    EXPECT_FALSE(DeleteIfEmpty(full));
    EXPECT_FALSE(DeleteIfEmpty(dir.File("missing")));
    EXPECT_TRUE(DeleteIfEmpty(empty));
    EXPECT_FALSE(FileExists(empty));
    EXPECT_TRUE(FileExists(full));
}

TEST(PathUtils, ForceDirectoriesAndListing) {
    TempDir dir;
    EXPECT_TRUE(ForceDirectories(dir.File("a/b/c/")));
    EXPECT_TRUE(DirectoryExists(dir.File("a/b/c")));
    dir.Write("a/x.INI", "");
    dir.Write("a/y.ini", "");
    dir.Write("a/z.dat", "");
    auto names = ListDirectory(dir.File("a/"), ".ini");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"x.INI", "y.ini"}));
    dir.Write("file", "");
    EXPECT_FALSE(ForceDirectories(dir.File("file/sub")));
}

TEST(PathUtils, AtomicWriteReplacesWholeFiles) {
    TempDir dir;
    std::string path = dir.Write("f.txt", "old contents");
    ASSERT_TRUE(WriteFileAtomic(path, "new"));
    EXPECT_EQ(dir.Read("f.txt"), "new");
    EXPECT_FALSE(WriteFileAtomic(dir.File("missing/f.txt"), "x"));
}

} // namespace
