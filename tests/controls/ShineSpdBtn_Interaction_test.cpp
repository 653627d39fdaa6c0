#include "ShineSpdBtnFixture.h"

#include "platform/ui/SpeedButton.h"

#include <vector>

namespace {

class TInteraction : public TShineFixture {
protected:
    TInteraction() {
        Button->SetOnClick([this](TObject*) { ++Clicks; });
        Button->SetOnDblClick([this](TObject*) { ++DblClicks; });
        Button->SetOnMouseEnter([this](TObject*, TShiftState, int, int) { ++Enters; });
        Button->SetOnMouseLeave([this](TObject*, TShiftState, int, int) { ++Leaves; });
        // The pointer starts on the form, away from the button, and the idle has seen it.
        Host.MouseMove(*Window, 5, 5);
        Settle();
    }
    TProbeButton* Sibling(int Left) {
        TProbeButton* b = AddButton(Left, 40, 20, 20);
        b->SetGroupIndex(1);
        return b;
    }
    TSpeedButton* Stock(int Left) {
        auto* b = new TSpeedButton(Form);
        b->SetParent(Form);
        b->SetBounds(Left, 70, 20, 20);
        b->SetGroupIndex(1);
        return b;
    }
    // A character key on the form: CM_DIALOGCHAR reaches the controls.
    void TypeChar(char32_t Char) {
        Host.Key(*Window, static_cast<std::uint16_t>(Char >= 'a' && Char <= 'z' ? Char - 32 : Char),
                 TShiftState(), Char);
        Settle();
    }

    int Clicks = 0;
    int DblClicks = 0;
    int Enters = 0;
    int Leaves = 0;
};

} // namespace

TEST_F(TInteraction, DragOutAndBackThenReleaseInsideClicksOnce) {
    std::vector<TShineButtonState> looks;
    Press(Button, 5, 5);
    looks.push_back(Button->State());
    MoveTo(Button, 60, 5);
    looks.push_back(Button->State());
    MoveTo(Button, 6, 6);
    looks.push_back(Button->State());
    Release(Button, 6, 6);
    Settle();
    EXPECT_EQ(looks, (std::vector<TShineButtonState>{sbsDownActive, sbsUp, sbsDownActive}));
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(Button->State(), sbsUpActive);
    EXPECT_FALSE(Button->Down());
    EXPECT_FALSE(Button->Dragging());
}

TEST_F(TInteraction, ReleaseOutsideDoesNotClick) {
    Press(Button, 5, 5);
    MoveTo(Button, 60, 5);
    Release(Button, 60, 5);
    Settle();
    EXPECT_EQ(Clicks, 0);
    EXPECT_EQ(Button->State(), sbsUp);
    EXPECT_FALSE(Button->MouseInControl());
    EXPECT_FALSE(Button->ActiveButtonTimer()->Enabled());
}

TEST_F(TInteraction, RightButtonOnlyFiresItsEvents) {
    int downs = 0;
    int ups = 0;
    Button->SetOnMouseDown(
        [&](TObject*, TMouseButton B, TShiftState, int, int) { downs += B == mbRight; });
    Button->SetOnMouseUp(
        [&](TObject*, TMouseButton B, TShiftState, int, int) { ups += B == mbRight; });
    MoveTo(Button, 5, 5);
    Settle();
    TShineButtonState before = Button->State();
    Press(Button, 5, 5, mbRight);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(Button->State(), before);
    EXPECT_FALSE(Button->Dragging());
    Release(Button, 5, 5, mbRight);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(Button->State(), before);
    EXPECT_EQ(Clicks, 0);
}

TEST_F(TInteraction, RightReleaseDuringADragEndsItLikeALeftRelease) {
    Press(Button, 5, 5);
    Press(Button, 5, 5, mbRight);
    EXPECT_TRUE(Button->Dragging());
    Release(Button, 5, 5, mbRight);
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(Button->Dragging());
    // The left button still holds the capture, so the tracking update cannot activate it.
    EXPECT_EQ(Button->State(), sbsUp);
    Release(Button, 5, 5);
    Settle();
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(Button->Down());
    // The next move over it does.
    MoveTo(Button, 6, 6);
    EXPECT_EQ(Button->State(), sbsUpActive);
}

TEST_F(TInteraction, ExclusiveGroupLatchesOneButton) {
    Button->SetGroupIndex(1);
    TProbeButton* b = Sibling(120);
    ClickOn(Button);
    EXPECT_TRUE(Button->Down());
    ClickOn(Button);
    EXPECT_TRUE(Button->Down());
    EXPECT_EQ(Clicks, 2);
    ClickOn(b);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(Button->Down());
    EXPECT_EQ(Button->State(), sbsUp);
    // Down false on the down button of an exclusive group is refused.
    b->SetDown(false);
    EXPECT_TRUE(b->Down());
}

