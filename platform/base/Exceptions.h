#pragma once

#include "platform/base/Types.h"

#include <exception>

// The platform's base exception: a UTF-8 message shown as it stands in the error box.
class Exception : public std::exception {
public:
    explicit Exception(AnsiString message) : FMessage(std::move(message)) {}
    const AnsiString& Message() const { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    AnsiString FMessage;
};

// Silent: the loop drops it without a box.
class EAbort : public Exception {
public:
    EAbort() : Exception("") {}
};

class EConvertError : public Exception {
    using Exception::Exception;
};
class EInvalidOperation : public Exception {
    using Exception::Exception;
};
class EOutOfResources : public Exception {
    using Exception::Exception;
};
// A form description that cannot be read.
class EReadError : public Exception {
    using Exception::Exception;
};

class EStreamError : public Exception {
    using Exception::Exception;
};
class EFOpenError : public EStreamError {
public:
    explicit EFOpenError(const AnsiString& path);
};
class EFCreateError : public EStreamError {
public:
    explicit EFCreateError(const AnsiString& path);
};

class EInvalidGraphic : public Exception {
public:
    EInvalidGraphic();
    explicit EInvalidGraphic(AnsiString message) : Exception(std::move(message)) {}
};

class EJPEG : public Exception {
public:
    explicit EJPEG(int code);
    int Code() const { return FCode; }

private:
    int FCode;
};

// printf-style formatting into an AnsiString.
AnsiString Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
