#include "platform/host/headless/HeadlessHost.h"

#include <gtest/gtest.h>

namespace {

// A form stand-in: records what its window tells it and paints a colour into its surface.
class TRecordingForm : public THostWindowEvents {
public:
    explicit TRecordingForm(THeadlessHost& Host, int Width = 40, int Height = 30) {
        Surface.SetPixelFormat(pf32bit);
        Surface.SetSize(Width, Height);
        THostWindowParams params;
        params.Caption = "board";
        params.Left = 100;
        params.Top = 50;
        params.ClientWidth = Width;
        params.ClientHeight = Height;
        Window = std::unique_ptr<THeadlessWindow>(
            static_cast<THeadlessWindow*>(Host.CreateWindow(this, params).release()));
        Window->SetSurface(&Surface);
    }

    void HostPaint(const TRect& Area) override {
        Paints.push_back(Area);
        for (int y = Area.Top; y < Area.Bottom; ++y)
            for (int x = Area.Left; x < Area.Right; ++x)
                Surface.SetPixel(x, y, PaintColor);
    }
    void HostMouse(const THostMouseEvent& Event) override { Mouse.push_back(Event); }
    void HostKey(const THostKeyEvent& Event) override { Keys.push_back(Event); }
    void HostDropFiles(const std::vector<AnsiString>& Paths, TPoint At) override {
        Drops.push_back(Paths);
        DropPoints.push_back(At);
    }
    void HostCloseRequest() override { ++CloseRequests; }

    TBitmap Surface;
    std::unique_ptr<THeadlessWindow> Window;
    TColor PaintColor = clRed;
    std::vector<TRect> Paints;
    std::vector<THostMouseEvent> Mouse;
    std::vector<THostKeyEvent> Keys;
    std::vector<std::vector<AnsiString>> Drops;
    std::vector<TPoint> DropPoints;
    int CloseRequests = 0;
};

TEST(HeadlessHost, IsTheCurrentHostWhileItLives) {
    {
        THeadlessHost host;
        EXPECT_EQ(&THost::Current(), &host);
    }
    EXPECT_THROW(THost::Current(), std::exception);
}

TEST(HeadlessHost, PaintsInvalidAreasOnlyWhenTheLoopRuns) {
    THeadlessHost host;
    TRecordingForm form(host);
    form.Window->Show();
    EXPECT_TRUE(form.Paints.empty());
    host.ProcessMessages();
    ASSERT_EQ(form.Paints.size(), 1u);
    EXPECT_EQ(form.Paints[0], Rect(0, 0, 40, 30));
    EXPECT_EQ(form.Window->ScreenPixel(39, 29), clRed);

    // Two invalidations are painted as one area; the screen changes only there.
    form.PaintColor = clBlue;
    form.Window->Invalidate(Rect(2, 2, 4, 4));
    form.Window->Invalidate(Rect(6, 3, 8, 5));
    EXPECT_EQ(form.Window->ScreenPixel(3, 3), clRed);
    host.ProcessMessages();
    ASSERT_EQ(form.Paints.size(), 2u);
    EXPECT_EQ(form.Paints[1], Rect(2, 2, 8, 5));
    EXPECT_EQ(form.Window->ScreenPixel(3, 3), clBlue);
    EXPECT_EQ(form.Window->ScreenPixel(8, 3), clRed);
    host.ProcessMessages();
    EXPECT_EQ(form.Paints.size(), 2u);
}

TEST(HeadlessHost, ScreenShowsOnlyWhatWasPresented) {
    THeadlessHost host;
    TRecordingForm form(host);
    form.Window->Show();
    host.ProcessMessages();
    // Drawing on the surface alone is not shown until it is presented.
    form.Surface.SetPixel(5, 5, clLime);
    EXPECT_EQ(form.Window->ScreenPixel(5, 5), clRed);
    form.Window->PresentNow(Rect(0, 0, 5, 5));
    EXPECT_EQ(form.Window->ScreenPixel(5, 5), clRed);
    form.Window->PresentNow(Rect(5, 5, 6, 6));
    EXPECT_EQ(form.Window->ScreenPixel(5, 5), clLime);
}

TEST(HeadlessHost, HiddenWindowsAreNotPainted) {
    THeadlessHost host;
    TRecordingForm form(host);
    form.Window->Invalidate(Rect(0, 0, 10, 10));
    host.ProcessMessages();
    EXPECT_TRUE(form.Paints.empty());
    EXPECT_EQ(host.MainWindow(), nullptr);
    form.Window->Show();
    EXPECT_EQ(host.MainWindow(), form.Window.get());
}

TEST(HeadlessHost, PostedTasksRunInOrderBeforeIdle) {
    THeadlessHost host;
    std::vector<int> order;
    host.SetIdleHandler([&] { order.push_back(0); });
    host.Post([&] {
        order.push_back(1);
        host.Post([&] { order.push_back(3); });
    });
    host.Post([&] { order.push_back(2); });
    EXPECT_TRUE(order.empty());
    host.ProcessMessages();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 0, 3, 0}));
}

