#include "platform/shell/Mapi.h"

#include "platform/shell/MailSpool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

AnsiString ReadAll(const fs::path& Path) {
    std::ifstream in(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const fs::path& Path, const AnsiString& Data) {
    std::ofstream(Path, std::ios::binary) << Data;
}

// A cache folder of its own for each test, and a transport that records what it is given and
// looks at the attachment while the call lasts.
class MapiSendMailTest : public testing::Test {
protected:
    void SetUp() override {
        char dir[] = "/tmp/mapi-test-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        Root = dir;
        const char* old = std::getenv("XDG_CACHE_HOME");
        if (old != nullptr)
            OldCache = old;
        setenv("XDG_CACHE_HOME", (Root / "cache").c_str(), 1);
        Spool = Root / "cache" / "picolam" / "mail-spool";
        SetMailTransport([this](const TMailRequest& Request) {
            Requests.push_back(Request);
            for (const TMailAttachment& attachment : Request.Attachments)
                SeenBytes.push_back(ReadAll(attachment.Path));
            return Answer;
        });
    }
    void TearDown() override {
        SetMailTransport({});
        if (OldCache)
            setenv("XDG_CACHE_HOME", OldCache->c_str(), 1);
        else
            unsetenv("XDG_CACHE_HOME");
        fs::remove_all(Root);
    }

    // The message the mail command sends: one empty recipient, one attachment.
    ULONG SendBoard(const AnsiString& Path) {
        MapiRecipDesc recip;
        recip.lpszName = "";
        recip.lpszAddress = "";
        MapiFileDesc file;
        file.lpszPathName = Path.c_str();
        MapiMessage message;
        message.lpszSubject = "(添付画像あり)";
        message.lpszNoteText = "";
        message.nRecipCount = 1;
        message.lpRecips = &recip;
        message.nFileCount = 1;
        message.lpFiles = &file;
        return MapiSendMail(0, 77, &message, MAPI_LOGON_UI | MAPI_NEW_SESSION | MAPI_DIALOG, 0);
    }

    std::vector<fs::path> SpoolFiles() const {
        std::vector<fs::path> files;
        if (fs::exists(Spool))
            for (const auto& entry : fs::recursive_directory_iterator(Spool))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
        return files;
    }

    fs::path Root;
    fs::path Spool;
    std::optional<AnsiString> OldCache;
    ULONG Answer = SUCCESS_SUCCESS;
    std::vector<TMailRequest> Requests;
    std::vector<AnsiString> SeenBytes;
};

TEST_F(MapiSendMailTest, HandsOverAPrivateCopyThatOutlivesTheOriginal) {
    const fs::path original = Root / "200401311545.jpg";
    WriteAll(original, "JPEG bytes");
    EXPECT_EQ(SendBoard(original), SUCCESS_SUCCESS);
    fs::remove(original); // the caller deletes its file as soon as the call returns

    ASSERT_EQ(Requests.size(), 1u);
    const TMailRequest& request = Requests[0];
    EXPECT_EQ(request.Subject, "(添付画像あり)");
    EXPECT_EQ(request.Body, "");
    EXPECT_TRUE(request.Dialog);
    EXPECT_EQ(request.Parent, 77u);
    ASSERT_EQ(request.Recipients.size(), 1u);
    EXPECT_EQ(request.Recipients[0].Class, MAPI_TO);
    EXPECT_EQ(request.Recipients[0].Address, "");
    ASSERT_EQ(request.Attachments.size(), 1u);
    const TMailAttachment& attachment = request.Attachments[0];
    EXPECT_EQ(attachment.Name, "200401311545.jpg");
    EXPECT_EQ(fs::path(attachment.Path).filename(), "200401311545.jpg");
    EXPECT_EQ(fs::path(attachment.Path).parent_path().parent_path(), Spool);
    EXPECT_EQ(SeenBytes, (std::vector<AnsiString>{"JPEG bytes"}));
    EXPECT_EQ(ReadAll(attachment.Path), "JPEG bytes");

    struct stat info {};
    ASSERT_EQ(stat(Spool.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(MapiSendMailTest, TheTransportsAnswerIsTheResult) {
    struct TCase {
        ULONG Answer;
        bool CopyKept;
    };
    for (const TCase c : {TCase{SUCCESS_SUCCESS, true}, TCase{MAPI_USER_ABORT, false},
                          TCase{MAPI_E_FAILURE, false}}) {
        fs::remove_all(Spool);
        WriteAll(Root / "a.jpg", "x");
        Answer = c.Answer;
        EXPECT_EQ(SendBoard(Root / "a.jpg"), c.Answer);
        // The copy of a message nobody took is gone at once.
        EXPECT_EQ(SpoolFiles().size(), c.CopyKept ? 1u : 0u) << c.Answer;
    }
}

TEST_F(MapiSendMailTest, ATransportThatThrowsIsAFailure) {
    SetMailTransport([](const TMailRequest&) -> ULONG { throw std::runtime_error("gone"); });
    WriteAll(Root / "a.jpg", "x");
    EXPECT_EQ(SendBoard(Root / "a.jpg"), MAPI_E_FAILURE);
    EXPECT_TRUE(SpoolFiles().empty());
}

TEST_F(MapiSendMailTest, TwoMessagesWithOneFileNameKeepTheirOwnCopies) {
    WriteAll(Root / "a.jpg", "first");
    EXPECT_EQ(SendBoard(Root / "a.jpg"), SUCCESS_SUCCESS);
    WriteAll(Root / "a.jpg", "second");
    EXPECT_EQ(SendBoard(Root / "a.jpg"), SUCCESS_SUCCESS);
    ASSERT_EQ(Requests.size(), 2u);
    EXPECT_NE(Requests[0].Attachments[0].Path, Requests[1].Attachments[0].Path);
    EXPECT_EQ(ReadAll(Requests[0].Attachments[0].Path), "first");
    EXPECT_EQ(ReadAll(Requests[1].Attachments[0].Path), "second");
}

TEST_F(MapiSendMailTest, AttachmentsThatAreNoReadableFileAreRefused) {
    fs::create_directory(Root / "folder.jpg");
    ASSERT_EQ(mkfifo((Root / "fifo.jpg").c_str(), 0600), 0);
    struct TCase {
        fs::path Path;
        ULONG Result;
    };
    const TCase cases[] = {
        {Root / "missing.jpg", MAPI_E_ATTACHMENT_NOT_FOUND},
        {Root / "folder.jpg", MAPI_E_ATTACHMENT_OPEN_FAILURE},
        // A FIFO nobody writes to must not hold the call.
        {Root / "fifo.jpg", MAPI_E_ATTACHMENT_OPEN_FAILURE},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(SendBoard(c.Path), c.Result) << c.Path;
        EXPECT_TRUE(SpoolFiles().empty());
    }
    EXPECT_TRUE(Requests.empty());
}

TEST_F(MapiSendMailTest, RemovesOldCopiesOnEachCall) {
    WriteAll(Root / "a.jpg", "x");
    ASSERT_EQ(SendBoard(Root / "a.jpg"), SUCCESS_SUCCESS);
    const fs::path old = fs::path(Requests[0].Attachments[0].Path).parent_path();
    ASSERT_EQ(SendBoard(Root / "a.jpg"), SUCCESS_SUCCESS);
    const fs::path recent = fs::path(Requests[1].Attachments[0].Path).parent_path();
    fs::last_write_time(old,
                        fs::file_time_type::clock::now() - SpoolKeepTime - std::chrono::hours(1));
    fs::last_write_time(recent,
                        fs::file_time_type::clock::now() - SpoolKeepTime + std::chrono::hours(1));
    ASSERT_EQ(SendBoard(Root / "a.jpg"), SUCCESS_SUCCESS);
    EXPECT_FALSE(fs::exists(old));
    EXPECT_TRUE(fs::exists(recent));
    EXPECT_EQ(SpoolFiles().size(), 2u);
}

TEST_F(MapiSendMailTest, MakesAnExistingSpoolPrivateAndRefusesALinkInItsPlace) {
    fs::create_directories(Spool);
    fs::permissions(Spool, fs::perms(0755));
    WriteAll(Root / "a.jpg", "x");
    EXPECT_EQ(SendBoard(Root / "a.jpg"), SUCCESS_SUCCESS);
    EXPECT_EQ(fs::status(Spool).permissions() & fs::perms::all, fs::perms::owner_all);

    // A link aimed at another folder is not followed.
    fs::remove_all(Spool);
    fs::create_directory(Root / "elsewhere");
    fs::create_directory_symlink(Root / "elsewhere", Spool);
    EXPECT_EQ(SendBoard(Root / "a.jpg"), MAPI_E_ATTACHMENT_WRITE_FAILURE);
    EXPECT_TRUE(fs::is_empty(Root / "elsewhere"));
}

TEST_F(MapiSendMailTest, RecipientsAndNamesAsGiven) {
    WriteAll(Root / "a.jpg", "x");
    MapiRecipDesc recips[3];
    recips[0].lpszAddress = "SMTP:to@example.invalid";
    recips[1].ulRecipClass = MAPI_CC;
    recips[1].lpszName = "Cc";
    recips[1].lpszAddress = "cc@example.invalid";
    recips[2].ulRecipClass = MAPI_BCC;
    recips[2].lpszAddress = "bcc@example.invalid";
    MapiFileDesc file;
    const AnsiString path = (Root / "a.jpg").string();
    file.lpszPathName = path.c_str();
    file.lpszFileName = "../shown.jpg";
    MapiMessage message;
    message.lpszSubject = "s";
    message.lpszNoteText = "body";
    message.nRecipCount = 3;
    message.lpRecips = recips;
    message.nFileCount = 1;
    message.lpFiles = &file;
    ASSERT_EQ(MapiSendMail(0, 0, &message, 0, 0), SUCCESS_SUCCESS);
    const TMailRequest& request = Requests[0];
    EXPECT_FALSE(request.Dialog);
    EXPECT_EQ(request.Body, "body");
    ASSERT_EQ(request.Recipients.size(), 3u);
    EXPECT_EQ(request.Recipients[0].Address, "to@example.invalid");
    EXPECT_EQ(request.Recipients[1].Class, MAPI_CC);
    EXPECT_EQ(request.Recipients[1].Name, "Cc");
    EXPECT_EQ(request.Recipients[2].Class, MAPI_BCC);
    // The shown name never leads out of the copy's folder.
    EXPECT_EQ(request.Attachments[0].Name, "shown.jpg");
    EXPECT_EQ(fs::path(request.Attachments[0].Path).parent_path().parent_path(), Spool);
}

TEST_F(MapiSendMailTest, RefusesWhatItCannotSend) {
    MapiRecipDesc recip;
    recip.ulRecipClass = MAPI_ORIG;
    MapiMessage message;
    message.nRecipCount = 1;
    message.lpRecips = &recip;
    EXPECT_EQ(MapiSendMail(0, 0, &message, 0, 0), MAPI_E_BAD_RECIPTYPE);
    MapiMessage empty;
    EXPECT_EQ(MapiSendMail(5, 0, &empty, 0, 0), MAPI_E_INVALID_SESSION);
    EXPECT_EQ(MapiSendMail(0, 0, nullptr, 0, 0), MAPI_E_INVALID_MESSAGE);
    MapiMessage noFiles;
    noFiles.nFileCount = 1;
    EXPECT_EQ(MapiSendMail(0, 0, &noFiles, 0, 0), MAPI_E_INVALID_MESSAGE);
    EXPECT_TRUE(Requests.empty());
}

} // namespace
