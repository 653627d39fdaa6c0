#include "platform/ui/Control.h"

#include "UiTest.h"
#include "platform/ui/Action.h"
#include "platform/ui/Menus.h"

namespace {

using Strings = std::vector<std::string>;

class PointerTest : public UiTest {};

TEST_F(PointerTest, GoesToTheTopmostVisibleEnabledControl) {
    TForm* form = NewForm();
    TProbe* bottom = NewProbe(form, Bounds(10, 10, 50, 50));
    TProbe* top = NewProbe(form, Bounds(30, 30, 50, 50));
    TProbe* hidden = NewProbe(form, Bounds(30, 30, 50, 50));
    TProbe* disabled = NewProbe(form, Bounds(30, 30, 50, 50));
    hidden->SetVisible(false);
    disabled->SetEnabled(false);
    std::vector<TShiftState> formMoves;
    form->SetOnMouseMove([&](TObject*, TShiftState S, int, int) { formMoves.push_back(S); });

    THeadlessWindow& w = Window(form);
    Host.MouseMove(w, 40, 45);  // under all four
    Host.MouseMove(w, 15, 12);  // only the bottom one
    Host.MouseMove(w, 150, 90); // none

    EXPECT_EQ(top->Log, Strings({"move 10,15"}));
    EXPECT_EQ(bottom->Log, Strings({"move 5,2"}));
    EXPECT_TRUE(hidden->Log.empty());
    EXPECT_TRUE(disabled->Log.empty());
    EXPECT_EQ(formMoves.size(), 1u);
    EXPECT_EQ(form->ControlAtPos(Point(40, 45), true), disabled);
    EXPECT_EQ(form->ControlAtPos(Point(40, 45), false), top);

    // Stacking order decides: the bottom one brought to the front takes the shared point.
    bottom->BringToFront();
    Host.MouseMove(w, 40, 45);
    EXPECT_EQ(bottom->Log.back(), "move 30,35");
}

TEST_F(PointerTest, ContainersPassThePointerToTheirChildren) {
    TForm* form = NewForm();
    auto* panel = new TWinControl(form);
    panel->SetBounds(20, 20, 100, 60);
    panel->SetParent(form);
    TProbe* inner = NewProbe(panel, Bounds(10, 5, 20, 20));
    Host.MouseMove(Window(form), 35, 30);
    EXPECT_EQ(inner->Log, Strings({"move 5,5"}));
    EXPECT_EQ(FindDragTarget(Point(100 + 35, 50 + 30), false), inner);
    EXPECT_EQ(FindDragTarget(Point(100 + 25, 50 + 60), false), panel);
    EXPECT_EQ(FindDragTarget(Point(100 + 199, 50 + 99), false), form);
    EXPECT_EQ(FindDragTarget(Point(99, 50), false), nullptr);
}

TEST_F(PointerTest, LeftPressCapturesUntilItsRelease) {
    TForm* form = NewForm();
    TProbe* probe = NewProbe(form, Bounds(10, 10, 40, 40));
    TProbe* other = NewProbe(form, Bounds(100, 10, 40, 40));
    THeadlessWindow& w = Window(form);

    Host.MousePress(w, 20, 20);
    EXPECT_EQ(GetCaptureControl(), probe);
    EXPECT_EQ(GetCapture(), form->Handle());
    Host.MouseMove(w, 110, 20); // over the other control
    Host.MouseMove(w, 5, 2);    // outside, left of it
    Host.MousePress(w, 5, 2, mbRight);
    Host.MouseRelease(w, 5, 2, mbRight);
    Host.MouseRelease(w, 120, 30);
    EXPECT_EQ(GetCaptureControl(), nullptr);
    EXPECT_EQ(GetCapture(), 0u);

    EXPECT_EQ(probe->Log, Strings({"move 10,10", "down L 10,10", "move 100,10", "move -5,-8",
                                   "down R -5,-8", "up R -5,-8", "move 110,20", "up L 110,20"}));
    EXPECT_TRUE(other->Log.empty());
    // Without the capture, moves go where the pointer is again.
    Host.MouseMove(w, 110, 21);
    EXPECT_EQ(other->Log, Strings({"move 10,11"}));
}

TEST_F(PointerTest, RightAndMiddleButtonsNeitherCaptureNorClick) {
    TForm* form = NewForm();
    TProbe* probe = NewProbe(form, Bounds(10, 10, 40, 40));
    THeadlessWindow& w = Window(form);
    for (TMouseButton b : {mbRight, mbMiddle}) {
        probe->Log.clear();
        Host.MousePress(w, 20, 20, b);
        EXPECT_EQ(GetCaptureControl(), nullptr);
        Host.MouseRelease(w, 20, 20, b);
        const char* name = b == mbRight ? "R" : "M";
        EXPECT_EQ(probe->Log.back(), std::string("up ") + name + " 10,10");
        EXPECT_EQ(std::count(probe->Log.begin(), probe->Log.end(), "click"), 0);
    }
}

TEST_F(PointerTest, ClickNeedsClickEventsAndAReleaseInside) {
    struct TCase {
        bool ClickEvents;
        TPoint Release; // form coordinates; the control covers 10..49
        int Clicks;
    };
    const TCase cases[] = {
        {true, {30, 30}, 1}, {true, {49, 49}, 1}, // the last pixel inside
        {true, {50, 30}, 0},                      // the right edge is outside
        {true, {30, 50}, 0}, {false, {30, 30}, 0},
    };
    for (const TCase& c : cases) {
        TForm* form = NewForm();
        TProbe* probe = NewProbe(form, Bounds(10, 10, 40, 40));
        int clicks = 0;
        probe->SetOnClick([&](TObject* Sender) {
            EXPECT_EQ(Sender, probe);
            ++clicks;
        });
        if (!c.ClickEvents)
            probe->SetControlStyle(probe->ControlStyle() & ~csClickEvents);
        Host.MousePress(Window(form), 20, 20);
        Host.MouseRelease(Window(form), c.Release.X, c.Release.Y);
        EXPECT_EQ(clicks, c.Clicks) << c.Release.X << "," << c.Release.Y;
        // The click comes before MouseUp.
        if (c.Clicks == 1) {
            EXPECT_EQ(probe->Log.at(probe->Log.size() - 2), "click");
        }
        Application->Done();
    }
}

TEST_F(PointerTest, ActionRunsWhenThereIsNoOnClick) {
    TForm* form = NewForm();
    TProbe* probe = NewProbe(form, Bounds(0, 0, 40, 40));
    auto* action = new TBasicAction(form);
    int executed = 0;
    action->SetOnExecute([&](TObject*) { ++executed; });
    probe->SetAction(action);
    Host.Click(Window(form), 5, 5);
    EXPECT_EQ(executed, 1);
    delete action;
    EXPECT_EQ(probe->Action(), nullptr);
    Host.Click(Window(form), 5, 5);
    EXPECT_EQ(executed, 1);
}

TEST_F(PointerTest, DoubleClicksOnlyForControlsThatAskForThem) {
    for (bool doubleClicks : {true, false}) {
        TForm* form = NewForm();
        TProbe* probe = NewProbe(form, Bounds(10, 10, 40, 40));
        if (!doubleClicks)
            probe->SetControlStyle(probe->ControlStyle() & ~csDoubleClicks);
        int dbl = 0;
        probe->SetOnDblClick([&](TObject*) { ++dbl; });
        Host.DoubleClick(Window(form), 20, 20);
        Strings moves;
        Strings rest;
        for (const std::string& s : probe->Log)
            (s.rfind("move", 0) == 0 ? moves : rest).push_back(s);
        if (doubleClicks) {
            EXPECT_EQ(dbl, 1);
            EXPECT_EQ(rest, Strings({"down L 10,10", "click", "up L 10,10", "dblclick",
                                     "down L 10,10 double", "up L 10,10"}));
        } else {
            EXPECT_EQ(dbl, 0);
            EXPECT_EQ(rest, Strings({"down L 10,10", "click", "up L 10,10", "down L 10,10", "click",
                                     "up L 10,10"}));
        }
        Application->Done();
    }
}

TEST_F(PointerTest, RightClickOpensTheControlsMenuElseTheFormsMenu) {
    TForm* form = NewForm();
    TProbe* own = NewProbe(form, Bounds(10, 10, 40, 40));
    TProbe* plain = NewProbe(form, Bounds(100, 10, 40, 40));
    auto* formMenu = new TPopupMenu(form);
    auto* ownMenu = new TPopupMenu(form);
    auto* formItem = new TMenuItem(form);
    formItem->SetName("FormItem");
    formMenu->Items()->Add(formItem);
    auto* ownItem = new TMenuItem(form);
    ownItem->SetName("OwnItem");
    ownMenu->Items()->Add(ownItem);
    form->SetPopupMenu(formMenu);
    own->SetPopupMenu(ownMenu);

    Host.Click(Window(form), 20, 25, mbRight);
    Host.Click(Window(form), 110, 20, mbRight);
    Host.Click(Window(form), 190, 90, mbRight);
    std::vector<THeadlessLogEntry> menus;
    for (const THeadlessLogEntry& e : Host.Log())
        if (e.Kind == THeadlessLogEntry::Menu)
            menus.push_back(e);
    ASSERT_EQ(menus.size(), 3u);
    EXPECT_EQ(menus[0].Items.at(0).Name, "OwnItem");
    EXPECT_EQ(menus[0].At, Point(120, 75)); // the pointer on the screen
    EXPECT_EQ(menus[1].Items.at(0).Name, "FormItem");
    EXPECT_EQ(menus[2].Items.at(0).Name, "FormItem");
    EXPECT_EQ(menus[2].At, Point(290, 140));
    EXPECT_TRUE(plain->Log.size() >= 2); // its own press and release came first

    // A freed menu is forgotten.
    delete ownMenu;
    EXPECT_EQ(own->PopupMenu(), nullptr);
}

TEST_F(PointerTest, EnterAndLeaveOnIdle) {
    TForm* form = NewForm();
    TProbe* a = NewProbe(form, Bounds(10, 10, 40, 40));
    TProbe* b = NewProbe(form, Bounds(100, 10, 40, 40));
    b->SetEnabled(false); // disabled controls are told too
    THeadlessWindow& w = Window(form);

    Host.MouseMove(w, 20, 20);
    Host.ProcessMessages();
    EXPECT_EQ(a->Count(CM_MOUSEENTER), 1);
    EXPECT_EQ(Application->MouseControl(), a);
    Host.MouseMove(w, 21, 21);
    Host.ProcessMessages();
    EXPECT_EQ(a->Count(CM_MOUSEENTER), 1); // the same control: nothing new
    Host.MouseMove(w, 110, 20);
    Host.ProcessMessages();
    EXPECT_EQ(a->Count(CM_MOUSELEAVE), 1);
    EXPECT_EQ(b->Count(CM_MOUSEENTER), 1);
    Host.MouseMove(w, -10, -10); // off the form
    Host.ProcessMessages();
    EXPECT_EQ(b->Count(CM_MOUSELEAVE), 1);
    EXPECT_EQ(Application->MouseControl(), nullptr);
}

TEST_F(PointerTest, WhileCapturedOnlyTheCapturingControlHearsEnterAndLeave) {
    TForm* form = NewForm();
    TProbe* a = NewProbe(form, Bounds(10, 10, 40, 40));
    TProbe* b = NewProbe(form, Bounds(100, 10, 40, 40));
    THeadlessWindow& w = Window(form);
    Host.MouseMove(w, 20, 20);
    Host.ProcessMessages();
    Host.MousePress(w, 20, 20);
    Host.MouseMove(w, 110, 20);
    Host.ProcessMessages();
    EXPECT_EQ(a->Count(CM_MOUSELEAVE), 1); // a holds the capture: it hears that it was left
    EXPECT_EQ(b->Count(CM_MOUSEENTER), 0); // b does not hear that it was entered
    Host.MouseMove(w, 20, 20);
    Host.ProcessMessages();
    EXPECT_EQ(b->Count(CM_MOUSELEAVE), 0);
    EXPECT_EQ(a->Count(CM_MOUSEENTER), 2);
    Host.MouseRelease(w, 20, 20);
    Host.ProcessMessages();
    EXPECT_EQ(a->Count(CM_MOUSEENTER), 2);
}

TEST_F(PointerTest, AFreedControlIsForgotten) {
    TForm* form = NewForm();
    TProbe* a = NewProbe(form, Bounds(10, 10, 40, 40));
    THeadlessWindow& w = Window(form);
    Host.MouseMove(w, 20, 20);
    Host.ProcessMessages();
    Host.MousePress(w, 20, 20);
    delete a;
    EXPECT_EQ(Application->MouseControl(), nullptr);
    EXPECT_EQ(GetCaptureControl(), nullptr);
    EXPECT_EQ(form->ControlCount(), 0);
    Host.MouseRelease(w, 20, 20);
    Host.ProcessMessages();
}

class MessageTest : public UiTest {};

TEST_F(MessageTest, BroadcastStopsAtTheFirstNonZeroResult) {
    TForm* form = NewForm();
    TProbe* first = NewProbe(form, Bounds(0, 0, 1, 1));
    TProbe* second = NewProbe(form, Bounds(0, 0, 1, 1));
    TProbe* third = NewProbe(form, Bounds(0, 0, 1, 1));
    const std::uint32_t msg = CM_BASE + 100;
    TMessage m{msg, 7, 0, 0};
    form->Broadcast(m);
    EXPECT_EQ(first->Count(msg) + second->Count(msg) + third->Count(msg), 3);
    second->AnswerMsg = msg;
    second->Answer = 5;
    m.Result = 0;
    form->Broadcast(m);
    EXPECT_EQ(m.Result, 5);
    EXPECT_EQ(first->Count(msg), 2);
    EXPECT_EQ(second->Count(msg), 2);
    EXPECT_EQ(third->Count(msg), 1);
}

TEST_F(MessageTest, ASystemColourChangeReachesEveryControl) {
    TForm* form = NewForm(20, 20);
    form->SetColor(clBtnFace);
    auto* panel = new TWinControl(form);
    panel->SetBounds(0, 0, 10, 10);
    panel->SetParent(form);
    TProbe* inner = NewProbe(panel, Bounds(0, 0, 5, 5));
    Host.ProcessMessages();
    Host.ChangeSysColor(COLOR_BTNFACE, RGB(1, 2, 3));
    EXPECT_EQ(inner->Count(CM_SYSCOLORCHANGE), 1);
    Host.ProcessMessages();
    EXPECT_EQ(Window(form).ScreenPixel(15, 15), RGB(1, 2, 3)); // the form painted afresh
    ResetSysColors();
}

TEST_F(MessageTest, DialogCharsGoDownThroughContainers) {
    TForm* form = NewForm();
    auto* panel = new TWinControl(form);
    panel->SetParent(form);
    TProbe* inner = NewProbe(panel, Bounds(0, 0, 5, 5));
    inner->AnswerMsg = CM_DIALOGCHAR;
    inner->Answer = 1;
    TProbe* after = NewProbe(form, Bounds(0, 0, 5, 5));
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 's', 0), 1);
    EXPECT_EQ(inner->Count(CM_DIALOGCHAR), 1);
    EXPECT_EQ(after->Count(CM_DIALOGCHAR), 0);
}