TEST(HeadlessHost, ClockFiresDueTimersInOrder) {
    THeadlessHost host;
    std::vector<std::pair<char, std::uint64_t>> ticks;
    const std::uint64_t start = host.TickCount();
    const int a = host.StartTimer(200, [&] { ticks.emplace_back('a', host.TickCount() - start); });
    host.StartTimer(300, [&] { ticks.emplace_back('b', host.TickCount() - start); });
    host.StartTimer(600, [&] { ticks.emplace_back('c', host.TickCount() - start); });
    EXPECT_NE(a, 0);
    host.Advance(199);
    EXPECT_TRUE(ticks.empty());
    host.Advance(401);
    // At 600 all three are due: the one started first fires first.
    EXPECT_EQ(ticks, (std::vector<std::pair<char, std::uint64_t>>{
                         {'a', 200}, {'b', 300}, {'a', 400}, {'a', 600}, {'b', 600}, {'c', 600}}));
    EXPECT_EQ(host.TickCount() - start, 600u);
}

TEST(HeadlessHost, TimerStoppedInItsTickOrBySomeoneElseFiresNoMore) {
    THeadlessHost host;
    int selfTicks = 0;
    int otherTicks = 0;
    int self = 0;
    int other = 0;
    self = host.StartTimer(100, [&] {
        ++selfTicks;
        host.StopTimer(self);
        host.StopTimer(other);
    });
    other = host.StartTimer(100, [&] { ++otherTicks; });
    host.Advance(1000);
    EXPECT_EQ(selfTicks, 1);
    EXPECT_EQ(otherTicks, 0);
}

