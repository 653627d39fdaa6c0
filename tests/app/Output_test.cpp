#include "BoardFixture.h"

#include "app/BoardOutput.h"
#include "platform/base/Exceptions.h"
#include "platform/base/FileUtils.h"
#include "platform/shell/Mapi.h"
#include "platform/ui/Dialogs.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace {

TPoint Inside(int N) {
    return {120 * ((N - 1) % 4) + 60, 160 * ((N - 1) / 4) + 100};
}

class SaveTest : public BoardTest {
protected:
    void Save(const AnsiString& Answer) {
        if (Answer == "cancel")
            Host.QueueSaveCancel();
        else
            Host.QueueSaveAnswer(Answer);
        Key("Ctrl+S");
    }
};

TEST_F(SaveTest, WritesTheBoardAsShownUnscaledAsABaselineJpeg) {
    Move(Inside(8).X, Inside(8).Y);
    Drop({PictureFile("red.bmp", clRed)});
    Save(Path("board.jpg"));
    ASSERT_TRUE(FileExists(Path("board.jpg")));
    auto bitmap = DecodeJpegFile(Path("board.jpg"));
    ASSERT_EQ(bitmap->Width(), 480);
    ASSERT_EQ(bitmap->Height(), 320);
    // Cell 8 lies at x 360 to 479 and y 160 to 319: not scaled, not shifted.
    EXPECT_TRUE(Near(bitmap->GetPixel(420, 240), clRed));
    EXPECT_TRUE(Near(bitmap->GetPixel(364, 300), clRed));
    EXPECT_TRUE(Near(bitmap->GetPixel(476, 316), clRed));
    EXPECT_FALSE(Near(bitmap->GetPixel(352, 240), clRed));
    EXPECT_FALSE(Near(bitmap->GetPixel(420, 150), clRed));
    std::vector<std::uint8_t> bytes = ReadFile(Path("board.jpg"));
    ASSERT_GT(bytes.size(), 20u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);
    EXPECT_EQ(AnsiString(bytes.begin() + 6, bytes.begin() + 10), "JFIF");
    // The dialog remembers the confirmed name and offers the one JPEG type.
    const THeadlessLogEntry& dialog = Host.Log().back();
    ASSERT_EQ(dialog.Kind, THeadlessLogEntry::SaveDialog);
    ASSERT_EQ(dialog.Dialog.Filters.size(), 1u);
    EXPECT_EQ(dialog.Dialog.Filters[0].Description, "JPEG ファイル (*.jpg;*.jpeg)");
    EXPECT_EQ(dialog.Dialog.Filters[0].Patterns, "*.jpg;*.jpeg");
    EXPECT_EQ(dialog.Dialog.DefaultExt, "jpg");
    EXPECT_EQ(dialog.Dialog.FileName, "");
    Save("cancel");
    EXPECT_EQ(Host.Log().back().Dialog.FileName, Path("board.jpg"));
}

TEST_F(SaveTest, ANameWithoutExtensionGetsJpgAndAnyNameGetsJpegData) {
    Save(Path("plain"));
    EXPECT_TRUE(FileExists(Path("plain.jpg")));
    Save(Path("picture.bmp"));
    std::vector<std::uint8_t> bytes = ReadFile(Path("picture.bmp"));
    ASSERT_GT(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);
}

TEST_F(SaveTest, AnExistingFileIsReplacedOnlyAfterYes) {
    const std::vector<std::uint8_t> old(200000, 0x5A);
    WriteFile("exists.jpg", old);
    Host.QueueBoxResult(mrNo);
    Save(Path("exists.jpg"));
    std::vector<THeadlessLogEntry> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Caption, "確認");
    EXPECT_EQ(boxes[0].Text, Path("exists.jpg") + " は既に存在します。\n上書きしますか？");
    EXPECT_EQ(boxes[0].Buttons, (std::vector<AnsiString>{"はい(&Y)", "いいえ(&N)"}));
    EXPECT_EQ(ReadFile(Path("exists.jpg")), old);

    Host.QueueBoxResult(mrYes);
    Save(Path("exists.jpg"));
    std::vector<std::uint8_t> replaced = ReadFile(Path("exists.jpg"));
    ASSERT_LT(replaced.size(), old.size());
    EXPECT_EQ(replaced[0], 0xFF);
    EXPECT_EQ(replaced[1], 0xD8);
    EXPECT_EQ(replaced[replaced.size() - 2], 0xFF);
    EXPECT_EQ(replaced[replaced.size() - 1], 0xD9);
}

TEST_F(SaveTest, AFolderThatCannotTakeTheFileShowsTheErrorAndWritesNothing) {
    const AnsiString path = Path("missing/board.jpg");
    Save(path);
    std::vector<THeadlessLogEntry> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Caption, "ピコラム");
    EXPECT_EQ(boxes[0].Text, "ファイル " + path + " を作成できません.");
    EXPECT_FALSE(FileExists(path));
}

class MailTest : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        SetMailTransport([this](const TMailRequest& Request) {
            Requests.push_back(Request);
            for (const TMailAttachment& a : Request.Attachments)
                Attached.push_back(ReadFile(a.Path));
            return Result;
        });
    }
    void TearDown() override {
        SetMailTransport(nullptr);
        BoardTest::TearDown();
    }
    std::vector<AnsiString> AttachmentFolderFiles() {
        std::vector<AnsiString> names;
        for (const auto& entry : std::filesystem::directory_iterator(Folder + "/picolam"))
            names.push_back(entry.path().filename().string());
        return names;
    }

    ULONG Result = SUCCESS_SUCCESS;
    std::vector<TMailRequest> Requests;
    std::vector<std::vector<std::uint8_t>> Attached;
};