TEST_F(MessageTest, PropertyChangesSendTheirNotifications) {
    TForm* form = NewForm();
    TProbe* p = NewProbe(form, Bounds(0, 0, 10, 10));
    p->SetEnabled(true);
    p->SetCaption("");
    EXPECT_EQ(p->Count(CM_ENABLEDCHANGED) + p->Count(CM_TEXTCHANGED), 0); // no change
    p->Messages.clear();
    p->SetEnabled(false);
    p->SetCaption("&Save");
    p->SetVisible(false);
    p->SetColor(clBlue);
    EXPECT_EQ(p->Count(CM_ENABLEDCHANGED), 1);
    EXPECT_EQ(p->Count(CM_TEXTCHANGED), 1);
    EXPECT_EQ(p->Count(CM_VISIBLECHANGED), 1);
    EXPECT_EQ(p->Count(CM_COLORCHANGED), 1);
    EXPECT_EQ(p->Text(), "&Save");
    EXPECT_EQ(p->Perform(CM_HITTEST, 0, 0), 1);
}

TEST_F(MessageTest, FontFollowsTheParentUntilSetItself) {
    TForm* form = NewForm();
    form->Font()->SetName("Parent Font");
    TProbe* p = NewProbe(form, Bounds(0, 0, 10, 10));
    EXPECT_TRUE(p->ParentFont());
    EXPECT_EQ(p->Font()->Name(), "Parent Font");
    int fontChanges = p->Count(CM_FONTCHANGED);
    form->Font()->SetHeight(-20);
    EXPECT_EQ(p->Font()->Height(), -20);
    EXPECT_GT(p->Count(CM_FONTCHANGED), fontChanges);
    p->Font()->SetName("Own Font");
    EXPECT_FALSE(p->ParentFont());
    form->Font()->SetName("Another");
    EXPECT_EQ(p->Font()->Name(), "Own Font");
    p->SetParentFont(true);
    EXPECT_EQ(p->Font()->Name(), "Another");
}

