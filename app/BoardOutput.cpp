#include "app/BoardOutput.h"

#include "platform/base/Exceptions.h"
#include "platform/base/FileUtils.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

AnsiString MailTimeStamp(std::time_t Now) {
    tzset();
    std::tm local{};
    localtime_r(&Now, &local);
    char buffer[24];
    std::size_t n = std::strftime(buffer, sizeof buffer, "%Y%m%d%H%M", &local);
    return AnsiString(buffer, n);
}

namespace {

// Creates Path (mode 0700) unless it is there; true when it is then a private folder of ours.
bool PrivateFolder(const AnsiString& Path) {
    if (mkdir(Path.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    return lstat(Path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() &&
           (st.st_mode & 077) == 0;
}

AnsiString Env(const char* Name) {
    const char* value = std::getenv(Name);
    return value != nullptr ? AnsiString(value) : AnsiString();
}

} // namespace

AnsiString AttachmentFolder() {
    AnsiString runtime = Env("XDG_RUNTIME_DIR");
    if (!runtime.empty() && runtime[0] == '/' && DirectoryExists(runtime)) {
        AnsiString folder = runtime + "/picolam";
        if (!PrivateFolder(folder))
            throw EFCreateError(folder);
        return folder;
    }
    AnsiString cache = Env("XDG_CACHE_HOME");
    if (cache.empty() || cache[0] != '/')
        cache = Env("HOME") + "/.cache";
    // The parents may be shared with other programs; only the last level must be private.
    mkdir(cache.c_str(), 0700);
    AnsiString parent = cache + "/picolam";
    mkdir(parent.c_str(), 0700);
    AnsiString folder = parent + "/attachments";
    if (!PrivateFolder(folder))
        throw EFCreateError(folder);
    return folder;
}

AnsiString InformationAddress(const AnsiString& ExecutablePath) {
    AnsiString base = ChangeFileExt(ExtractFileName(ExecutablePath), "");
    return AnsiString("http://") + InformationHost + "/info.php?pf=w&sn=" + base;
}
