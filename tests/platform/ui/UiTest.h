#pragma once

#include "platform/base/Exceptions.h"
#include "platform/graphics/Canvas.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/GraphicControl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A graphic control that notes what reaches it and paints itself in one colour, spilling
// far outside its rectangle so that clipping shows.
class TProbe : public TGraphicControl {
public:
    explicit TProbe(TComponent* AOwner) : TGraphicControl(AOwner) {}

    std::vector<std::string> Log;
    std::vector<std::uint32_t> Messages;
    TColor Fill = clRed;
    int Paints = 0;
    // A message answered with a result of its own, not passed on.
    std::uint32_t AnswerMsg = 0;
    std::intptr_t Answer = 0;

    int Count(std::uint32_t Msg) const {
        int n = 0;
        for (std::uint32_t m : Messages)
            n += m == Msg;
        return n;
    }
    using TControl::DblClick;

protected:
    void Dispatch(TMessage& Message) override {
        Messages.push_back(Message.Msg);
        if (AnswerMsg != 0 && Message.Msg == AnswerMsg) {
            Message.Result = Answer;
            return;
        }
        TGraphicControl::Dispatch(Message);
    }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        TGraphicControl::MouseDown(Button, Shift, X, Y);
        Log.push_back(Note("down", Button, Shift, X, Y));
    }
    void MouseMove(TShiftState Shift, int X, int Y) override {
        TGraphicControl::MouseMove(Shift, X, Y);
        Log.push_back("move " + std::to_string(X) + "," + std::to_string(Y));
    }
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        TGraphicControl::MouseUp(Button, Shift, X, Y);
        Log.push_back(Note("up", Button, Shift, X, Y));
    }
    void Click() override {
        TGraphicControl::Click();
        Log.push_back("click");
    }
    void DblClick() override {
        TGraphicControl::DblClick();
        Log.push_back("dblclick");
    }
    void Paint() override {
        ++Paints;
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(Rect(-1000, -1000, 1000, 1000));
    }

private:
    static std::string Note(const char* What, TMouseButton Button, TShiftState Shift, int X,
                            int Y) {
        static const char* names[] = {"L", "R", "M"};
        return std::string(What) + " " + names[Button] + " " + std::to_string(X) + "," +
               std::to_string(Y) + (Shift.Contains(ssDouble) ? " double" : "");
    }
};

// The headless desktop with the application hooked to it; forms are freed after each case.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override { Application->Initialize(); }
    void TearDown() override { Application->Done(); }

    // A shown white form at (100, 50) with a client area of Width by Height.
    TForm* NewForm(int Width = 200, int Height = 100) {
        auto* form = new TForm(Application);
        form->SetBounds(100, 50, Width, Height);
        form->SetColor(clWhite);
        form->Show();
        Host.ProcessMessages();
        return form;
    }
    TProbe* NewProbe(TWinControl* Parent, TRect Bounds, TColor Fill = clRed) {
        auto* probe = new TProbe(GetParentForm(Parent));
        probe->SetBoundsRect(Bounds);
        probe->Fill = Fill;
        probe->SetParent(Parent);
        return probe;
    }
    THeadlessWindow& Window(TCustomForm* Form) { return *Host.FindWindow(Form->Handle()); }
    // The message boxes shown so far.
    std::vector<THeadlessLogEntry> Boxes() const {
        std::vector<THeadlessLogEntry> boxes;
        for (const THeadlessLogEntry& e : Host.Log())
            if (e.Kind == THeadlessLogEntry::MessageBox)
                boxes.push_back(e);
        return boxes;
    }

    THeadlessHost Host;
};
