#include "examples/gallery/GalleryForm.h"

#include "platform/host/headless/HeadlessHost.h"
#include "platform/ui/Application.h"
#include "platform/ui/SpeedButton.h"

#include <gtest/gtest.h>

namespace {

class TGallery : public testing::Test {
protected:
    TGallery() {
        Application->Initialize();
        Form = new TGalleryForm(Application);
        Form->Show();
        Window = Host.FindWindow(Form->Handle());
        Host.ProcessMessages();
    }
    ~TGallery() override { Application->Done(); }

    TShineSpeedButton* Shine(const char* Name) const {
        return dynamic_cast<TShineSpeedButton*>(Form->FindComponent(Name));
    }
    void ClickOn(const TControl* Control) {
        Host.Advance(1000);
        Host.Click(*Window, Control->Left() + 3, Control->Top() + 3);
        Host.ProcessMessages();
    }

    THeadlessHost Host;
    TGalleryForm* Form = nullptr;
    THeadlessWindow* Window = nullptr;
};

} // namespace

TEST_F(TGallery, PlacesEveryLookWithItsGlyph) {
    for (const char* name : {"ActiveNormal", "ActiveXor", "ActiveMask", "DisabledDefault",
                             "DisabledMask", "LayoutTop", "SeeThrough"}) {
        TShineSpeedButton* button = Shine(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->Glyph()->Width(), 16) << name;
        EXPECT_EQ(button->Glyph()->PixelFormat(), pf32bit) << name;
    }
    EXPECT_EQ(Shine("ActiveXor")->ActiveImage(), aiXorLight);
    EXPECT_EQ(Shine("DisabledGray")->State(), sbsDisabled);
    EXPECT_TRUE(Shine("GradientDown")->Colors()->GradVertical());
    EXPECT_TRUE(Shine("SeeThrough")->Transparent());
    EXPECT_TRUE(Shine("GroupOne")->Down());
    EXPECT_EQ(Form->FlatButton->FrameType(), ftFlatFrame);
}

TEST_F(TGallery, RowSwitchDisablesAndEnablesTheFrames) {
    ClickOn(Form->RowSwitch);
    EXPECT_TRUE(Form->RowSwitch->Down());
    for (TShineSpeedButton* b : {Form->FlatButton, Form->NormalButton, Form->EnclosedButton})
        EXPECT_FALSE(b->Enabled());
    ClickOn(Form->RowSwitch);
    EXPECT_FALSE(Form->RowSwitch->Down());
    for (TShineSpeedButton* b : {Form->FlatButton, Form->NormalButton, Form->EnclosedButton})
        EXPECT_TRUE(b->Enabled());
}

TEST_F(TGallery, TheGroupIncludesTheStockButton) {
    auto* stock = dynamic_cast<TSpeedButton*>(Form->FindComponent("GroupStock"));
    ASSERT_NE(stock, nullptr);
    ClickOn(stock);
    EXPECT_TRUE(stock->Down());
    EXPECT_FALSE(Shine("GroupOne")->Down());
    ClickOn(Shine("GroupTwo"));
    EXPECT_TRUE(Shine("GroupTwo")->Down());
    EXPECT_FALSE(stock->Down());
}
