#include "platform/ui/Application.h"

#include "UiTest.h"

#include <stdexcept>

namespace {

TEST(ExceptionText, AppendsAStopAfterALastCharacterThatSortsAfterIt) {
    struct TCase {
        const char* Message;
        const char* Text;
    };
    const TCase cases[] = {
        {"abc", "abc."},
        {"", ""},
        {"abc.", "abc."},
        {"abc!", "abc!"}, // "!" sorts before "."
        {"abc-", "abc-"},
        {"abc/", "abc/."},
        {"v1", "v1."},
        {"ファイル x は開けません", "ファイル x は開けません."}, // a multi-byte last character
        {"a\n", "a\n"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(TApplication::ExceptionText(c.Message), c.Text) << c.Message;
}

class ApplicationTest : public UiTest {};

TEST_F(ApplicationTest, HandleExceptionShowsTheErrorBoxExceptForAbort) {
    Application->SetTitle("ピコラム");
    auto raise = [](auto e) {
        try {
            throw e;
        } catch (...) {
            Application->HandleException(nullptr);
        }
    };
    raise(EAbort());
    EXPECT_TRUE(Boxes().empty());
    raise(EConvertError("bad value"));
    raise(std::runtime_error("not ours"));
    raise(42);
    ASSERT_EQ(Boxes().size(), 3u);
    EXPECT_EQ(Boxes()[0].Caption, "ピコラム");
    EXPECT_EQ(Boxes()[0].Text, "bad value.");
    EXPECT_EQ(Boxes()[0].Buttons, std::vector<AnsiString>{"OK"});
    EXPECT_EQ(Boxes()[1].Text, "");
    EXPECT_EQ(Boxes()[2].Text, "");
}

TEST_F(ApplicationTest, TheDefaultTitleIsTheProgramsName) {
    EXPECT_EQ(Application->Title(), "test_platform_ui");
}

TEST_F(ApplicationTest, AnExceptionInAHandlerReachesTheBoxAndTheLoopGoesOn) {
    TForm* form = NewForm();
    TProbe* p = NewProbe(form, Bounds(0, 0, 50, 50));
    int clicks = 0;
    p->SetOnClick([&](TObject*) {
        ++clicks;
        throw Exception("failed");
    });
    Host.Click(Window(form), 5, 5);
    Host.Click(Window(form), 30, 5);
    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1].Text, "failed.");
    // The press's capture did not outlive the failed release.
    EXPECT_EQ(GetCaptureControl(), nullptr);

    // Painting and idle are guarded the same way.
    p->Fill = clBlue;
    struct TBadPaint : TProbe {
        using TProbe::TProbe;
        void Paint() override { throw Exception("paint"); }
    };
    auto* bad = new TBadPaint(form);
    bad->SetBounds(60, 0, 10, 10);
    bad->SetParent(form);
    Host.ProcessMessages();
    EXPECT_EQ(Boxes().back().Text, "paint.");
    EXPECT_EQ(Window(form).ScreenPixel(5, 5), clBlue); // the others still painted
}

TEST_F(ApplicationTest, OnExceptionReplacesTheBox) {
    std::vector<AnsiString> seen;
    Application->SetOnException([&](TObject*, const Exception& E) { seen.push_back(E.Message()); });
    try {
        throw Exception("x");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    EXPECT_EQ(seen, std::vector<AnsiString>{"x"});
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(ApplicationTest, RunShowsTheMainFormUntilItCloses) {
    TForm* main = nullptr;
    TForm* second = nullptr;
    Application->CreateForm(main);
    Application->CreateForm(second);
    EXPECT_EQ(Application->MainForm(), main);
    bool shownWhileRunning = false;
    Host.SetRunHandler([&] {
        shownWhileRunning = main->Visible() && Window(main).Visible();
        Host.RequestClose(Window(main));
    });
    Application->Run();
    EXPECT_TRUE(shownWhileRunning);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(Host.QuitRequested());
    EXPECT_FALSE(second->Visible());
}

TEST_F(ApplicationTest, ClosingAnotherFormHidesIt) {
    TForm* main = nullptr;
    TForm* other = nullptr;
    Application->CreateForm(main);
    Application->CreateForm(other);
    main->Show();
    other->Show();
    Host.RequestClose(Window(other));
    EXPECT_FALSE(other->Visible());
    EXPECT_FALSE(Application->Terminated());
    TCloseAction asked = caNone;
    other->SetOnClose([&](TObject*, TCloseAction& Action) {
        asked = Action;
        Action = caFree;
    });
    other->Show();
    Host.RequestClose(Window(other));
    EXPECT_EQ(asked, caHide);
    Host.ProcessMessages();
    EXPECT_EQ(Application->ComponentCount(), 1);
}

TEST_F(ApplicationTest, FreeingTheMainFormForgetsIt) {
    TForm* main = nullptr;
    Application->CreateForm(main);
    delete main;
    EXPECT_EQ(Application->MainForm(), nullptr);
    Application->Run(); // returns at once
}

} // namespace
