#include "platform/shell/Mapi.h"

#include "platform/base/FileUtils.h"
#include "platform/shell/MailSpool.h"
#include "platform/shell/XdgEmail.h"

namespace {
TMailTransport& Transport() {
    static TMailTransport transport;
    return transport;
}

AnsiString Text(const char* Value) {
    return Value != nullptr ? AnsiString(Value) : AnsiString();
}

// The name the mail shows: the given one or the path's, as a plain file name.
AnsiString AttachmentName(const MapiFileDesc& File) {
    AnsiString name = ExtractFileName(Text(File.lpszFileName));
    if (name.empty())
        name = ExtractFileName(Text(File.lpszPathName));
    if (name.empty() || name == "." || name == "..")
        name = "attachment";
    return name;
}

AnsiString Address(const char* Value) {
    AnsiString address = Text(Value);
    if (address.rfind("SMTP:", 0) == 0)
        address.erase(0, 5);
    return address;
}

ULONG SpoolError(TSpoolResult Result) {
    switch (Result) {
    case TSpoolResult::NotFound:
        return MAPI_E_ATTACHMENT_NOT_FOUND;
    case TSpoolResult::OpenFailure:
        return MAPI_E_ATTACHMENT_OPEN_FAILURE;
    case TSpoolResult::WriteFailure:
    case TSpoolResult::Copied:
        break;
    }
    return MAPI_E_ATTACHMENT_WRITE_FAILURE;
}

void RemoveCopies(const TMailRequest& Request) {
    for (const TMailAttachment& attachment : Request.Attachments)
        RemoveSpoolCopy(attachment.Path);
}
} // namespace

void SetMailTransport(TMailTransport Transport) {
    ::Transport() = std::move(Transport);
}

ULONG MapiSendMail(LHANDLE Session, std::uintptr_t UIParam, const MapiMessage* Message, FLAGS Flags,
                   ULONG) {
    if (Session != 0)
        return MAPI_E_INVALID_SESSION;
    if (Message == nullptr || (Message->nRecipCount > 0 && Message->lpRecips == nullptr) ||
        (Message->nFileCount > 0 && Message->lpFiles == nullptr))
        return MAPI_E_INVALID_MESSAGE;

    TMailRequest request;
    request.Subject = Text(Message->lpszSubject);
    request.Body = Text(Message->lpszNoteText);
    request.Dialog = (Flags & MAPI_DIALOG) != 0;
    request.Parent = UIParam;
    for (ULONG i = 0; i < Message->nRecipCount; ++i) {
        const MapiRecipDesc& recip = Message->lpRecips[i];
        if (recip.ulRecipClass < MAPI_TO || recip.ulRecipClass > MAPI_BCC)
            return MAPI_E_BAD_RECIPTYPE;
        request.Recipients.push_back(
            {recip.ulRecipClass, Text(recip.lpszName), Address(recip.lpszAddress)});
    }

    const AnsiString spool = Message->nFileCount > 0 ? MailSpoolFolder() : AnsiString();
    if (Message->nFileCount > 0) {
        if (spool.empty())
            return MAPI_E_ATTACHMENT_WRITE_FAILURE;
        RemoveOldSpoolCopies(spool, SpoolKeepTime);
    }
    for (ULONG i = 0; i < Message->nFileCount; ++i) {
        const MapiFileDesc& file = Message->lpFiles[i];
        TMailAttachment attachment{{}, AttachmentName(file)};
        const TSpoolResult copied =
            SpoolCopy(spool, Text(file.lpszPathName), attachment.Name, attachment.Path);
        if (copied != TSpoolResult::Copied) {
            RemoveCopies(request);
            return SpoolError(copied);
        }
        request.Attachments.push_back(attachment);
    }

    ULONG result = MAPI_E_FAILURE;
    try {
        result = Transport() ? Transport()(request) : SendWithXdgEmail(request);
    } catch (...) {
        // A transport that fails unexpectedly is a failure of the hand-off, never a crash.
        result = MAPI_E_FAILURE;
    }
    // Nobody will read the copies of a message that was not taken.
    if (result != SUCCESS_SUCCESS)
        RemoveCopies(request);
    return result;
}
