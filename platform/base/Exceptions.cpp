#include "platform/base/Exceptions.h"

#include <cstdarg>
#include <cstdio>

AnsiString Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    AnsiString result(length > 0 ? length : 0, '\0');
    if (length > 0)
        std::vsnprintf(result.data(), result.size() + 1, format, args);
    va_end(args);
    return result;
}

EFOpenError::EFOpenError(const AnsiString& path)
    : EStreamError(Format("ファイル %s は開けません", path.c_str())) {}

EFCreateError::EFCreateError(const AnsiString& path)
    : EStreamError(Format("ファイル %s を作成できません", path.c_str())) {}

EInvalidGraphic::EInvalidGraphic() : Exception("ビットマップイメージが不正です") {}

EJPEG::EJPEG(int code) : Exception(Format("JPEG エラー #%d", code)), FCode(code) {}