TEST(HeadlessHost, IdleAndPaintsRunAfterEachTimerTick) {
    THeadlessHost host;
    TRecordingForm form(host);
    form.Window->Show();
    host.ProcessMessages();
    int idles = 0;
    host.SetIdleHandler([&] { ++idles; });
    std::vector<std::size_t> paintsSeenByTick;
    host.StartTimer(100, [&] {
        paintsSeenByTick.push_back(form.Paints.size());
        form.Window->Invalidate(Rect(0, 0, 1, 1));
    });
    host.Advance(250);
    // The second tick sees the paint the first asked for.
    EXPECT_EQ(paintsSeenByTick, (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(idles, 3);
}

TEST(HeadlessHost, PointerEventsReachTheWindowInClientCoordinates) {
    THeadlessHost host;
    TRecordingForm form(host);
    form.Window->Show();
    host.MouseMove(*form.Window, 10, 12);
    EXPECT_EQ(host.CursorPos(), Point(110, 62));
    host.SetKeyDown(VK_SHIFT, true);
    host.Click(*form.Window, 10, 12, mbRight);
    host.SetKeyDown(VK_SHIFT, false);
    ASSERT_EQ(form.Mouse.size(), 3u);
    EXPECT_EQ(form.Mouse[0].Kind, THostMouseEvent::Move);
    EXPECT_EQ(form.Mouse[1].Kind, THostMouseEvent::Down);
    EXPECT_EQ(form.Mouse[1].Button, mbRight);
    EXPECT_EQ(form.Mouse[1].Shift, ssShift | ssRight);
    EXPECT_EQ(form.Mouse[1].X, 10);
    EXPECT_EQ(form.Mouse[1].Y, 12);
    EXPECT_EQ(form.Mouse[2].Kind, THostMouseEvent::Up);
    EXPECT_EQ(form.Mouse[2].Shift, TShiftState(ssShift));
}

TEST(HeadlessHost, ButtonStateFollowsPressAndRelease) {
    THeadlessHost host;
    TRecordingForm form(host);
    form.Window->Show();
    host.MousePress(*form.Window, 3, 4);
    EXPECT_TRUE(host.IsKeyDown(VK_LBUTTON));
    // A press elsewhere is preceded by the move there.
    ASSERT_EQ(form.Mouse.size(), 2u);
    EXPECT_EQ(form.Mouse[0].Kind, THostMouseEvent::Move);
    host.MouseMove(*form.Window, 5, 4);
    EXPECT_EQ(form.Mouse.back().Shift, TShiftState(ssLeft));
    host.MouseRelease(*form.Window, 5, 4);
    EXPECT_FALSE(host.IsKeyDown(VK_LBUTTON));
}

TEST(HeadlessHost, DoubleClickDependsOnTheClock) {
    struct TCase {
        std::uint64_t Gap;
        int SecondX;
        bool Double;
    };
    const TCase cases[] = {{0, 5, true}, {499, 9, true}, {500, 5, false}, {0, 10, false}};
    for (const TCase& c : cases) {
        THeadlessHost host;
        TRecordingForm form(host);
        form.Window->Show();
        host.Click(*form.Window, 5, 5);
        host.Advance(c.Gap);
        form.Mouse.clear();
        host.Click(*form.Window, c.SecondX, 5);
        const THostMouseEvent press = form.Mouse[form.Mouse.size() - 2];
        EXPECT_EQ(press.Kind == THostMouseEvent::DoubleClick, c.Double)
            << "gap " << c.Gap << " x " << c.SecondX;
        EXPECT_EQ(press.Shift.Contains(ssDouble), c.Double);
    }
}

TEST(HeadlessHost, ThirdPressIsAPlainPressAgain) {
    THeadlessHost host;
    TRecordingForm form(host);
    form.Window->Show();
    host.DoubleClick(*form.Window, 5, 5);
    host.Click(*form.Window, 5, 5);
    std::vector<THostMouseEvent::TKind> presses;
    for (const THostMouseEvent& e : form.Mouse)
        if (e.Kind == THostMouseEvent::Down || e.Kind == THostMouseEvent::DoubleClick)
            presses.push_back(e.Kind);
    EXPECT_EQ(presses,
              (std::vector<THostMouseEvent::TKind>{
                  THostMouseEvent::Down, THostMouseEvent::DoubleClick, THostMouseEvent::Down}));
}

TEST(HeadlessHost, CaptureTakesPointerEventsAimedElsewhere) {
    THeadlessHost host;
    TRecordingForm first(host);
    TRecordingForm second(host);
    THostWindowParams moved = second.Window->Params();
    moved.Left = 200;
    second.Window->SetGeometry(moved);
    first.Window->Show();
    second.Window->Show();
    host.MousePress(*first.Window, 5, 5);
    first.Window->SetCapture(true);
    EXPECT_EQ(host.CaptureWindow(), first.Window.get());
    host.MouseMove(*second.Window, 1, 2);
    // The capturing window hears the move in its own coordinates and is not told it left.
    EXPECT_TRUE(second.Mouse.empty());
    ASSERT_EQ(first.Mouse.back().Kind, THostMouseEvent::Move);
    EXPECT_EQ(first.Mouse.back().X, 101);
    EXPECT_EQ(first.Mouse.back().Y, 2);
    first.Window->SetCapture(false);
    EXPECT_EQ(host.CaptureWindow(), nullptr);
    EXPECT_EQ(first.Mouse.back().Kind, THostMouseEvent::Leave);
    host.MouseMove(*second.Window, 1, 3);
    EXPECT_EQ(second.Mouse.size(), 1u);
}

TEST(HeadlessHost, LeavingAWindowTellsIt) {
    THeadlessHost host;
    TRecordingForm form(host);
    form.Window->Show();
    host.MouseMove(*form.Window, 1, 1);
    host.MouseLeave();
    ASSERT_EQ(form.Mouse.size(), 2u);
    EXPECT_EQ(form.Mouse[1].Kind, THostMouseEvent::Leave);
    host.MouseLeave();
    EXPECT_EQ(form.Mouse.size(), 2u);
}

TEST(HeadlessHost, KeysHoldTheirModifiersWhileTheyAreHeard) {
    THeadlessHost host;
    struct TSeen {
        bool Control, Shift, Key;
    };
    std::vector<TSeen> seen;
    class TKeyForm : public TRecordingForm {
    public:
        using TRecordingForm::TRecordingForm;
        std::function<void()> OnKey;
        void HostKey(const THostKeyEvent& Event) override {
            TRecordingForm::HostKey(Event);
            OnKey();
        }
    } keyForm(host);
    keyForm.OnKey = [&] {
        seen.push_back({host.IsKeyDown(VK_CONTROL), host.IsKeyDown(VK_SHIFT), host.IsKeyDown('S')});
    };
    host.Key(*keyForm.Window, 'S', ssCtrl);
    ASSERT_EQ(keyForm.Keys.size(), 1u);
    EXPECT_EQ(keyForm.Keys[0].Key, 'S');
    EXPECT_EQ(keyForm.Keys[0].Shift, TShiftState(ssCtrl));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].Control);
    EXPECT_FALSE(seen[0].Shift);
    EXPECT_TRUE(seen[0].Key);
    EXPECT_FALSE(host.IsKeyDown(VK_CONTROL));
    EXPECT_FALSE(host.IsKeyDown('S'));
}

