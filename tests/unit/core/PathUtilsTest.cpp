#include "base/PathUtils.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Leftovers of interrupted atomic writes: removed when stale or when their target exists, and
// nothing else is touched.
TEST(PathUtils, RemovesOnlyLeftoversOfInterruptedWrites) {
    TempDir dir;
    auto age = [&](const std::string& name, int seconds) {
        struct timespec times[2] = {};
        times[0].tv_sec = times[1].tv_sec = time(nullptr) - seconds;
        utimensat(AT_FDCWD, dir.File(name).c_str(), times, AT_SYMLINK_NOFOLLOW);
    };
    dir.Write("info.ini", "[S]\n");
    dir.Write("p.avo", "[General]\n");
    const std::vector<std::string> gone = {
        ".info.ini.a1B2c3", // target exists
        ".info.ini.ZZZZZZ", // target exists
        ".gone.ini.x9y8z7", // no target, but older than a minute
        ".p.avo.Q1w2E3",    // a profile beside its target
    };
    const std::vector<std::string> kept = {
        ".new.ini.x9y8z7",   // no target and young: a first write may be filling it
        ".info.ini.a1B2c",   // five characters
        ".info.ini.a1B2c3d", // seven characters
        ".info.ini.a1-2c3",  // not a mkstemp character
        "info.ini.a1B2c3",   // no leading dot
        ".info.ini",         // no temporary part
        ".a1B2c3",           // no target name
        ".notes.txt.a1B2c3", // another suffix
        "info.ini",          "p.avo",
    };
    for (const auto& name : gone)
        dir.Write(name, "partial");
    for (const auto& name : kept)
        if (name != "info.ini" && name != "p.avo")
            dir.Write(name, "keep");
    age(".gone.ini.x9y8z7", 120);
    for (const auto& name : {".notes.txt.a1B2c3", ".info.ini.a1B2c", ".a1B2c3"})
        age(name, 120);
    // A folder and a symbolic link of the same shape are never removed.
    ASSERT_TRUE(ForceDirectories(dir.File(".info.ini.Dir123")));
    ASSERT_EQ(symlink("info.ini", dir.File(".info.ini.Lnk123").c_str()), 0);

    EXPECT_EQ(RemoveAtomicWriteLeftovers(dir.Path(), ".ini"), 3u);
    EXPECT_EQ(RemoveAtomicWriteLeftovers(dir.Path(), ".avo"), 1u);
    for (const auto& name : gone)
        EXPECT_FALSE(PathExists(dir.File(name))) << name;
    for (const auto& name : kept)
        EXPECT_TRUE(FileExists(dir.File(name))) << name;
    EXPECT_TRUE(DirectoryExists(dir.File(".info.ini.Dir123")));
    EXPECT_TRUE(PathExists(dir.File(".info.ini.Lnk123")));
}

// A write in progress holds its temporary file locked; a cleanup at that moment leaves it alone.
TEST(PathUtils, LeavesTheTemporaryFileOfAWriteInProgress) {
    TempDir dir;
    dir.Write("info.ini", "[S]\n");
    const std::string busy = dir.Write(".info.ini.Bu5y00", "half");
    int fd = open(busy.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(flock(fd, LOCK_EX), 0);
    EXPECT_EQ(RemoveAtomicWriteLeftovers(dir.Path(), ".ini"), 0u);
    EXPECT_TRUE(FileExists(busy));
    close(fd);
    EXPECT_EQ(RemoveAtomicWriteLeftovers(dir.Path(), ".ini"), 1u);
    EXPECT_FALSE(FileExists(busy));
    // An atomic write afterwards works as before and leaves nothing behind.
    ASSERT_TRUE(WriteFileAtomic(dir.File("info.ini"), "[S]\nk=1\n"));
    EXPECT_EQ(dir.Read("info.ini"), "[S]\nk=1\n");
    EXPECT_EQ(ListDirectory(dir.Path(), "").size(), 1u);
}

} // namespace
