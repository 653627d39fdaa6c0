#include "platform/shell/MailSpool.h"

#include "platform/base/FileUtils.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
AnsiString HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return home;
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? AnsiString(entry->pw_dir) : AnsiString();
}

// Creates Folder when missing; true when a folder (not a link to one) is there.
bool MakeFolder(const AnsiString& Folder) {
    if (mkdir(Folder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info {};
    return lstat(Folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Creates every missing folder of an absolute path.
bool MakeFolders(const AnsiString& Path) {
    for (std::size_t slash = Path.find('/', 1); slash != AnsiString::npos;
         slash = Path.find('/', slash + 1))
        if (mkdir(Path.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    return MakeFolder(Path);
}

bool WriteAll(int Fd, const char* Data, std::size_t Size) {
    while (Size > 0) {
        const ssize_t written = write(Fd, Data, Size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        Data += written;
        Size -= static_cast<std::size_t>(written);
    }
    return true;
}

TSpoolResult CopyFile(int From, const AnsiString& Target) {
    const int to = open(Target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (to < 0)
        return TSpoolResult::WriteFailure;
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const ssize_t got = read(From, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            ok = false;
            break;
        }
        if (got == 0)
            break;
        if (!WriteAll(to, buffer, static_cast<std::size_t>(got))) {
            close(to);
            unlink(Target.c_str());
            return TSpoolResult::WriteFailure;
        }
    }
    if (close(to) != 0 && ok) {
        unlink(Target.c_str());
        return TSpoolResult::WriteFailure;
    }
    if (!ok) {
        unlink(Target.c_str());
        return TSpoolResult::OpenFailure;
    }
    return TSpoolResult::Copied;
}
} // namespace

AnsiString MailSpoolFolder() {
    AnsiString cache;
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    // A relative XDG_CACHE_HOME is invalid and ignored.
    if (xdg != nullptr && xdg[0] == '/') {
        cache = xdg;
    } else {
        const AnsiString home = HomeFolder();
        if (home.empty())
            return {};
        cache = home + "/.cache";
    }
    while (cache.size() > 1 && cache.back() == '/')
        cache.pop_back();
    const AnsiString spool = cache + "/picolam/mail-spool";
    if (!MakeFolders(spool))
        return {};
    struct stat info {};
    if (lstat(spool.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid())
        return {};
    if ((info.st_mode & 0777) != 0700 && chmod(spool.c_str(), 0700) != 0)
        return {};
    return spool;
}

TSpoolResult SpoolCopy(const AnsiString& Spool, const AnsiString& Source, const AnsiString& Name,
                       AnsiString& Copy) {
    // Non-blocking, so that a FIFO does not hold the caller until someone writes to it.
    const int from = open(Source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (from < 0)
        return errno == ENOENT || errno == ENOTDIR ? TSpoolResult::NotFound
                                                   : TSpoolResult::OpenFailure;
    struct stat info {};
    if (fstat(from, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(from);
        return TSpoolResult::OpenFailure;
    }
    AnsiString folder = Spool + "/XXXXXX";
    if (mkdtemp(folder.data()) == nullptr) {
        close(from);
        return TSpoolResult::WriteFailure;
    }
    const AnsiString target = folder + "/" + Name;
    const TSpoolResult result = CopyFile(from, target);
    close(from);
    if (result != TSpoolResult::Copied)
        rmdir(folder.c_str());
    else
        Copy = target;
    return result;
}

void RemoveSpoolCopy(const AnsiString& Copy) {
    unlink(Copy.c_str());
    rmdir(ExtractFilePath(Copy).c_str());
}

void RemoveOldSpoolCopies(const AnsiString& Spool, std::chrono::seconds MaxAge) {
    std::error_code error;
    const std::time_t now = std::time(nullptr);
    for (const auto& entry : std::filesystem::directory_iterator(Spool, error)) {
        struct stat info {};
        if (lstat(entry.path().c_str(), &info) != 0)
            continue;
        if (now - info.st_mtime > MaxAge.count())
            std::filesystem::remove_all(entry.path(), error);
    }
}