TEST_F(MailTest, HandsTheBoardToTheMailProgramAndLeavesNothingBehind) {
    Move(Inside(2).X, Inside(2).Y);
    Drop({PictureFile("red.bmp", clRed)});
    const AnsiString before = MailTimeStamp(std::time(nullptr));
    Key("Ctrl+M");
    const AnsiString after = MailTimeStamp(std::time(nullptr));
    ASSERT_EQ(Requests.size(), 1u);
    const TMailRequest& mail = Requests[0];
    EXPECT_EQ(mail.Subject, "(添付画像あり)");
    EXPECT_EQ(mail.Body, "");
    EXPECT_TRUE(mail.Dialog);
    ASSERT_EQ(mail.Recipients.size(), 1u);
    EXPECT_EQ(mail.Recipients[0].Class, MAPI_TO);
    EXPECT_EQ(mail.Recipients[0].Name, "");
    EXPECT_EQ(mail.Recipients[0].Address, "");
    ASSERT_EQ(mail.Attachments.size(), 1u);
    const AnsiString name = mail.Attachments[0].Name;
    EXPECT_TRUE(name == before + ".jpg" || name == after + ".jpg") << name;
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Host.BeepCount(), 0);
    // The attachment is what the save command writes for the same board.
    Host.QueueSaveAnswer(Path("saved.jpg"));
    Key("Ctrl+S");
    EXPECT_EQ(Attached[0], ReadFile(Path("saved.jpg")));
    EXPECT_TRUE(AttachmentFolderFiles().empty());
    struct stat st {};
    ASSERT_EQ(stat((Folder + "/picolam").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(MailTest, ANonzeroResultBeepsAndShowsTheNoticeAndStillDeletesTheFile) {
    for (ULONG result : {MAPI_USER_ABORT, MAPI_E_FAILURE}) {
        Result = result;
        Key("Ctrl+M");
        std::vector<THeadlessLogEntry> boxes = Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].Caption, "ピコラム");
        EXPECT_EQ(boxes[0].Text,
                  "お使いのメーラーを｢通常使うメールソフト(規定のプログラム)｣に設定してください。");
        EXPECT_EQ(boxes[0].Buttons, std::vector<AnsiString>{"OK"});
        EXPECT_TRUE(AttachmentFolderFiles().empty());
    }
    EXPECT_EQ(Host.BeepCount(), 2);
    // The beep comes before the notice.
    auto beep = std::find_if(Host.Log().begin(), Host.Log().end(),
                             [](const auto& e) { return e.Kind == THeadlessLogEntry::Beep; });
    auto box = std::find_if(Host.Log().begin(), Host.Log().end(),
                            [](const auto& e) { return e.Kind == THeadlessLogEntry::MessageBox; });
    EXPECT_LT(beep, box);
}

TEST_F(MailTest, AFileOfTheSameNameIsOverwrittenWithoutAQuestion) {
    const AnsiString folder = AttachmentFolder();
    const AnsiString stamp = MailTimeStamp(std::time(nullptr));
    WriteFile("picolam/" + stamp + ".jpg", std::vector<std::uint8_t>(5000, 1));
    Key("Ctrl+M");
    ASSERT_EQ(Attached.size(), 1u);
    EXPECT_EQ(Attached[0][0], 0xFF);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(AttachmentFolderFiles().empty());
}

TEST(MailTimeStamp, IsTheLocalMinuteInTwelveDigits) {
    const char* saved = std::getenv("TZ");
    const AnsiString previous = saved != nullptr ? saved : "";
    // 2004-01-31 15:45:30 UTC.
    const std::time_t moment = 1075563930;
    setenv("TZ", "UTC", 1);
    EXPECT_EQ(MailTimeStamp(moment), "200401311545");
    setenv("TZ", "JST-9", 1);
    EXPECT_EQ(MailTimeStamp(moment), "200402010045");
    if (saved != nullptr)
        setenv("TZ", previous.c_str(), 1);
    else
        unsetenv("TZ");
}

TEST(AttachmentFolder, RefusesAFolderThatIsNotPrivate) {
    char pattern[] = "/tmp/picolam-runtime-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const AnsiString runtime = pattern;
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    ASSERT_EQ(mkdir((runtime + "/picolam").c_str(), 0755), 0);
    EXPECT_THROW(AttachmentFolder(), EFCreateError);
    std::filesystem::remove(runtime + "/picolam");
    ASSERT_EQ(symlink("/tmp", (runtime + "/picolam").c_str()), 0);
    EXPECT_THROW(AttachmentFolder(), EFCreateError);
    std::filesystem::remove(runtime + "/picolam");
    EXPECT_EQ(AttachmentFolder(), runtime + "/picolam");
    std::filesystem::remove_all(runtime);
}

TEST(InformationAddress, AppendsTheExecutablesBaseNameUnencoded) {
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/picolam", "picolam"},
        {"/opt/x/Other Name", "Other Name"},
        {"/opt/x/Other Name.exe", "Other Name"},
        {"/opt/x/a.b.exe", "a.b"},
        {"/opt/x.y/tool", "tool"},
    };
    for (auto [path, base] : cases)
        EXPECT_EQ(InformationAddress(path),
                  AnsiString("http://") + InformationHost + "/info.php?pf=w&sn=" + base);
}

TEST_F(BoardTest, TheInformationCommandOpensThePageForThisExecutable) {
    Choose("N4");
    std::vector<AnsiString> urls = Host.OpenedUrls();
    ASSERT_EQ(urls.size(), 1u);
    EXPECT_EQ(urls[0], InformationAddress(ParamStr(0)));
    EXPECT_NE(urls[0].find("sn=test_app"), AnsiString::npos);
}

} // namespace
