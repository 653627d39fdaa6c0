#pragma once

#include "controls/ShineSpdBtn.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

#include <gtest/gtest.h>

// A shine button that counts its paints and lets tests reach its protected handling.
class TProbeButton : public TShineSpeedButton {
public:
    explicit TProbeButton(TComponent* AOwner) : TShineSpeedButton(AOwner) {}
    int Paints = 0;
    using TShineSpeedButton::MouseDown;
    using TShineSpeedButton::MouseEnter;
    using TShineSpeedButton::MouseLeave;

protected:
    void Paint() override {
        ++Paints;
        TShineSpeedButton::Paint();
    }
};

// Counts the group notifications that reach it, as a sibling would see them.
class TGroupListener : public TGraphicControl {
public:
    explicit TGroupListener(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 0, 0); }
    int Notifications = 0;
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == CM_BUTTONPRESSED)
            ++Notifications;
        TGraphicControl::Dispatch(Message);
    }
};

// A shown 200 by 100 form on the headless desktop at screen (100, 50), with one probe button
// at (60, 40), 40 by 20, clear of where a new control lands.
class TShineFixture : public testing::Test {
protected:
    TShineFixture() {
        Application->Initialize();
        Form = new TForm(Application);
        Form->SetBounds(100, 50, 200, 100);
        Form->SetColor(clWhite);
        Button = AddButton(60, 40, 40, 20);
        Form->Show();
        Window = Host.FindWindow(Form->Handle());
        Host.ProcessMessages();
    }
    ~TShineFixture() override { Application->Done(); }

    TProbeButton* AddButton(int Left, int Top, int Width, int Height) {
        auto* button = new TProbeButton(Form);
        button->SetParent(Form);
        button->SetBounds(Left, Top, Width, Height);
        return button;
    }
    // Paints what is pending, so later invalidations stand out.
    void Settle() { Host.ProcessMessages(); }
    bool Dirty(const TControl* Control) const {
        return !IsRectEmpty(IntersectRect(Form->DirtyRect(), Control->BoundsRect()));
    }
    // A pixel of the form's surface, in Control's client coordinates.
    TColor At(const TControl* Control, int X, int Y) const {
        return Form->Surface()->GetPixel(Control->Left() + X, Control->Top() + Y);
    }
    // What the window shows there.
    TColor OnScreen(const TControl* Control, int X, int Y) const {
        return Window->ScreenPixel(Control->Left() + X, Control->Top() + Y);
    }
    // Pointer actions at a point in Control's client coordinates.
    void MoveTo(const TControl* Control, int X, int Y) {
        Host.MouseMove(*Window, Control->Left() + X, Control->Top() + Y);
    }
    void Press(const TControl* Control, int X, int Y, TMouseButton Button = mbLeft) {
        Host.MousePress(*Window, Control->Left() + X, Control->Top() + Y, Button);
    }
    void Release(const TControl* Control, int X, int Y, TMouseButton Button = mbLeft) {
        Host.MouseRelease(*Window, Control->Left() + X, Control->Top() + Y, Button);
    }
    // A click well after the last one, so it never pairs into a double-click.
    void ClickOn(const TControl* Control) {
        Host.Advance(1000);
        Host.Click(*Window, Control->Left() + 2, Control->Top() + 2);
        Settle();
    }

    THeadlessHost Host;
    TForm* Form = nullptr;
    TProbeButton* Button = nullptr;
    THeadlessWindow* Window = nullptr;
};
