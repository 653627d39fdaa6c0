#pragma once

#include "platform/base/Types.h"

#include <cstdint>
#include <functional>
#include <vector>

// Simple MAPI: the published message structures, flags and results, and MapiSendMail, which
// hands a message to the desktop's mail program (through xdg-email unless a test replaced the
// transport). Texts are UTF-8; attachment paths are file system paths as given.

using ULONG = std::uint32_t;
using FLAGS = std::uint32_t;
using LHANDLE = std::uintptr_t;

// MapiSendMail flags.
constexpr FLAGS MAPI_LOGON_UI = 0x00000001;
constexpr FLAGS MAPI_NEW_SESSION = 0x00000002;
constexpr FLAGS MAPI_DIALOG = 0x00000008;

// Recipient classes.
constexpr ULONG MAPI_ORIG = 0;
constexpr ULONG MAPI_TO = 1;
constexpr ULONG MAPI_CC = 2;
constexpr ULONG MAPI_BCC = 3;

// Results.
constexpr ULONG SUCCESS_SUCCESS = 0;
constexpr ULONG MAPI_USER_ABORT = 1;
constexpr ULONG MAPI_E_USER_ABORT = MAPI_USER_ABORT;
constexpr ULONG MAPI_E_FAILURE = 2;
constexpr ULONG MAPI_E_LOGON_FAILURE = 3;
constexpr ULONG MAPI_E_DISK_FULL = 4;
constexpr ULONG MAPI_E_INSUFFICIENT_MEMORY = 5;
constexpr ULONG MAPI_E_ACCESS_DENIED = 6;
constexpr ULONG MAPI_E_TOO_MANY_SESSIONS = 8;
constexpr ULONG MAPI_E_TOO_MANY_FILES = 9;
constexpr ULONG MAPI_E_TOO_MANY_RECIPIENTS = 10;
constexpr ULONG MAPI_E_ATTACHMENT_NOT_FOUND = 11;
constexpr ULONG MAPI_E_ATTACHMENT_OPEN_FAILURE = 12;
constexpr ULONG MAPI_E_ATTACHMENT_WRITE_FAILURE = 13;
constexpr ULONG MAPI_E_UNKNOWN_RECIPIENT = 14;
constexpr ULONG MAPI_E_BAD_RECIPTYPE = 15;
constexpr ULONG MAPI_E_INVALID_MESSAGE = 17;
constexpr ULONG MAPI_E_INVALID_SESSION = 19;

struct MapiRecipDesc {
    ULONG ulReserved = 0;
    ULONG ulRecipClass = MAPI_TO;
    const char* lpszName = nullptr;
    const char* lpszAddress = nullptr; // "SMTP:" before the address is allowed
    ULONG ulEIDSize = 0;
    void* lpEntryID = nullptr;
};

struct MapiFileDesc {
    ULONG ulReserved = 0;
    FLAGS flFlags = 0;
    ULONG nPosition = 0xFFFFFFFF;
    const char* lpszPathName = nullptr;
    const char* lpszFileName = nullptr; // the name the mail shows; null: the path's
    void* lpFileType = nullptr;
};

struct MapiMessage {
    ULONG ulReserved = 0;
    const char* lpszSubject = nullptr;
    const char* lpszNoteText = nullptr;
    const char* lpszMessageType = nullptr;
    const char* lpszDateReceived = nullptr;
    const char* lpszConversationID = nullptr;
    FLAGS flFlags = 0;
    MapiRecipDesc* lpOriginator = nullptr;
    ULONG nRecipCount = 0;
    MapiRecipDesc* lpRecips = nullptr;
    ULONG nFileCount = 0;
    MapiFileDesc* lpFiles = nullptr;
};

// What reaches the mail program: the message with each attachment replaced by its private
// copy in the spool, which stays after the call for the mail program to read.
struct TMailRecipient {
    ULONG Class = MAPI_TO;
    AnsiString Name;
    AnsiString Address; // without "SMTP:"
};

struct TMailAttachment {
    AnsiString Path; // the spool copy
    AnsiString Name; // the name the mail shows, also the copy's file name
};

struct TMailRequest {
    AnsiString Subject;
    AnsiString Body;
    std::vector<TMailRecipient> Recipients;
    std::vector<TMailAttachment> Attachments;
    bool Dialog = false; // MAPI_DIALOG: the user edits the message before it is sent
    std::uintptr_t Parent = 0;
};

// Answers with a MAPI result: SUCCESS_SUCCESS when the mail program took the message.
using TMailTransport = std::function<ULONG(const TMailRequest&)>;

// Replaces the transport; an empty one restores xdg-email.
void SetMailTransport(TMailTransport Transport);

// Session 0 only (there are no sessions to log on to); UIParam is the parent window.
// Copies every attachment into the spool first, so the caller may delete its file as soon as
// the call returns; removes spool copies older than a few days. Results: the transport's, or
// MAPI_E_ATTACHMENT_NOT_FOUND / MAPI_E_ATTACHMENT_OPEN_FAILURE for an attachment that is no
// readable regular file, MAPI_E_ATTACHMENT_WRITE_FAILURE when the spool cannot take it,
// MAPI_E_BAD_RECIPTYPE, MAPI_E_INVALID_MESSAGE, MAPI_E_INVALID_SESSION, MAPI_E_FAILURE when
// the transport failed unexpectedly. Copies of a message that was not taken are removed.
ULONG MapiSendMail(LHANDLE Session, std::uintptr_t UIParam, const MapiMessage* Message, FLAGS Flags,
                   ULONG Reserved);