TEST_F(MessageTest, ColorFollowsTheParentUntilSetItself) {
    TForm* form = NewForm();
    TProbe* p = NewProbe(form, Bounds(0, 0, 10, 10));
    EXPECT_EQ(p->Color(), clWhite);
    form->SetColor(clYellow);
    EXPECT_EQ(p->Color(), clYellow);
    p->SetColor(clNavy);
    EXPECT_FALSE(p->ParentColor());
    form->SetColor(clWhite);
    EXPECT_EQ(p->Color(), clNavy);
}

TEST_F(MessageTest, NamingSetsTheCaptionWhileItIsTheOldName) {
    TForm* form = NewForm();
    TProbe* p = NewProbe(form, Bounds(0, 0, 10, 10));
    p->SetName("Probe1");
    EXPECT_EQ(p->Caption(), "Probe1");
    p->SetCaption("Other");
    p->SetName("Probe2");
    EXPECT_EQ(p->Caption(), "Other");
}

TEST_F(MessageTest, CoordinatesBetweenScreenAndClient) {
    TForm* form = NewForm();
    auto* panel = new TWinControl(form);
    panel->SetBounds(20, 10, 100, 60);
    panel->SetParent(form);
    TProbe* p = NewProbe(panel, Bounds(5, 6, 10, 10));
    EXPECT_EQ(p->ClientToScreen(Point(1, 2)), Point(100 + 20 + 5 + 1, 50 + 10 + 6 + 2));
    EXPECT_EQ(p->ScreenToClient(Point(126, 67)), Point(1, 1));
    EXPECT_EQ(p->FormOffset(), Point(25, 16));
}

TEST_F(MessageTest, KeyStateAndPointerComeFromTheHost) {
    TForm* form = NewForm();
    Host.MouseMove(Window(form), 3, 4);
    TPoint p;
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p, Point(103, 54));
    EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
    Host.SetKeyDown(VK_SHIFT, true);
    EXPECT_NE(GetKeyState(VK_SHIFT) & 0x8000, 0);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    Host.SetKeyDown(VK_SHIFT, false);
    MessageBeep(0);
    EXPECT_EQ(Host.BeepCount(), 1);
}

TEST(MessageParams, PointsAndShiftStatesRoundTrip) {
    for (TPoint p : {Point(0, 0), Point(-5, 7), Point(40000, -40000), Point(-1, -1)})
        EXPECT_EQ(LParamToPoint(PointToLParam(p)), p);
    TShiftState s = ssShift | ssDouble;
    EXPECT_EQ(WParamToShift(ShiftToWParam(s)), s);
}

} // namespace
