#include "platform/ui/Form.h"

#include "UiTest.h"
#include "platform/base/FormReader.h"
#include "platform/graphics/Bitmap.h"
#include "platform/ui/FileDrop.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StockClasses.h"
#include "platform/ui/Timer.h"
#include "platform/ui/UiClasses.h"

#include <array>

namespace {

class PaintTest : public UiTest {};

TEST_F(PaintTest, ControlsPaintInStackingOrderEachClippedToItself) {
    TForm* form = NewForm(60, 20);
    NewProbe(form, Bounds(10, 5, 20, 10), clRed);
    NewProbe(form, Bounds(25, 0, 20, 10), clBlue);
    form->Repaint();
    const THeadlessWindow& w = Window(form);
    struct TCase {
        int X, Y;
        TColor Color;
    };
    const TCase cases[] = {
        {9, 5, clWhite},   {10, 5, clRed},    {24, 14, clRed}, {25, 5, clBlue},
        {44, 9, clBlue},   {45, 9, clWhite},  {29, 10, clRed}, {29, 9, clBlue},
        {30, 12, clWhite}, {10, 15, clWhite}, {0, 0, clWhite},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(w.ScreenPixel(c.X, c.Y), c.Color) << c.X << "," << c.Y;
        EXPECT_EQ(form->Canvas()->Pixels(c.X, c.Y), c.Color) << c.X << "," << c.Y;
    }
}

TEST_F(PaintTest, ContainersClipTheirChildren) {
    TForm* form = NewForm(60, 30);
    auto* panel = new TWinControl(form);
    panel->SetBounds(10, 10, 20, 10);
    panel->SetColor(clYellow);
    panel->SetParent(form);
    NewProbe(panel, Bounds(15, 5, 20, 20), clRed);
    form->Repaint();
    const THeadlessWindow& w = Window(form);
    EXPECT_EQ(w.ScreenPixel(10, 10), clYellow);
    EXPECT_EQ(w.ScreenPixel(25, 15), clRed);
    EXPECT_EQ(w.ScreenPixel(29, 19), clRed);
    EXPECT_EQ(w.ScreenPixel(30, 15), clWhite); // the child reaches past the panel
    EXPECT_EQ(w.ScreenPixel(25, 20), clWhite);
}

TEST_F(PaintTest, InvalidatePaintsLaterRepaintPaintsAndShowsNow) {
    TForm* form = NewForm(40, 20);
    TProbe* p = NewProbe(form, Bounds(0, 0, 10, 10), clRed);
    Host.ProcessMessages();
    const THeadlessWindow& w = Window(form);
    ASSERT_EQ(w.ScreenPixel(5, 5), clRed);

    p->Fill = clBlue;
    p->Invalidate();
    EXPECT_EQ(w.ScreenPixel(5, 5), clRed); // nothing until the loop comes round
    EXPECT_FALSE(IsRectEmpty(form->DirtyRect()));
    Host.ProcessMessages();
    EXPECT_EQ(w.ScreenPixel(5, 5), clBlue);
    EXPECT_TRUE(IsRectEmpty(form->DirtyRect()));

    p->Fill = clLime;
    int paints = p->Paints;
    p->Repaint();
    EXPECT_EQ(p->Paints, paints + 1);
    EXPECT_EQ(w.ScreenPixel(5, 5), clLime); // shown before Repaint returned

    p->Fill = clRed;
    p->Invalidate();
    p->Update();
    EXPECT_EQ(w.ScreenPixel(5, 5), clRed);
}

TEST_F(PaintTest, HidingAControlShowsWhatIsBeneath) {
    TForm* form = NewForm(40, 20);
    NewProbe(form, Bounds(0, 0, 10, 10), clRed);
    TProbe* top = NewProbe(form, Bounds(0, 0, 10, 10), clBlue);
    Host.ProcessMessages();
    EXPECT_EQ(Window(form).ScreenPixel(5, 5), clBlue);
    top->SetVisible(false);
    Host.ProcessMessages();
    EXPECT_EQ(Window(form).ScreenPixel(5, 5), clRed);
    top->SetVisible(true);
    top->SetLeft(20);
    Host.ProcessMessages();
    EXPECT_EQ(Window(form).ScreenPixel(5, 5), clRed);
    EXPECT_EQ(Window(form).ScreenPixel(25, 5), clBlue);
}

TEST_F(PaintTest, AnOpaqueControlSparesWhatLiesBeneathIt) {
    TForm* form = NewForm(40, 20);
    TProbe* beneath = NewProbe(form, Bounds(0, 0, 20, 20), clRed);
    TProbe* top = NewProbe(form, Bounds(0, 0, 10, 10), clBlue);
    Host.ProcessMessages();
    int before = beneath->Paints;
    top->Repaint();
    EXPECT_EQ(beneath->Paints, before + 1); // it may show through
    top->SetControlStyle(top->ControlStyle() | csOpaque);
    top->Repaint();
    EXPECT_EQ(beneath->Paints, before + 1);
    EXPECT_EQ(Window(form).ScreenPixel(5, 5), clBlue);
}

TEST_F(PaintTest, ResizingTheFormResizesItsSurface) {
    TForm* form = NewForm(40, 20);
    form->SetClientWidth(70);
    form->SetClientHeight(30);
    EXPECT_EQ(form->Surface()->Width(), 70);
    EXPECT_EQ(form->Surface()->Height(), 30);
    EXPECT_EQ(form->Surface()->PixelFormat(), pf32bit);
    EXPECT_EQ(Window(form).Params().ClientWidth, 70);
    Host.ProcessMessages();
    EXPECT_EQ(Window(form).ScreenPixel(69, 29), clWhite);
}

TEST_F(PaintTest, WindowSettingsFollowTheForm) {
    TForm* form = NewForm();
    form->SetBorderStyle(bsToolWindow);
    form->SetFormStyle(fsStayOnTop);
    form->SetCaption("ピコラム");
    const THostWindowParams& p = Window(form).Params();
    EXPECT_TRUE(p.ToolWindow);
    EXPECT_TRUE(p.StayOnTop);
    EXPECT_FALSE(p.Resizable);
    EXPECT_EQ(Window(form).Caption(), "ピコラム");
    EXPECT_EQ(p.Left, 100);
    EXPECT_EQ(p.Top, 50);
}

class KeyTest : public UiTest {};

TEST_F(KeyTest, MenuShortcutsComeFirstThenDialogCharsToTheControls) {
    TForm* form = NewForm();
    auto* menu = new TPopupMenu(form);
    auto* item = new TMenuItem(form);
    item->SetShortCut(ShortCut('S', ssCtrl));
    int clicks = 0;
    item->SetOnClick([&](TObject*) { ++clicks; });
    menu->Items()->Add(item);
    form->SetPopupMenu(menu);
    TProbe* first = NewProbe(form, Bounds(0, 0, 1, 1));
    TProbe* taker = NewProbe(form, Bounds(0, 0, 1, 1));
    TProbe* last = NewProbe(form, Bounds(0, 0, 1, 1));
    taker->AnswerMsg = CM_DIALOGCHAR;
    taker->Answer = 1;

    Host.Key(Window(form), 'S', ssCtrl, U's');
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(first->Count(CM_DIALOGCHAR), 0);

    Host.Key(Window(form), 'S', {}, U's');
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(first->Count(CM_DIALOGCHAR), 1);
    EXPECT_EQ(taker->Count(CM_DIALOGCHAR), 1);
    EXPECT_EQ(last->Count(CM_DIALOGCHAR), 0);

    Host.Key(Window(form), VK_F5, {});
    EXPECT_EQ(first->Count(CM_DIALOGCHAR), 1); // no character, no dialog char
}

class DropTest : public UiTest {};

TEST_F(DropTest, DroppedFilesArriveWithAHandleThatHoldsWholePaths) {
    struct TDropForm : TForm {
        using TForm::TForm;
        std::vector<AnsiString> Paths;
        unsigned Count = 0;
        TPoint At;
        HDROP Drop = 0;
        void Dispatch(TMessage& M) override {
            if (M.Msg != WM_DROPFILES) {
                TForm::Dispatch(M);
                return;
            }
            Drop = static_cast<HDROP>(M.WParam);
            Count = DragQueryFile(Drop, 0xFFFFFFFF, nullptr, 260);
            for (unsigned i = 0; i < Count; ++i) {
                std::vector<char> buffer(DragQueryFile(Drop, i, nullptr, 0) + 1);
                DragQueryFile(Drop, i, buffer.data(), static_cast<unsigned>(buffer.size()));
                Paths.emplace_back(buffer.data());
            }
            DragQueryPoint(Drop, &At);
            DragFinish(Drop);
        }
    };
    auto* form = new TDropForm(Application);
    form->Show();
    DragAcceptFiles(form->Handle(), true);
    EXPECT_TRUE(Window(form).AcceptsDrops());
    const AnsiString longPath = "/tmp/" + AnsiString(300, 'a') + "/写真.jpg";
    Host.DropFiles(Window(form), {longPath, "/tmp/b.bmp"}, Point(7, 8));
    EXPECT_EQ(form->Count, 2u);
    EXPECT_EQ(form->Paths, (std::vector<AnsiString>{longPath, "/tmp/b.bmp"}));
    EXPECT_EQ(form->At, Point(7, 8));
    EXPECT_FALSE(DropAlive(form->Drop));
    EXPECT_EQ(DragQueryFile(form->Drop, 0xFFFFFFFF, nullptr, 0), 0u);
}

TEST(DropHandle, ABufferTooShortCutsBeforeACharacter) {
    HDROP drop = CreateDrop({"/x/写真.jpg"}, {});
    std::array<char, 8> buffer{};
    // "/x/" is 3 bytes, each of the two characters 3 more: 7 bytes would cut the second one.
    EXPECT_EQ(DragQueryFile(drop, 0, buffer.data(), 8), 6u);
    EXPECT_STREQ(buffer.data(), "/x/写");
    EXPECT_EQ(DragQueryFile(drop, 1, buffer.data(), 8), 0u);
    EXPECT_EQ(DragQueryFile(drop, 0, nullptr, 0), 13u);
    DragFinish(drop);
    EXPECT_FALSE(DropAlive(drop));
}

TEST_F(DropTest, AHandlerThatThrowsStillReleasesTheDrop) {
    struct TThrowingForm : TForm {
        using TForm::TForm;
        HDROP Drop = 0;
        void Dispatch(TMessage& M) override {
            if (M.Msg == WM_DROPFILES) {
                Drop = static_cast<HDROP>(M.WParam);
                throw Exception("ファイル x は開けません");
            }
            TForm::Dispatch(M);
        }
    };
    auto* form = new TThrowingForm(Application);
    form->Show();
    DragAcceptFiles(form->Handle(), true);
    Host.DropFiles(Window(form), {"/x"}, Point(1, 1));
    EXPECT_NE(form->Drop, 0u);
    EXPECT_FALSE(DropAlive(form->Drop));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].Text, "ファイル x は開けません.");
}

class DescriptionTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        RegisterControlClasses();
        RegisterStockClasses();
    }
};

// A form read from its description, as the program's forms are.
class TSmallForm : public TForm {
public:
    explicit TSmallForm(TComponent* AOwner) : TForm(AOwner) {
        ReadComponentRes(Text, "TSmallForm", this);
    }
    AnsiString ClassName() const override { return "TSmallForm"; }
    void Panel1Click(TObject*) { ++Clicks; }
    void Timer1Timer(TObject*) { ++Ticks; }
    int Clicks = 0;
    int Ticks = 0;

    static const char* Text;
};

const char* TSmallForm::Text = R"(object SmallForm: TSmallForm
  Left = 20
  Top = 30
  BorderStyle = bsToolWindow
  Caption = 'small'
  ClientHeight = 60
  ClientWidth = 80
  Color = clWhite
  Font.Name = 'IPAPGothic'
  Font.Height = -12
  FormStyle = fsStayOnTop
  HorzScrollBar.Visible = False
  PopupMenu = Menu1
  PixelsPerInch = 96
  TextHeight = 12
  object Panel1: TWinControl
    Left = 10
    Top = 10
    Width = 40
    Height = 30
    Color = clYellow
    OnClick = Panel1Click
    object Inner1: TGraphicControl
      Left = 5
      Top = 5
      Width = 10
      Height = 10
    end
  end
  object Timer1: TTimer
    Interval = 50
    OnTimer = Timer1Timer
  end
  object Menu1: TPopupMenu
    object Item1: TMenuItem
      Caption = '&Item'
    end
  end
