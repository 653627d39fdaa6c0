#include "platform/shell/XdgEmail.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {
// xdg-email's exit when it knows no way to reach a mail program.
constexpr int NoMailProgram = 3;
} // namespace

std::vector<AnsiString> XdgEmailArguments(const TMailRequest& Request) {
    std::vector<AnsiString> args = {"--utf8"};
    // xdg-email refuses an option with an empty value.
    if (!Request.Subject.empty())
        args.insert(args.end(), {"--subject", Request.Subject});
    if (!Request.Body.empty())
        args.insert(args.end(), {"--body", Request.Body});
    for (const TMailAttachment& attachment : Request.Attachments)
        args.insert(args.end(), {"--attach", attachment.Path});
    for (const TMailRecipient& recipient : Request.Recipients) {
        if (recipient.Address.empty())
            continue;
        const char* option = recipient.Class == MAPI_CC    ? "--cc"
                             : recipient.Class == MAPI_BCC ? "--bcc"
                                                           : "--to";
        args.insert(args.end(), {option, recipient.Address});
    }
    return args;
}

ULONG SendWithXdgEmail(const TMailRequest& Request, const AnsiString& Program) {
    std::vector<AnsiString> args = XdgEmailArguments(Request);
    args.insert(args.begin(), Program);
    std::vector<char*> argv;
    for (AnsiString& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, 2, 1);
    pid_t child = 0;
    const int spawned =
        posix_spawnp(&child, Program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned == ENOENT)
        return MAPI_USER_ABORT;
    if (spawned != 0)
        return MAPI_E_FAILURE;

    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return MAPI_E_FAILURE;
    if (!WIFEXITED(status))
        return MAPI_E_FAILURE;
    switch (WEXITSTATUS(status)) {
    case 0:
        return SUCCESS_SUCCESS;
    case NoMailProgram:
        return MAPI_USER_ABORT;
    default:
        return MAPI_E_FAILURE;
    }
}