TEST_F(TInteraction, StockButtonsShareTheGroup) {
    Button->SetGroupIndex(1);
    TSpeedButton* stock = Stock(10);
    ClickOn(stock);
    EXPECT_TRUE(stock->Down());
    ClickOn(Button);
    EXPECT_TRUE(Button->Down());
    EXPECT_FALSE(stock->Down());
    ClickOn(stock);
    EXPECT_TRUE(stock->Down());
    EXPECT_FALSE(Button->Down());
    EXPECT_EQ(Button->State(), sbsUp);
}

TEST_F(TInteraction, AllowAllUpSpreadsAndLetsTheDownButtonGo) {
    Button->SetGroupIndex(1);
    TProbeButton* b = Sibling(120);
    TSpeedButton* stock = Stock(10);
    Button->SetAllowAllUp(true);
    EXPECT_TRUE(b->AllowAllUp());
    EXPECT_TRUE(stock->AllowAllUp());
    ClickOn(b);
    EXPECT_TRUE(b->Down());
    ClickOn(b);
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(Button->Down());
    EXPECT_FALSE(stock->Down());
}

TEST_F(TInteraction, LeavingTheGroupKeepsDownUntilTheNextClick) {
    Button->SetGroupIndex(1);
    Button->SetDown(true);
    Button->SetGroupIndex(0);
    EXPECT_TRUE(Button->Down());
    ClickOn(Button);
    EXPECT_FALSE(Button->Down());
}

TEST_F(TInteraction, DoubleClickOnADownGroupedButton) {
    Button->SetGroupIndex(1);
    Button->SetDown(true);
    Host.DoubleClick(*Window, Button->Left() + 3, Button->Top() + 3);
    Settle();
    EXPECT_EQ(Clicks, 2);
    EXPECT_EQ(DblClicks, 1);
    EXPECT_TRUE(Button->Down());

    // Released by the first click, the button is up at the second press: no double-click.
    Button->SetAllowAllUp(true);
    Host.Advance(1000);
    Host.DoubleClick(*Window, Button->Left() + 3, Button->Top() + 3);
    Settle();
    EXPECT_EQ(Clicks, 4);
    EXPECT_EQ(DblClicks, 1);
    EXPECT_TRUE(Button->Down());
}

TEST_F(TInteraction, UngroupedDoubleClickGivesTwoClicks) {
    Host.DoubleClick(*Window, Button->Left() + 3, Button->Top() + 3);
    Settle();
    EXPECT_EQ(Clicks, 2);
    EXPECT_EQ(DblClicks, 0);
}

TEST_F(TInteraction, AcceleratorClicksInEitherCase) {
    Button->SetCaption("&Save");
    TypeChar('s');
    TypeChar('S');
    EXPECT_EQ(Clicks, 2);
    EXPECT_EQ(Button->Perform(CM_DIALOGCHAR, 's', 0), 1);
    EXPECT_EQ(Clicks, 3);
    EXPECT_EQ(Button->Perform(CM_DIALOGCHAR, 'a', 0), 0);

    Button->SetEnabled(false);
    EXPECT_EQ(Button->Perform(CM_DIALOGCHAR, 's', 0), 0);
    Button->SetEnabled(true);
    Button->SetVisible(false);
    EXPECT_EQ(Button->Perform(CM_DIALOGCHAR, 's', 0), 0);
    Button->SetVisible(true);
    Form->Hide();
    EXPECT_EQ(Button->Perform(CM_DIALOGCHAR, 's', 0), 0);
    EXPECT_EQ(Clicks, 3);

    Button->SetCaption("Save && Load");
    Form->Show();
    for (char32_t key : {U's', U'l', U'&'})
        EXPECT_EQ(Button->Perform(CM_DIALOGCHAR, key, 0), 0);
    EXPECT_EQ(Clicks, 3);
}

TEST_F(TInteraction, AcceleratorTogglesDownUnderTheGroupRules) {
    Button->SetCaption("&Go");
    Button->SetAccelCharDown(true);
    TypeChar('g');
    EXPECT_FALSE(Button->Down()); // no group
    Button->SetGroupIndex(1);
    TypeChar('g');
    EXPECT_TRUE(Button->Down());
    TypeChar('g');
    EXPECT_TRUE(Button->Down()); // exclusive: stays down
    Button->SetAllowAllUp(true);
    TypeChar('g');
    EXPECT_FALSE(Button->Down());
    EXPECT_EQ(Clicks, 4);
}