end
)";

TEST_F(DescriptionTest, ASmallFormReadsItsControlsAndSettings) {
    RegisterClass<TSmallForm>("TSmallForm", "TForm")
        .Method("Panel1Click", &TSmallForm::Panel1Click)
        .Method("Timer1Timer", &TSmallForm::Timer1Timer);
    TSmallForm* form = nullptr;
    Application->CreateForm(form);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(Application->MainForm(), form);
    EXPECT_EQ(form->ClientWidth(), 80);
    EXPECT_EQ(form->ClientHeight(), 60);
    EXPECT_EQ(form->BorderStyle(), bsToolWindow);
    EXPECT_EQ(form->FormStyle(), fsStayOnTop);
    EXPECT_FALSE(form->HorzScrollBar()->Visible());
    EXPECT_EQ(form->Font()->Name(), "IPAPGothic");
    auto* panel = dynamic_cast<TWinControl*>(form->FindComponent("Panel1"));
    auto* inner = dynamic_cast<TGraphicControl*>(form->FindComponent("Inner1"));
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(panel->Parent(), form);
    EXPECT_EQ(inner->Parent(), panel);
    EXPECT_EQ(inner->Font()->Name(), "IPAPGothic"); // through the panel
    ASSERT_NE(form->PopupMenu(), nullptr);
    EXPECT_EQ(form->PopupMenu()->Name(), "Menu1");
    EXPECT_EQ(form->PopupMenu()->Items()->Count(), 1);
    EXPECT_EQ(form->Caption(), "small");

    form->Show();
    Host.Click(Window(form), 12, 12);
    EXPECT_EQ(form->Clicks, 1);
    Host.ProcessMessages();
    EXPECT_EQ(Window(form).ScreenPixel(12, 12), clYellow);
    EXPECT_EQ(Window(form).ScreenPixel(5, 5), clWhite);

    // The timer started once the whole description was read.
    Host.Advance(100);
    EXPECT_EQ(form->Ticks, 2);
}

} // namespace