TEST(HeadlessHost, DropsArriveInOrderAtThePointer) {
    THeadlessHost host;
    TRecordingForm form(host);
    form.Window->Show();
    host.MouseMove(*form.Window, 7, 8);
    host.DropFiles(*form.Window, {"/tmp/a.jpg", "/tmp/b.bmp"});
    EXPECT_TRUE(form.Drops.empty()) << "a window that does not accept drops hears none";
    form.Window->SetAcceptDrops(true);
    host.DropFiles(*form.Window, {"/tmp/a.jpg", "/tmp/b.bmp"});
    ASSERT_EQ(form.Drops.size(), 1u);
    EXPECT_EQ(form.Drops[0], (std::vector<AnsiString>{"/tmp/a.jpg", "/tmp/b.bmp"}));
    EXPECT_EQ(form.DropPoints[0], Point(7, 8));
}

TEST(HeadlessHost, CloseRequestReachesTheForm) {
    THeadlessHost host;
    TRecordingForm form(host);
    host.RequestClose(*form.Window);
    EXPECT_EQ(form.CloseRequests, 1);
}

TEST(HeadlessHost, WindowsAreFoundByHandleUntilDestroyed) {
    THeadlessHost host;
    auto form = std::make_unique<TRecordingForm>(host);
    const std::uintptr_t handle = form->Window->Handle();
    EXPECT_NE(handle, host.ApplicationHandle());
    EXPECT_EQ(host.FindWindow(handle), form->Window.get());
    form->Window->SetCapture(true);
    form.reset();
    EXPECT_EQ(host.FindWindow(handle), nullptr);
    EXPECT_EQ(host.CaptureWindow(), nullptr);
    EXPECT_TRUE(host.Windows().empty());
}

THostMenuItem Item(int Id, const AnsiString& Name, const AnsiString& Caption) {
    THostMenuItem item;
    item.Id = Id;
    item.Name = Name;
    item.Caption = Caption;
    return item;
}

std::vector<THostMenuItem> SampleMenu() {
    THostMenuItem save = Item(1, "Save1", "保存(&S)...");
    save.ShortCutText = "Ctrl+S";
    THostMenuItem off = Item(3, "Off1", "無効");
    off.Enabled = false;
    THostMenuItem markers = Item(4, "N5", "マーカー");
    markers.Items = {Item(5, "N6", "白い数字")};
    markers.Items[0].Checked = true;
    return {save, Item(2, "N1", "-"), off, markers};
}

