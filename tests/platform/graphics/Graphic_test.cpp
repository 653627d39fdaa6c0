#include "platform/graphics/Graphic.h"

#include "platform/base/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using Rows = std::vector<std::string>;

namespace {

class GraphicFiles : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/picolam-graphic-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        FDir = pattern;
        // Loading must never wait on a FIFO or a device: a hang fails here instead.
        ::alarm(20);
    }
    void TearDown() override {
        ::alarm(0);
        RemoveTree(FDir);
    }

    std::string Path(const std::string& Name) const { return FDir + "/" + Name; }

    static void RemoveTree(const std::string& Path) {
        struct stat st;
        if (::lstat(Path.c_str(), &st) != 0)
            return;
        if (S_ISDIR(st.st_mode)) {
            ::chmod(Path.c_str(), 0700);
            for (const std::string& name : Names(Path))
                RemoveTree(Path + "/" + name);
            ::rmdir(Path.c_str());
        } else {
            ::unlink(Path.c_str());
        }
    }

    static std::vector<std::string> Names(const std::string& Dir) {
        std::vector<std::string> names;
        if (DIR* d = ::opendir(Dir.c_str())) {
            while (dirent* e = ::readdir(d)) {
                std::string name = e->d_name;
                if (name != "." && name != "..")
                    names.push_back(name);
            }
            ::closedir(d);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::string Contents(const std::string& Path) {
        std::ifstream in(Path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    static void Write(const std::string& Path, const std::string& Text) {
        std::ofstream(Path, std::ios::binary) << Text;
    }

    static mode_t Mode(const std::string& Path) {
        struct stat st {};
        ::stat(Path.c_str(), &st);
        return st.st_mode & 07777;
    }

    std::string FDir;
};

std::unique_ptr<TBitmap> Sample() {
    return MakeBitmap({"rgb", "#.y"});
}

// The message and class of a failed save.
std::string SaveError(TGraphic& Graphic, const std::string& Path) {
    try {
        Graphic.SaveToFile(Path);
    } catch (const EFCreateError& e) {
        return e.Message();
    }
    return "saved";
}

std::string LoadError(TGraphic& Graphic, const std::string& Path) {
    try {
        Graphic.LoadFromFile(Path);
    } catch (const EFOpenError& e) {
        return e.Message();
    }
    return "loaded";
}

} // namespace

TEST_F(GraphicFiles, SavesAndLoadsWithoutLeavingATemporaryFile) {
    auto bitmap = Sample();
    bitmap->SaveToFile(Path("a.bmp"));
    EXPECT_EQ(Names(FDir), (std::vector<std::string>{"a.bmp"}));
    TBitmap loaded;
    loaded.LoadFromFile(Path("a.bmp"));
    EXPECT_EQ(Picture(loaded), (Rows{"rgb", "#.y"}));
    // A new file takes the usual permissions of the user's umask.
    mode_t mask = ::umask(027);
    bitmap->SaveToFile(Path("b.bmp"));
    ::umask(mask);
    EXPECT_EQ(Mode(Path("b.bmp")), 0640u);
}

TEST_F(GraphicFiles, LoadingRefusesWhatIsNotARegularFile) {
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    ::mkdir(Path("folder").c_str(), 0700);
    auto bitmap = Sample();
    for (const std::string& path :
         {Path("fifo"), Path("folder"), std::string("/dev/zero"), Path("missing.bmp")}) {
        EXPECT_EQ(LoadError(*bitmap, path), "ファイル " + path + " は開けません");
    }
    EXPECT_EQ(Picture(*bitmap), (Rows{"rgb", "#.y"}));
}

TEST_F(GraphicFiles, AFileThatIsNoBitmapLeavesTheBitmapAsItWas) {
    Write(Path("bad.bmp"), "BM not really");
    auto bitmap = Sample();
    EXPECT_THROW(bitmap->LoadFromFile(Path("bad.bmp")), EInvalidGraphic);
    EXPECT_EQ(Picture(*bitmap), (Rows{"rgb", "#.y"}));
}

TEST_F(GraphicFiles, AReplacedFileKeepsItsPermissions) {
    Write(Path("a.bmp"), "old");
    ::chmod(Path("a.bmp").c_str(), 0640);
    Sample()->SaveToFile(Path("a.bmp"));
    EXPECT_EQ(Mode(Path("a.bmp")), 0640u);
    EXPECT_EQ(Contents(Path("a.bmp")).substr(0, 2), "BM");
}

TEST_F(GraphicFiles, ASymbolicLinkIsWrittenThroughToItsFile) {
    ::mkdir(Path("real").c_str(), 0700);
    ::mkdir(Path("links").c_str(), 0700);
    Write(Path("real/a.bmp"), "old");
    ASSERT_EQ(::symlink("../real/a.bmp", Path("links/a.bmp").c_str()), 0);
    ASSERT_EQ(::symlink("a.bmp", Path("links/chain.bmp").c_str()), 0);
    Sample()->SaveToFile(Path("links/chain.bmp"));

    struct stat st;
    ASSERT_EQ(::lstat(Path("links/a.bmp").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(Names(Path("links")), (std::vector<std::string>{"a.bmp", "chain.bmp"}));
    EXPECT_EQ(Names(Path("real")), (std::vector<std::string>{"a.bmp"}));
    TBitmap loaded;
    loaded.LoadFromFile(Path("real/a.bmp"));
    EXPECT_EQ(Picture(loaded), (Rows{"rgb", "#.y"}));

    // A link to a file not there yet creates that file.
    ASSERT_EQ(::symlink("new.bmp", Path("dangling").c_str()), 0);
    Sample()->SaveToFile(Path("dangling"));
    EXPECT_EQ(Contents(Path("new.bmp")).substr(0, 2), "BM");

    ASSERT_EQ(::symlink("loop2", Path("loop1").c_str()), 0);
    ASSERT_EQ(::symlink("loop1", Path("loop2").c_str()), 0);
    auto bitmap = Sample();
    EXPECT_EQ(SaveError(*bitmap, Path("loop1")), "ファイル " + Path("loop1") + " を作成できません");
}

TEST_F(GraphicFiles, AFullDeviceFailsWithTheMessage) {
    auto bitmap = Sample();
    EXPECT_EQ(SaveError(*bitmap, "/dev/full"), "ファイル /dev/full を作成できません");
    struct stat st;
    ASSERT_EQ(::stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST_F(GraphicFiles, AWriteThatRunsOutOfSpaceLeavesTheOldFile) {
    Write(Path("a.bmp"), "old contents");
    auto bitmap = MakeFilled(64, 64, clRed);
    // A file size limit fails the write the way a full disk does, without needing one.
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error = SaveError(*bitmap, Path("a.bmp"));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(error, "ファイル " + Path("a.bmp") + " を作成できません");
    EXPECT_EQ(Contents(Path("a.bmp")), "old contents");
    EXPECT_EQ(Names(FDir), (std::vector<std::string>{"a.bmp"}));
}

TEST_F(GraphicFiles, AReadOnlyTargetIsNotReplaced) {
    Write(Path("a.bmp"), "old");
    ::chmod(Path("a.bmp").c_str(), 0444);
    ::mkdir(Path("folder.bmp").c_str(), 0700);
    auto bitmap = Sample();
    EXPECT_EQ(SaveError(*bitmap, Path("a.bmp")), "ファイル " + Path("a.bmp") + " を作成できません");
    EXPECT_EQ(Contents(Path("a.bmp")), "old");
    EXPECT_EQ(Mode(Path("a.bmp")), 0444u);
    EXPECT_NE(SaveError(*bitmap, Path("folder.bmp")), "saved");
    EXPECT_EQ(Names(FDir), (std::vector<std::string>{"a.bmp", "folder.bmp"}));
}

TEST_F(GraphicFiles, AFolderThatMayNotBeWrittenFails) {
    auto bitmap = Sample();
    EXPECT_EQ(SaveError(*bitmap, "/proc/picolam.bmp"),
              "ファイル /proc/picolam.bmp を作成できません");

    // Permissions do not bind root, so the save runs as an ordinary user in a child process.
    ::chmod(FDir.c_str(), 0755);
    ::mkdir(Path("locked").c_str(), 0555);
    std::string target = Path("locked/a.bmp");
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        bool failedRight = SaveError(*bitmap, target) == "ファイル " + target + " を作成できません";
        ::_exit(failedRight ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(Names(Path("locked")).empty());
}
