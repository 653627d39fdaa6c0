#include "platform/ui/Dialogs.h"

#include "platform/host/headless/HeadlessHost.h"
#include "platform/ui/Application.h"

#include <gtest/gtest.h>

namespace {

class DialogsTest : public testing::Test {
protected:
    void TearDown() override { Application->Done(); }

    const THeadlessLogEntry& LastBox() {
        EXPECT_FALSE(Host.Log().empty());
        return Host.Log().back();
    }

    THeadlessHost Host;
};

TEST_F(DialogsTest, OverwriteQuestion) {
    const AnsiString text = "/tmp/a.jpg は既に存在します。\n上書きしますか？";
    Host.QueueBoxButton("はい(&Y)");
    EXPECT_EQ(MessageDlg(text, mtConfirmation, {mbYes, mbNo}, 0), mrYes);
    const THeadlessLogEntry& box = LastBox();
    EXPECT_EQ(box.Kind, THeadlessLogEntry::MessageBox);
    EXPECT_EQ(box.Caption, "確認");
    EXPECT_EQ(box.Text, text);
    EXPECT_EQ(box.Buttons, (std::vector<AnsiString>{"はい(&Y)", "いいえ(&N)"}));

    Host.QueueBoxButton("いいえ(&N)");
    EXPECT_EQ(MessageDlg(text, mtConfirmation, {mbYes, mbNo}, 0), 7);
    // Nobody answers: Esc, or closing the box.
    EXPECT_EQ(MessageDlg(text, mtConfirmation, {mbYes, mbNo}, 0), mrNo);
    EXPECT_FALSE(LastBox().Answered);
}

TEST_F(DialogsTest, CaptionsButtonsAndEscapeByType) {
    Application->SetTitle("ピコラム");
    struct {
        TMsgDlgType Type;
        TMsgDlgButtons Buttons;
        const char* Caption;
        THostBoxIcon Icon;
        std::vector<AnsiString> Texts;
        TModalResult Escape;
    } cases[] = {
        {mtWarning,
         {mbOK, mbCancel},
         "警告",
         THostBoxIcon::Warning,
         {"OK", "キャンセル"},
         mrCancel},
        {mtError,
         {mbAbort, mbRetry, mbIgnore},
         "エラー",
         THostBoxIcon::Error,
         {"中止(&A)", "再試行(&R)", "無視(&I)"},
         mrCancel},
        {mtInformation, {mbOK}, "情報", THostBoxIcon::Information, {"OK"}, mrOk},
        {mtConfirmation,
         {mbNo, mbYes, mbCancel},
         "確認",
         THostBoxIcon::Question,
         {"はい(&Y)", "いいえ(&N)", "キャンセル"},
         mrCancel},
        {mtCustom, {mbYes, mbNo}, "ピコラム", THostBoxIcon::None, {"はい(&Y)", "いいえ(&N)"}, mrNo},
        {mtInformation, {}, "情報", THostBoxIcon::Information, {"OK"}, mrOk},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Caption);
        EXPECT_EQ(MessageDlg("text", c.Type, c.Buttons, 0), c.Escape);
        EXPECT_EQ(LastBox().Caption, c.Caption);
        EXPECT_EQ(LastBox().Icon, c.Icon);
        EXPECT_EQ(LastBox().Buttons, c.Texts);
        EXPECT_EQ(LastBox().DefaultButton, 0);
    }
}

TEST_F(DialogsTest, ButtonResults) {
    const TMsgDlgButtons all{mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore};
    for (TModalResult result = mrOk; result <= mrNo; ++result) {
        Host.QueueBoxResult(result);
        EXPECT_EQ(MessageDlg("text", mtConfirmation, all, 0), result);
        EXPECT_TRUE(LastBox().Answered);
    }
}

TEST_F(DialogsTest, ShowMessageIsCaptionedWithTheTitle) {
    Application->SetTitle("ピコラム");
    const AnsiString notice =
        "お使いのメーラーを｢通常使うメールソフト(規定のプログラム)｣に設定してください。";
    ShowMessage(notice);
    EXPECT_EQ(LastBox().Caption, "ピコラム");
    EXPECT_EQ(LastBox().Icon, THostBoxIcon::None);
    EXPECT_EQ(LastBox().Text, notice);
    EXPECT_EQ(LastBox().Buttons, (std::vector<AnsiString>{"OK"}));
}

class SaveDialogTest : public DialogsTest {
protected:
    void SetUp() override {
        Dialog = new TSavePictureDialog(Application);
        Dialog->SetDefaultExt("jpg");
        Dialog->SetFilter("JPEG ファイル (*.jpg;*.jpeg)|*.jpg;*.jpeg");
    }
    TSavePictureDialog* Dialog = nullptr;
};

TEST_F(SaveDialogTest, AsksTheHostWithTheSettings) {
    Host.QueueSaveCancel();
    EXPECT_FALSE(Dialog->Execute());
    const THostSaveDialogParams& params = LastBox().Dialog;
    ASSERT_EQ(params.Filters.size(), 1u);
    EXPECT_EQ(params.Filters[0].Description, "JPEG ファイル (*.jpg;*.jpeg)");
    EXPECT_EQ(params.Filters[0].Patterns, "*.jpg;*.jpeg");
    EXPECT_EQ(params.FilterIndex, 0);
    EXPECT_EQ(params.DefaultExt, "jpg");
    EXPECT_TRUE(params.PicturePreview);
    EXPECT_EQ(params.Title, "");
    EXPECT_EQ(params.FileName, "") << "the first run starts with an empty name";
    EXPECT_EQ(params.Owner, Host.ApplicationHandle());
    EXPECT_EQ(Dialog->FileName(), "");
}

TEST_F(SaveDialogTest, AppendsTheDefaultExtensionAndKeepsTheName) {
    Host.QueueSaveAnswer("/tmp/board");
    ASSERT_TRUE(Dialog->Execute());
    EXPECT_EQ(Dialog->FileName(), "/tmp/board.jpg");

    Host.QueueSaveCancel();
    EXPECT_FALSE(Dialog->Execute());
    EXPECT_EQ(LastBox().Dialog.FileName, "/tmp/board.jpg") << "opens with the last name";
    EXPECT_EQ(Dialog->FileName(), "/tmp/board.jpg") << "a cancel keeps it";

    Host.QueueSaveAnswer("/tmp/board.bmp");
    ASSERT_TRUE(Dialog->Execute());
    EXPECT_EQ(Dialog->FileName(), "/tmp/board.bmp") << "another extension stays";

    Host.QueueSaveAnswer("/tmp/dotted.dir/board");
    ASSERT_TRUE(Dialog->Execute());
    EXPECT_EQ(Dialog->FileName(), "/tmp/dotted.dir/board.jpg")
        << "a dot in a folder is no extension";
}

TEST_F(SaveDialogTest, SeveralFilters) {
    Dialog->SetFilter("JPEG|*.jpg|Bitmap|*.bmp|All|*");
    Dialog->SetFilterIndex(2);
    Host.QueueSaveCancel();
    Dialog->Execute();
    const THostSaveDialogParams& params = LastBox().Dialog;
    ASSERT_EQ(params.Filters.size(), 3u);
    EXPECT_EQ(params.Filters[1].Description, "Bitmap");
    EXPECT_EQ(params.Filters[2].Patterns, "*");
    EXPECT_EQ(params.FilterIndex, 1);
}

} // namespace