TEST(HeadlessHost, MenuAnswersByNameAndLogsThem) {
    struct TCase {
        std::optional<AnsiString> Choice; // nothing queued when absent
        bool None;
        int Id;
        AnsiString Answer;
        bool Answered;
    };
    const TCase cases[] = {
        {"Save1", false, 1, "Save1", true}, {"N6", false, 5, "N6", true},
        {"", true, 0, "none", true},        {"N1", false, 0, "none", false},
        {"Off1", false, 0, "none", false},  {"N5", false, 0, "none", false},
        {"Nope", false, 0, "none", false},  {std::nullopt, false, 0, "none", false},
    };
    for (const TCase& c : cases) {
        THeadlessHost host;
        if (c.None)
            host.QueueMenuNone();
        else if (c.Choice)
            host.QueueMenuChoice(*c.Choice);
        EXPECT_EQ(host.PopupMenu(SampleMenu(), Point(3, 4)), c.Id) << c.Choice.value_or("-");
        ASSERT_EQ(host.Log().size(), 1u);
        const THeadlessLogEntry& entry = host.Log()[0];
        EXPECT_EQ(entry.Kind, THeadlessLogEntry::Menu);
        EXPECT_EQ(entry.Answer, c.Answer);
        EXPECT_EQ(entry.Answered, c.Answered) << c.Choice.value_or("-");
        EXPECT_EQ(entry.At, Point(3, 4));
        EXPECT_EQ(entry.Items.size(), 4u);
        EXPECT_EQ(host.PendingAnswers(), 0u);
    }
}

THostMessageBoxParams ConfirmBox() {
    THostMessageBoxParams box;
    box.Caption = "確認";
    box.Text = "/tmp/a.jpg は既に存在します。\n上書きしますか？";
    box.Icon = THostBoxIcon::Question;
    box.Buttons = {{"はい(&Y)", 6}, {"いいえ(&N)", 7}};
    box.EscapeResult = 7;
    return box;
}

TEST(HeadlessHost, MessageBoxAnswersByResultOrCaption) {
    struct TCase {
        std::function<void(THeadlessHost&)> Queue;
        int Result;
        AnsiString Answer;
        bool Answered;
    };
    const TCase cases[] = {
        {[](THeadlessHost& h) { h.QueueBoxResult(6); }, 6, "はい(&Y)", true},
        {[](THeadlessHost& h) { h.QueueBoxResult(7); }, 7, "いいえ(&N)", true},
        {[](THeadlessHost& h) { h.QueueBoxButton("はい"); }, 6, "はい(&Y)", true},
        {[](THeadlessHost& h) { h.QueueBoxButton("いいえ(&N)"); }, 7, "いいえ(&N)", true},
        // An answer the box cannot take, or none at all, is an Esc.
        {[](THeadlessHost& h) { h.QueueBoxResult(1); }, 7, "escape", false},
        {[](THeadlessHost&) {}, 7, "escape", false},
    };
    for (const TCase& c : cases) {
        THeadlessHost host;
        c.Queue(host);
        EXPECT_EQ(host.MessageBox(ConfirmBox()), c.Result) << c.Answer;
        ASSERT_EQ(host.Log().size(), 1u);
        const THeadlessLogEntry& entry = host.Log()[0];
        EXPECT_EQ(entry.Kind, THeadlessLogEntry::MessageBox);
        EXPECT_EQ(entry.Caption, "確認");
        EXPECT_EQ(entry.Text, ConfirmBox().Text);
        EXPECT_EQ(entry.Buttons, (std::vector<AnsiString>{"はい(&Y)", "いいえ(&N)"}));
        EXPECT_EQ(entry.Answer, c.Answer);
        EXPECT_EQ(entry.Result, c.Result);
        EXPECT_EQ(entry.Answered, c.Answered);
    }
}

