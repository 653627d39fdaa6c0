#include "app/headless/ScriptRunner.h"

#include "platform/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

struct TRun {
    int Result;
    std::string Out;
    std::string Err;
};

class ScriptRunner : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/picolam-script-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        Folder = pattern;
        setenv("XDG_RUNTIME_DIR", Folder.c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(Folder); }

    TRun Run(const std::string& Script) {
        std::istringstream in(Script);
        std::ostringstream out, err;
        int result = RunScript(in, out, err);
        return {result, out.str(), err.str()};
    }

    std::string Folder;
};

TEST_F(ScriptRunner, PrintsWhatTheUserSeesInOrder) {
    TRun run = Run("# a comment\n"
                   "move 10 200\n"
                   "drop " +
                   Folder +
                   "/missing.bmp\n"
                   "mail-result 1\n"
                   "box-answer ok\n"
                   "key Ctrl+M\n"
                   "save-answer cancel\n"
                   "choose Save1\n"
                   "rclick 5 5\n"
                   "choose N4\n"
                   "rclick 5 5\n");
    EXPECT_EQ(run.Result, 0) << run.Err;
    std::istringstream lines(run.Out);
    std::vector<std::string> got;
    for (std::string line; std::getline(lines, line);)
        got.push_back(line);
    ASSERT_EQ(got.size(), 6u) << run.Out;
    EXPECT_EQ(got[0],
              "box ピコラム | ファイル " + Folder + "/missing.bmp は開けません. | OK -> escape");
    EXPECT_EQ(got[1].rfind("mail (添付画像あり) | ", 0), 0u) << got[1];
    EXPECT_NE(got[1].find(".jpg | "), std::string::npos);
    EXPECT_EQ(got[1].substr(got[1].size() - 5), " -> 1");
    EXPECT_EQ(got[2], "beep");
    EXPECT_EQ(got[3], "box ピコラム | "
                      "お使いのメーラーを｢通常使うメールソフト(規定のプログラム)"
                      "｣に設定してください。 | OK -> OK");
    EXPECT_EQ(got[4], "save-dialog -> cancel");
    EXPECT_EQ(got[5].substr(0, 4), "url ");
    EXPECT_NE(got[5].find("/info.php?pf=w&sn="), std::string::npos);
}

TEST_F(ScriptRunner, WritesLineBreaksOfATextAsBackslashN) {
    const std::string target = Folder + "/exists.jpg";
    std::filesystem::create_directories(Folder);
    { std::ofstream(target) << "old"; }
    TRun run = Run("save-answer " + target + "\nbox-answer no\nkey Ctrl+S\n");
    EXPECT_EQ(run.Result, 0) << run.Err;
    EXPECT_NE(
        run.Out.find("box 確認 | " + target +
                     " は既に存在します。\\n上書きしますか？ | はい(&Y), いいえ(&N) -> いいえ(&N)"),
        std::string::npos)
        << run.Out;
}

TEST_F(ScriptRunner, SnapshotsTheBoardLosslessly) {
    const std::string shot = Folder + "/board.bmp";
    TRun run = Run("key Insert\nsnapshot " + shot + "\nquit\nkey Ctrl+S\n");
    EXPECT_EQ(run.Result, 0) << run.Err;
    EXPECT_EQ(run.Out, ""); // nothing after quit runs
    TBitmap bitmap;
    bitmap.LoadFromFile(shot);
    ASSERT_EQ(bitmap.Width(), 480);
    ASSERT_EQ(bitmap.Height(), 320);
    EXPECT_EQ(bitmap.GetPixel(10, 10), clWhite);
    EXPECT_EQ(bitmap.GetPixel(130, 10), static_cast<TColor>(0xE1FFE1));
    EXPECT_EQ(bitmap.GetPixel(239, 10), clWhite);
}

TEST_F(ScriptRunner, AScriptErrorNamesItsLineAndEndsWithTwo) {
    const std::pair<const char*, const char*> cases[] = {
        {"move 1 2\njump 3 4\n", "line 2: "},
        {"move 1\n", "line 1: "},
        {"\n\nclick x 4\n", "line 3: "},
        {"box-answer maybe\n", "line 1: "},
        {"key Hyper+Q\n", "line 1: "},
        {"drop\n", "line 1: "},
        {"wait -5\n", "line 1: "},
    };
    for (auto [script, prefix] : cases) {
        TRun run = Run(script);
        EXPECT_EQ(run.Result, 2) << script;
        EXPECT_EQ(run.Err.substr(0, std::string(prefix).size()), prefix) << script << run.Err;
    }
}

} // namespace
