#include "platform/shell/XdgEmail.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

TMailRequest BoardRequest() {
    TMailRequest request;
    request.Subject = "(添付画像あり)";
    request.Recipients = {{MAPI_TO, "", ""}};
    request.Attachments = {{"/spool/abc/200401311545.jpg", "200401311545.jpg"}};
    request.Dialog = true;
    return request;
}

TEST(XdgEmail, ArgumentsCarryTheMessage) {
    EXPECT_EQ(XdgEmailArguments(BoardRequest()),
              (std::vector<AnsiString>{"--utf8", "--subject", "(添付画像あり)", "--attach",
                                       "/spool/abc/200401311545.jpg"}));
    TMailRequest full = BoardRequest();
    full.Body = "本文";
    full.Recipients = {{MAPI_TO, "A", "a@example.invalid"},
                       {MAPI_CC, "", "c@example.invalid"},
                       {MAPI_BCC, "", "b@example.invalid"}};
    EXPECT_EQ(XdgEmailArguments(full),
              (std::vector<AnsiString>{"--utf8", "--subject", "(添付画像あり)", "--body", "本文",
                                       "--attach", "/spool/abc/200401311545.jpg", "--to",
                                       "a@example.invalid", "--cc", "c@example.invalid", "--bcc",
                                       "b@example.invalid"}));
}

// Stand-ins for xdg-email: scripts that write their arguments, one a line, and exit.
class XdgEmailRun : public testing::Test {
protected:
    void SetUp() override {
        char dir[] = "/tmp/xdg-email-test-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        Root = dir;
    }
    void TearDown() override { fs::remove_all(Root); }

    AnsiString Script(int Exit) {
        const fs::path path = Root / ("mailer-" + std::to_string(Exit));
        std::ofstream(path) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << (Root / "args").string()
                            << "'\necho noise\nexit " << Exit << "\n";
        fs::permissions(path, fs::perms::owner_all);
        return path.string();
    }
    AnsiString Arguments() const {
        std::ifstream in(Root / "args");
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path Root;
};

TEST_F(XdgEmailRun, ExitCodesBecomeResults) {
    struct TCase {
        int Exit;
        ULONG Result;
    };
    const TCase cases[] = {{0, SUCCESS_SUCCESS},
                           {3, MAPI_USER_ABORT},
                           {1, MAPI_E_FAILURE},
                           {2, MAPI_E_FAILURE},
                           {4, MAPI_E_FAILURE}};
    for (const TCase& c : cases)
        EXPECT_EQ(SendWithXdgEmail(BoardRequest(), Script(c.Exit)), c.Result) << c.Exit;
}

TEST_F(XdgEmailRun, AMissingProgramMeansNoMailProgram) {
    EXPECT_EQ(SendWithXdgEmail(BoardRequest(), (Root / "no-such-program").string()),
              MAPI_USER_ABORT);
}

TEST_F(XdgEmailRun, TextsReachTheProgramAsTheyAreWithoutAShell) {
    TMailRequest request = BoardRequest();
    request.Subject = "a $(touch " + (Root / "ran").string() + ") 'b' \"c\"";
    ASSERT_EQ(SendWithXdgEmail(request, Script(0)), SUCCESS_SUCCESS);
    EXPECT_EQ(Arguments(), "--utf8\n--subject\n" + request.Subject +
                               "\n--attach\n/spool/abc/200401311545.jpg\n");
    EXPECT_FALSE(fs::exists(Root / "ran"));
}

} // namespace
