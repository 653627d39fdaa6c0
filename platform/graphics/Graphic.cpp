#include "platform/graphics/Graphic.h"

#include "platform/base/Exceptions.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes a file descriptor when it goes out of scope.
class TFileHandle {
public:
    explicit TFileHandle(int Fd) : FFd(Fd) {}
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;
    ~TFileHandle() { Close(); }
    int Fd() const { return FFd; }
    // True when the descriptor closed cleanly (a deferred write error shows up here).
    bool Close() {
        if (FFd < 0)
            return true;
        bool ok = ::close(FFd) == 0;
        FFd = -1;
        return ok;
    }

private:
    int FFd;
};

bool WriteAll(int Fd, const TBytes& Data) {
    std::size_t done = 0;
    while (done < Data.size()) {
        ssize_t n = ::write(Fd, Data.data() + done, Data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

AnsiString DirectoryOf(const AnsiString& Path) {
    auto slash = Path.rfind('/');
    if (slash == AnsiString::npos)
        return ".";
    if (slash == 0)
        return "/";
    return Path.substr(0, slash);
}

// The file a save writes: symbolic links are followed to the file they name, which need not
// exist yet. Empty when the links go round in circles.
AnsiString ResolveLinks(AnsiString Path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(Path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return Path;
        AnsiString target(PATH_MAX, '\0');
        ssize_t n = ::readlink(Path.c_str(), target.data(), target.size());
        if (n < 0 || static_cast<std::size_t>(n) >= target.size())
            return {};
        target.resize(static_cast<std::size_t>(n));
        Path = target.front() == '/' ? target : DirectoryOf(Path) + "/" + target;
    }
    return {};
}

mode_t CurrentUmask() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// A device or FIFO is written in place: it cannot be replaced by a rename, and writing into it
// is what saving to it means (/dev/null, a pipe).
void WriteInPlace(const AnsiString& FileName, const AnsiString& Target, const TBytes& Data) {
    TFileHandle file(::open(Target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Fd() < 0 || !WriteAll(file.Fd(), Data) || !file.Close())
        throw EFCreateError(FileName);
}

} // namespace

void TGraphic::SetTransparent(bool Value) {
    if (Value == FTransparent)
        return;
    FTransparent = Value;
    Changed(this);
}

void TGraphic::Changed(TObject*) {
    if (FOnChange)
        FOnChange(this);
}

void TGraphic::LoadFromFile(const AnsiString& FileName) {
    // Non-blocking, so a FIFO or a device cannot hold the program up before it is refused.
    TFileHandle file(::open(FileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st;
    if (file.Fd() < 0 || ::fstat(file.Fd(), &st) != 0 || !S_ISREG(st.st_mode))
        throw EFOpenError(FileName);
    TBytes data;
    data.reserve(static_cast<std::size_t>(st.st_size));
    std::uint8_t buffer[65536];
    for (;;) {
        ssize_t n = ::read(file.Fd(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw EFOpenError(FileName);
        if (n == 0)
            break;
        data.insert(data.end(), buffer, buffer + n);
    }
    file.Close();
    LoadFromBytes(data);
}

void TGraphic::SaveToFile(const AnsiString& FileName) {
    TBytes data = SaveToBytes();
    AnsiString target = ResolveLinks(FileName);
    if (target.empty())
        throw EFCreateError(FileName);

    struct stat st;
    bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode))) {
        WriteInPlace(FileName, target, data);
        return;
    }
    if (exists) {
        // A target that could not be written in place is not replaced either; a file marked
        // read-only for everyone stays so even for a user whom permissions do not bind.
        bool writable =
            S_ISREG(st.st_mode) && (st.st_mode & 0222) != 0 && ::access(target.c_str(), W_OK) == 0;
        if (!writable)
            throw EFCreateError(FileName);
    }

    AnsiString dir = DirectoryOf(target);
    // The name part is cut so that a long name still leaves room for the temporary's.
    AnsiString temp = dir + "/." + target.substr(target.rfind('/') + 1).substr(0, 200) + ".XXXXXX";
    TFileHandle file(::mkostemp(temp.data(), O_CLOEXEC));
    if (file.Fd() < 0)
        throw EFCreateError(FileName);
    mode_t mode = exists ? (st.st_mode & 07777) : (0666 & ~CurrentUmask());
    // The owner stays where we may set it; otherwise the file becomes ours, as a new one would.
    bool owned = !exists || ::fchown(file.Fd(), st.st_uid, st.st_gid) == 0 || errno == EPERM;
    bool ok = owned && ::fchmod(file.Fd(), mode) == 0 && WriteAll(file.Fd(), data) &&
              ::fsync(file.Fd()) == 0;
    ok = file.Close() && ok;
    if (!ok || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        throw EFCreateError(FileName);
    }
    // Make the rename itself durable; the data is already safe, so a failure here is not fatal.
    TFileHandle folder(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Fd() >= 0)
        ::fsync(folder.Fd());
}
