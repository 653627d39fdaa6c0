#include "ShineSpdBtnFixture.h"

#include "platform/base/FormReader.h"

namespace {

const char* const GroupedForm = R"(object StreamForm: TForm
  Left = 0
  Top = 0
  Width = 200
  Height = 100
  object Pressed: TShineSpeedButton
    Left = 8
    Top = 8
    Width = 40
    Height = 24
    GroupIndex = 3
    Down = True
    FrameType = ftEnclosedFrame
    ActiveImage = aiMaskLight
    Colors.Gradation = True
    Colors.Color = clRed
    Font.Height = -16
    Caption = '&Go'
  end
  object Other: TShineSpeedButton
    Left = 60
    Top = 8
    GroupIndex = 3
  end
end
)";

} // namespace

TEST_F(TShineFixture, DescriptionWithDownAndAGroupLoadsDown) {
    RegisterShineSpdBtn();
    auto* form = new TForm(Application);
    ReadComponentRes(GroupedForm, "StreamForm", form);
    auto* pressed = dynamic_cast<TShineSpeedButton*>(form->FindComponent("Pressed"));
    auto* other = dynamic_cast<TShineSpeedButton*>(form->FindComponent("Other"));
    ASSERT_NE(pressed, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(pressed->Down());
    EXPECT_EQ(pressed->State(), sbsDown);
    EXPECT_EQ(pressed->GroupIndex(), 3);
    EXPECT_EQ(pressed->Parent(), form);
    EXPECT_EQ(pressed->FrameType(), ftEnclosedFrame);
    EXPECT_EQ(pressed->ActiveImage(), aiMaskLight);
    EXPECT_TRUE(pressed->Colors()->Gradation());
    EXPECT_EQ(pressed->Colors()->Color(), clRed);
    EXPECT_EQ(pressed->Font()->Height(), -16);
    EXPECT_EQ(pressed->Caption(), "&Go");
    EXPECT_FALSE(other->Down());
    EXPECT_EQ(other->Width(), 25);
}