TEST(HeadlessHost, SaveDialogAnswersLikeATypedName) {
    struct TCase {
        std::optional<AnsiString> Answer; // nothing queued when absent
        bool Cancel;
        AnsiString InitialDir;
        AnsiString FileName;
        std::optional<AnsiString> Result;
        bool Answered;
    };
    const TCase cases[] = {
        {"/tmp/board.jpg", false, "", "", "/tmp/board.jpg", true},
        {"/tmp/board", false, "", "", "/tmp/board.jpg", true},
        {"/tmp/board.bmp", false, "", "", "/tmp/board.bmp", true},
        {"/tmp/a.b/board", false, "", "", "/tmp/a.b/board.jpg", true},
        {"board", false, "/home/u", "", "/home/u/board.jpg", true},
        {"board", false, "", "/srv/old.jpg", "/srv/board.jpg", true},
        {"", true, "", "", std::nullopt, true},
        {std::nullopt, false, "", "", std::nullopt, false},
    };
    for (const TCase& c : cases) {
        THeadlessHost host;
        if (c.Cancel)
            host.QueueSaveCancel();
        else if (c.Answer)
            host.QueueSaveAnswer(*c.Answer);
        THostSaveDialogParams params;
        params.Filters = {{"JPEG ファイル (*.jpg;*.jpeg)", "*.jpg;*.jpeg"}};
        params.DefaultExt = "jpg";
        params.InitialDir = c.InitialDir;
        params.FileName = c.FileName;
        EXPECT_EQ(host.SaveDialog(params), c.Result) << c.Answer.value_or("-");
        ASSERT_EQ(host.Log().size(), 1u);
        const THeadlessLogEntry& entry = host.Log()[0];
        EXPECT_EQ(entry.Kind, THeadlessLogEntry::SaveDialog);
        EXPECT_EQ(entry.Answer, c.Result.value_or("cancel"));
        EXPECT_EQ(entry.Answered, c.Answered);
        EXPECT_EQ(entry.Dialog.Filters.size(), 1u);
    }
}

TEST(HeadlessHost, AnswersAreUsedFirstInFirstOut) {
    THeadlessHost host;
    host.QueueBoxResult(7);
    host.QueueBoxResult(6);
    host.QueueSaveAnswer("/tmp/1.jpg");
    host.QueueSaveCancel();
    EXPECT_EQ(host.PendingAnswers(), 4u);
    EXPECT_EQ(host.MessageBox(ConfirmBox()), 7);
    EXPECT_EQ(host.SaveDialog({}), "/tmp/1.jpg");
    EXPECT_EQ(host.MessageBox(ConfirmBox()), 6);
    EXPECT_EQ(host.SaveDialog({}), std::nullopt);
    EXPECT_EQ(host.PendingAnswers(), 0u);
}

TEST(HeadlessHost, LogKeepsEverythingInOrderAndTellsTheHandler) {
    THeadlessHost host;
    std::vector<THeadlessLogEntry::TKind> heard;
    host.SetLogHandler([&](const THeadlessLogEntry& entry) { heard.push_back(entry.Kind); });
    host.Beep();
    EXPECT_TRUE(host.OpenUrl("http://example.invalid/info.php?pf=w&sn=Other Name"));
    host.MessageBox(ConfirmBox());
    host.Beep();
    const std::vector<THeadlessLogEntry::TKind> expected = {
        THeadlessLogEntry::Beep, THeadlessLogEntry::Url, THeadlessLogEntry::MessageBox,
        THeadlessLogEntry::Beep};
    EXPECT_EQ(heard, expected);
    ASSERT_EQ(host.Log().size(), 4u);
    EXPECT_EQ(host.BeepCount(), 2);
    EXPECT_EQ(host.OpenedUrls(),
              (std::vector<AnsiString>{"http://example.invalid/info.php?pf=w&sn=Other Name"}));
}

TEST(HeadlessHost, RunUsesTheScriptAndQuitIsSeen) {
    THeadlessHost host;
    bool ran = false;
    host.SetRunHandler([&] {
        ran = true;
        host.Quit();
    });
    host.Run();
    EXPECT_TRUE(ran);
    EXPECT_TRUE(host.QuitRequested());
}

TEST(HeadlessHost, PaletteChangeSetsTheColourAndTellsTheUi) {
    THeadlessHost host;
    int told = 0;
    host.SetSysColorChangeHandler([&] { ++told; });
    host.ChangeSysColor(COLOR_BTNFACE, clYellow);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), clYellow);
    EXPECT_EQ(told, 1);
    // A new host starts from the fixed table again.
    THeadlessHost other;
    EXPECT_NE(GetSysColor(COLOR_BTNFACE), clYellow);
}

} // namespace