TEST_F(TInteraction, ClickDownHookShowsThePressedLookDuringTheClick) {
    Button->PressedColors()->SetColor(clRed);
    Button->Colors()->SetColor(clBlue);
    Button->SetClickDownHook(true);
    Settle();
    TShineButtonState during = sbsUp;
    TColor shown = clNone;
    Button->SetOnClick([&](TObject*) {
        during = Button->State();
        shown = OnScreen(Button, 10, 10);
    });
    Button->Click();
    EXPECT_EQ(during, sbsDownActive);
    EXPECT_EQ(shown, clRed);
    EXPECT_EQ(Button->State(), sbsUp);
    EXPECT_EQ(OnScreen(Button, 10, 10), clBlue);
}

TEST_F(TInteraction, DisablingADownButtonReleasesItQuietly) {
    auto* listener = new TGroupListener(Form);
    listener->SetParent(Form);
    Button->SetGroupIndex(1);
    Button->SetDown(true);
    int notifications = listener->Notifications;
    Button->SetEnabled(false);
    EXPECT_FALSE(Button->Down());
    EXPECT_EQ(Button->State(), sbsDisabled);
    EXPECT_EQ(listener->Notifications, notifications);
    Button->SetEnabled(true);
    EXPECT_FALSE(Button->Down());
    EXPECT_EQ(Button->State(), sbsUp);
    // A disabled button takes no press.
    Button->SetEnabled(false);
    Press(Button, 5, 5);
    EXPECT_FALSE(Button->Dragging());
    Release(Button, 5, 5);
    EXPECT_EQ(Clicks, 0);
}

TEST_F(TInteraction, EnterRunsTwiceWhenThePointerComesOver) {
    MoveTo(Button, 5, 5);
    EXPECT_EQ(Enters, 1);
    EXPECT_EQ(Button->State(), sbsUpActive);
    EXPECT_TRUE(Button->ActiveButtonTimer()->Enabled());
    Settle(); // the platform's enter notification follows and is refused
    EXPECT_EQ(Enters, 2);
    EXPECT_EQ(Button->State(), sbsUpActive);
    // And the platform's leave ends the look.
    MoveTo(Button, 60, 5);
    Settle();
    EXPECT_EQ(Leaves, 1);
    EXPECT_EQ(Button->State(), sbsUp);
    EXPECT_FALSE(Button->ActiveButtonTimer()->Enabled());
}

TEST_F(TInteraction, EveryReleaseOverTheButtonRunsTheEnterHandling) {
    MoveTo(Button, 5, 5);
    Settle();
    int enters = Enters;
    ClickOn(Button);
    EXPECT_EQ(Enters, enters + 1);
    EXPECT_EQ(Button->State(), sbsUpActive);
}

TEST_F(TInteraction, TimerEndsTheActiveLookWithinTwoHundredMs) {
    // The pointer crosses the button between two idles: no leave notification comes.
    MoveTo(Button, 5, 5);
    EXPECT_EQ(Button->State(), sbsUpActive);
    Host.MouseMove(*Window, 5, 5);
    Host.Advance(199);
    EXPECT_EQ(Button->State(), sbsUpActive);
    EXPECT_EQ(Leaves, 0);
    Host.Advance(1);
    EXPECT_EQ(Button->State(), sbsUp);
    EXPECT_EQ(Leaves, 1);
    EXPECT_FALSE(Button->ActiveButtonTimer()->Enabled());
    EXPECT_FALSE(Button->MouseInControl());
}

TEST_F(TInteraction, TimerStopsDuringADragAndRestartsAfter) {
    MoveTo(Button, 5, 5);
    Settle();
    Press(Button, 5, 5);
    Host.Advance(200);
    EXPECT_FALSE(Button->ActiveButtonTimer()->Enabled());
    EXPECT_EQ(Button->State(), sbsDownActive);
    Release(Button, 5, 5);
    Settle();
    EXPECT_TRUE(Button->ActiveButtonTimer()->Enabled());
    EXPECT_EQ(Button->State(), sbsUpActive);
}

TEST_F(TInteraction, AutomaticDragModeNeverBecomesActive) {
    Button->SetDragMode(dmAutomatic);
    MoveTo(Button, 5, 5);
    Settle();
    EXPECT_EQ(Button->State(), sbsUp);
    EXPECT_FALSE(Button->MouseInControl());
    EXPECT_EQ(Enters, 2);
}

TEST_F(TInteraction, LeaveFiresAlsoWhenTheLookHasAlreadyEnded) {
    MoveTo(Button, 5, 5);
    Settle();
    Button->MouseLeave(TShiftState(), 60, 5);
    EXPECT_EQ(Button->State(), sbsUp);
    Button->MouseLeave(TShiftState(), 60, 5);
    EXPECT_EQ(Leaves, 2);
    EXPECT_EQ(Button->State(), sbsUp);
}
