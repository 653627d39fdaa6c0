#include "platform/base/FileUtils.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

TEST(FileUtils, NameParts) {
    struct Case {
        const char* Name;
        const char* Path;
        const char* File;
        const char* Ext;
    } cases[] = {
        {"a.b.exe", "", "a.b.exe", ".exe"},
        {"dir.x/name", "dir.x/", "name", ""},
        {"name", "", "name", ""},
        {"/usr/bin/picolam", "/usr/bin/", "picolam", ""},
        {"/home/u/Photo.JPG", "/home/u/", "Photo.JPG", ".JPG"},
        {"/home/u/写真.jpeg", "/home/u/", "写真.jpeg", ".jpeg"},
        {"name.", "", "name.", "."},
        {"dir/", "dir/", "", ""},
        {"/", "/", "", ""},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.Name), c.Path) << c.Name;
        EXPECT_EQ(ExtractFileName(c.Name), c.File) << c.Name;
        EXPECT_EQ(ExtractFileExt(c.Name), c.Ext) << c.Name;
    }
}

TEST(FileUtils, ChangeFileExtReplacesOrAppends) {
    struct Case {
        const char* Name;
        const char* Ext;
        const char* Result;
    } cases[] = {
        {"a.b.exe", ".jpg", "a.b.jpg"},        {"dir.x/name", ".jpg", "dir.x/name.jpg"},
        {"name", ".bmp", "name.bmp"},          {"/usr/bin/picolam.exe", "", "/usr/bin/picolam"},
        {"/tmp/x.jpeg", ".jpg", "/tmp/x.jpg"}, {"", ".jpg", ".jpg"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChangeFileExt(c.Name, c.Ext), c.Result) << c.Name;
}

TEST(FileUtils, ExistenceAndDeletion) {
    char folder[] = "/tmp/picolam-fileutils-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    AnsiString dir = folder;
    AnsiString file = dir + "/a.jpg";
    EXPECT_FALSE(FileExists(dir));
    EXPECT_TRUE(DirectoryExists(dir));
    EXPECT_FALSE(FileExists(file));

    std::FILE* f = std::fopen(file.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_TRUE(DeleteFile(file));
    EXPECT_FALSE(FileExists(file));
    EXPECT_FALSE(DeleteFile(file));
    EXPECT_FALSE(DeleteFile(dir)); // a folder is not a file
    EXPECT_EQ(rmdir(folder), 0);
}

TEST(FileUtils, ParamStrZeroIsTheRunningProgram) {
    AnsiString self = ParamStr(0);
    EXPECT_EQ(self.front(), '/');
    EXPECT_EQ(ExtractFileName(self), "test_platform_base");
    EXPECT_TRUE(FileExists(self));
    EXPECT_EQ(ParamStr(1), "");
}

} // namespace
