#include "platform/ui/SpeedButton.h"

#include "StockFixture.h"
#include "platform/ui/WinControl.h"

#include <string>

namespace {

class SpeedButtonTest : public StockFixture {
protected:
    void SetUp() override {
        StockFixture::SetUp();
        A = MakeButton("A", 0);
        B = MakeButton("B", 30);
    }

    TSpeedButton* MakeButton(const char* Name, int Left) {
        auto* button = Place<TSpeedButton>(Left, 0, 23, 22);
        button->SetName(Name);
        button->SetOnClick(
            [this](TObject* Sender) { Clicks += static_cast<TComponent*>(Sender)->Name() + ";"; });
        return button;
    }

    void ClickOn(TSpeedButton* Button) {
        Host.Click(Window(), Button->Left() + 5, Button->Top() + 5);
        Host.ProcessMessages();
    }

    TSpeedButton* A = nullptr;
    TSpeedButton* B = nullptr;
    std::string Clicks;
};

TEST_F(SpeedButtonTest, UngroupedButtonClicksAndNeverStaysDown) {
    A->SetDown(true);
    EXPECT_FALSE(A->Down());
    ClickOn(A);
    EXPECT_EQ(Clicks, "A;");
    EXPECT_FALSE(A->Down());
    EXPECT_EQ(A->State(), bsUp);
}

TEST_F(SpeedButtonTest, PressShowsDownUntilTheReleaseAndOutsideMakesNoClick) {
    Host.MousePress(Window(), 5, 5);
    EXPECT_EQ(A->State(), bsDown);
    Host.MouseMove(Window(), 100, 100);
    EXPECT_EQ(A->State(), bsUp);
    Host.MouseMove(Window(), 6, 6);
    EXPECT_EQ(A->State(), bsDown);
    Host.MouseMove(Window(), 100, 100);
    Host.MouseRelease(Window(), 100, 100);
    EXPECT_EQ(Clicks, "");
    EXPECT_EQ(A->State(), bsUp);
}

TEST_F(SpeedButtonTest, ExclusiveGroup) {
    A->SetGroupIndex(1);
    B->SetGroupIndex(1);
    ClickOn(A);
    EXPECT_TRUE(A->Down());
    ClickOn(A);
    EXPECT_TRUE(A->Down()) << "a click leaves the down button of an exclusive group down";
    EXPECT_EQ(Clicks, "A;A;");
    A->SetDown(false);
    EXPECT_TRUE(A->Down());

    ClickOn(B);
    EXPECT_TRUE(B->Down());
    EXPECT_FALSE(A->Down());
    EXPECT_EQ(A->State(), bsUp);

    A->SetDown(true);
    EXPECT_FALSE(B->Down());
}

TEST_F(SpeedButtonTest, AllowAllUpSpreadsThroughTheGroup) {
    A->SetGroupIndex(1);
    B->SetGroupIndex(1);
    A->SetAllowAllUp(true);
    EXPECT_TRUE(B->AllowAllUp()) << "adopted from the sender";
    ClickOn(B);
    EXPECT_TRUE(B->Down());
    ClickOn(B);
    EXPECT_FALSE(B->Down());
    EXPECT_FALSE(A->Down());
    B->SetAllowAllUp(false);
    EXPECT_FALSE(A->AllowAllUp());
}

TEST_F(SpeedButtonTest, OtherGroupsAndTheSenderItselfAreLeftAlone) {
    A->SetGroupIndex(1);
    B->SetGroupIndex(2);
    A->SetDown(true);
    B->SetDown(true);
    EXPECT_TRUE(A->Down());
    EXPECT_TRUE(B->Down());

    // A notification from a stand-in of the same group releases the down button.
    auto* proxy = new TSpeedButton(Form);
    proxy->SetGroupIndex(1);
    proxy->SetAllowAllUp(true);
    proxy->SetDown(true);
    TMessage message;
    message.Msg = CM_BUTTONPRESSED;
    message.WParam = 1;
    message.LParam = reinterpret_cast<std::intptr_t>(proxy);
    Form->Broadcast(message);
    EXPECT_FALSE(A->Down());
    EXPECT_TRUE(A->AllowAllUp());
    EXPECT_TRUE(B->Down());
    EXPECT_EQ(message.Result, 0);
}

TEST_F(SpeedButtonTest, LeavingTheGroupKeepsDownUntilTheNextClick) {
    A->SetGroupIndex(1);
    A->SetDown(true);
    A->SetGroupIndex(0);
    EXPECT_TRUE(A->Down());
    ClickOn(A);
    EXPECT_FALSE(A->Down());
}

TEST_F(SpeedButtonTest, AcceleratorClicks) {
    A->SetCaption("&Save");
    EXPECT_EQ(A->Perform(CM_DIALOGCHAR, 'S', 0), 1);
    EXPECT_EQ(Clicks, "A;");
    EXPECT_EQ(A->Perform(CM_DIALOGCHAR, 'x', 0), 0);
    EXPECT_EQ(Clicks, "A;");
    A->SetEnabled(false);
    EXPECT_EQ(A->Perform(CM_DIALOGCHAR, 's', 0), 0);
    EXPECT_EQ(Clicks, "A;");
}

TEST_F(SpeedButtonTest, PaintsRaisedAndSunk) {
    const TColor face = ColorToRGB(clBtnFace);
    const TColor light = ColorToRGB(clBtnHighlight);
    const TColor shadow = ColorToRGB(clBtnShadow);
    EXPECT_EQ(Shown(0, 0), light);
    EXPECT_EQ(Shown(21, 20), shadow) << "inner shadow of the raised frame";
    EXPECT_EQ(Shown(11, 11), face);
    A->SetGroupIndex(1);
    A->SetDown(true);
    EXPECT_EQ(Shown(0, 0), shadow);
    EXPECT_EQ(Shown(22, 21), light);
}

TEST_F(SpeedButtonTest, FlatButtonShowsItsFrameWhileThePointerIsOverIt) {
    Host.MouseMove(Window(), 200, 200);
    A->SetFlat(true);
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(Shown(0, 0), face);
    Host.MouseMove(Window(), 10, 10);
    EXPECT_EQ(Shown(0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Shown(22, 21), ColorToRGB(clBtnShadow));
    Host.MouseMove(Window(), 200, 200);
    EXPECT_EQ(Shown(0, 0), face);
}

} // namespace
