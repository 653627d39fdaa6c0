#pragma once

#include "platform/graphics/Bitmap.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

#include <gtest/gtest.h>

// A shown white form on the headless host, for controls placed on it; the application is
// reset after each case.
class StockFixture : public testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        Form = new TForm(Application);
        Form->SetBounds(0, 0, 480, 320);
        Form->SetColor(clWhite);
        Form->Show();
        Host.ProcessMessages();
    }
    void TearDown() override { Application->Done(); }

    template <class T> T* Place(int Left, int Top, int Width, int Height) {
        auto* control = new T(Form);
        control->SetBounds(Left, Top, Width, Height);
        control->SetParent(Form);
        return control;
    }

    THeadlessWindow& Window() { return *Host.FindWindow(Form->Handle()); }
    // What the window shows once the pending paints are done.
    TColor Shown(int X, int Y) {
        Host.ProcessMessages();
        return Window().ScreenPixel(X, Y);
    }

    THeadlessHost Host;
    TForm* Form = nullptr;
};
