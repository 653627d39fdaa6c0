#include "platform/base/FileUtils.h"

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

AnsiString ParamStr(int Index) {
    if (Index != 0)
        return {};
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
    return n > 0 ? AnsiString(buffer, static_cast<std::size_t>(n)) : AnsiString();
}

AnsiString ExtractFilePath(const AnsiString& FileName) {
    auto slash = FileName.rfind('/');
    return slash == AnsiString::npos ? AnsiString() : FileName.substr(0, slash + 1);
}

AnsiString ExtractFileName(const AnsiString& FileName) {
    auto slash = FileName.rfind('/');
    return slash == AnsiString::npos ? FileName : FileName.substr(slash + 1);
}

static AnsiString::size_type ExtensionStart(const AnsiString& FileName) {
    auto dot = FileName.rfind('.');
    auto slash = FileName.rfind('/');
    if (dot == AnsiString::npos || (slash != AnsiString::npos && dot < slash))
        return AnsiString::npos;
    return dot;
}

AnsiString ExtractFileExt(const AnsiString& FileName) {
    auto dot = ExtensionStart(FileName);
    return dot == AnsiString::npos ? AnsiString() : FileName.substr(dot);
}

AnsiString ChangeFileExt(const AnsiString& FileName, const AnsiString& Extension) {
    auto dot = ExtensionStart(FileName);
    return (dot == AnsiString::npos ? FileName : FileName.substr(0, dot)) + Extension;
}

bool FileExists(const AnsiString& FileName) {
    struct stat st {};
    return stat(FileName.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const AnsiString& Name) {
    struct stat st {};
    return stat(Name.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteFile(const AnsiString& FileName) {
    return unlink(FileName.c_str()) == 0;
}
