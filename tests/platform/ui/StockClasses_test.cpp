#include "platform/ui/StockClasses.h"

#include "StockFixture.h"
#include "platform/base/Exceptions.h"
#include "platform/base/FormReader.h"
#include "platform/base/Registry.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Shape.h"
#include "platform/ui/SpeedButton.h"

#include <string>

namespace {

// A form in the manner of the main window, with handlers bound by name.
class TStockForm : public TForm {
public:
    explicit TStockForm(TComponent* AOwner) : TForm(AOwner) {}
    AnsiString ClassName() const override { return "TStockForm"; }

    void N6Click(TObject* Sender) { Log += static_cast<TComponent*>(Sender)->Name() + ";"; }
    void Image1DblClick(TObject*) { Log += "dblclick;"; }

    std::string Log;
};

const char* const Description = R"(object StockForm: TStockForm
  Left = 20
  Top = 20
  ClientWidth = 480
  ClientHeight = 320
  Color = clWhite
  PopupMenu = PopupMenu1
  object Shape2: TShape
    Left = 120
    Top = 0
    Width = 120
    Height = 160
    Brush.Color = 14811105
    Pen.Style = psClear
  end
  object Image1: TImage
    Left = 120
    Top = 0
    Width = 120
    Height = 160
    Stretch = True
    OnDblClick = Image1DblClick
  end
  object Label1: TLabel
    Left = 2
    Top = 2
    Width = 13
    Height = 13
    Caption = '①'
    Font.Height = -12
    Font.Style = [fsBold]
    ParentFont = False
    Transparent = True
  end
  object Label2: TLabel
    Left = 300
    Top = 200
    Alignment = taRightJustify
    AutoSize = False
    Layout = tlCenter
    WordWrap = True
    ShowAccelChar = False
    Caption = 'a&b'
  end
  object SpeedButton1: TSpeedButton
    Left = 0
    Top = 200
    AllowAllUp = True
    GroupIndex = 3
    Down = True
    Flat = True
    Layout = blGlyphTop
    Margin = 2
    Spacing = 1
  end
  object PopupMenu1: TPopupMenu
    AutoHotkeys = maManual
    object Save1: TMenuItem
      Caption = '保存(&S)...'
      ShortCut = 16467
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object N2: TMenuItem
      Caption = '数字/英語の割り振り(&N)'
      object N6: TMenuItem
        Caption = '白い数字(&W)'
        Checked = True
        ShortCut = 8304
        OnClick = N6Click
      end
      object N8: TMenuItem
        Caption = '数字/英語なし(&N)'
        ShortCut = 45
        OnClick = N6Click
      end
    end
    object D1: TMenuItem
      Caption = 'ぜんぶ消去(&D)'
      ShortCut = 46
    end
  end
  object SavePictureDialog1: TSavePictureDialog
    DefaultExt = 'jpg'
    Filter = 'JPEG ファイル (*.jpg;*.jpeg)|*.jpg;*.jpeg'
  end
end
)";

class StockClassesTest : public testing::Test {
protected:
    void SetUp() override {
        RegisterStockClasses();
        RegisterStockClasses(); // idempotent
        RegisterClass<TStockForm>("TStockForm", "TForm")
            .Method("N6Click", &TStockForm::N6Click)
            .Method("Image1DblClick", &TStockForm::Image1DblClick);
    }
    void TearDown() override { Application->Done(); }

    template <class T> T* Find(const char* Name) {
        T* found = dynamic_cast<T*>(Form->FindComponent(Name));
        EXPECT_NE(found, nullptr) << Name;
        return found;
    }

    TStockForm* Read() {
        Form = new TStockForm(Application);
        ReadComponentRes(Description, "StockForm", Form);
        return Form;
    }

    THeadlessHost Host;
    TStockForm* Form = nullptr;
};

TEST_F(StockClassesTest, ReadsTheStockComponents) {
    Read();
    auto* shape = Find<TShape>("Shape2");
    EXPECT_EQ(shape->Brush()->Color(), 0xE1FFE1u);
    EXPECT_EQ(shape->Pen()->Style(), psClear);
    EXPECT_EQ(shape->Parent(), Form);

    auto* image = Find<TImage>("Image1");
    EXPECT_TRUE(image->Stretch());
    EXPECT_EQ(image->BoundsRect(), Bounds(120, 0, 120, 160));
    image->OnDblClick()(image);
    EXPECT_EQ(Form->Log, "dblclick;");

    auto* label1 = Find<TLabel>("Label1");
    EXPECT_TRUE(label1->Transparent());
    EXPECT_TRUE(label1->AutoSize());
    EXPECT_EQ(label1->Caption(), "①");
    auto* label2 = Find<TLabel>("Label2");
    EXPECT_EQ(label2->Alignment(), taRightJustify);
    EXPECT_EQ(label2->Layout(), tlCenter);
    EXPECT_FALSE(label2->AutoSize());
    EXPECT_TRUE(label2->WordWrap());
    EXPECT_FALSE(label2->ShowAccelChar());
    EXPECT_EQ(label2->BoundsRect(), Bounds(300, 200, 65, 17));

    auto* button = Find<TSpeedButton>("SpeedButton1");
    EXPECT_TRUE(button->AllowAllUp());
    EXPECT_EQ(button->GroupIndex(), 3);
    EXPECT_TRUE(button->Down()) << "Down is read after GroupIndex";
    EXPECT_TRUE(button->Flat());
    EXPECT_EQ(button->Layout(), blGlyphTop);
    EXPECT_EQ(button->Margin(), 2);
    EXPECT_EQ(button->Spacing(), 1);

    auto* dialog = Find<TSavePictureDialog>("SavePictureDialog1");
    EXPECT_EQ(dialog->DefaultExt(), "jpg");
    EXPECT_EQ(dialog->Filter(), "JPEG ファイル (*.jpg;*.jpeg)|*.jpg;*.jpeg");
    EXPECT_EQ(dialog->FilterIndex(), 1);
}

TEST_F(StockClassesTest, NestsMenuItemsAndBindsTheirHandlers) {
    Read();
    auto* menu = Find<TPopupMenu>("PopupMenu1");
    EXPECT_EQ(Form->PopupMenu(), menu);
    EXPECT_EQ(menu->AutoHotkeys(), maManual);
    EXPECT_TRUE(menu->AutoPopup());
    TMenuItem* root = menu->Items();
    ASSERT_EQ(root->Count(), 4);
    EXPECT_EQ(root->Items(0), Find<TMenuItem>("Save1"));
    EXPECT_TRUE(root->Items(1)->IsLine());
    auto* n2 = Find<TMenuItem>("N2");
    ASSERT_EQ(n2->Count(), 2);
    auto* n6 = Find<TMenuItem>("N6");
    EXPECT_EQ(n6->Parent(), n2);
    EXPECT_TRUE(n6->Checked());
    EXPECT_EQ(n6->ShortCut(), 8304);
    EXPECT_EQ(Find<TMenuItem>("Save1")->ShortCut(), 16467);

    EXPECT_TRUE(menu->IsShortCut(VK_F1, ssShift));
    EXPECT_TRUE(menu->IsShortCut(VK_INSERT, {}));
    EXPECT_EQ(Form->Log, "N6;N8;");
}

TEST_F(StockClassesTest, RightClickOpensThePopupMenuAndKeysReachItsShortCuts) {
    Read();
    Form->Show();
    Host.ProcessMessages();
    THeadlessWindow& window = *Host.FindWindow(Form->Handle());
    Host.QueueMenuChoice("N8");
    Host.Click(window, 150, 50, mbRight);
    ASSERT_FALSE(Host.Log().empty());
    EXPECT_EQ(Host.Log().back().Kind, THeadlessLogEntry::Menu);
    EXPECT_EQ(Host.Log().back().At, Point(170, 70));
    EXPECT_EQ(Form->Log, "N8;");
    Host.Key(window, VK_F1, ssShift);
    EXPECT_EQ(Form->Log, "N8;N6;");
}

TEST_F(StockClassesTest, DeclaredDefaultsAreTheConstructorValues) {
    TComponent* owner = Application;
    const char* classes[] = {"TImage",
                             "TShape",
                             "TLabel",
                             "TSpeedButton",
                             "TMenuItem",
                             "TPopupMenu",
                             "TSavePictureDialog"};
    for (const char* name : classes) {
        SCOPED_TRACE(name);
        const TClassInfo* info = TClassRegistry::Instance().Find(name);
        ASSERT_NE(info, nullptr);
        ASSERT_TRUE(info->Create);
        TComponent* instance = info->Create(owner);
        EXPECT_EQ(instance->ClassName(), name);
        for (const TPropInfo* p : info->AllProperties()) {
            if (p->Default && p->Read) {
                EXPECT_EQ(p->Read(instance), *p->Default) << p->Name;
            }
        }
    }
}

TEST_F(StockClassesTest, StreamingOrder) {
    auto names = [](const char* Class) {
        std::vector<AnsiString> result;
        for (const TClassInfo* c = TClassRegistry::Instance().Find(Class);
             c != nullptr && c->Name != "TGraphicControl" && c->Name != "TComponent"; c = c->Parent)
            for (auto it = c->Properties.rbegin(); it != c->Properties.rend(); ++it)
                result.insert(result.begin(), it->Name);
        return result;
    };
    EXPECT_EQ(names("TSpeedButton"),
              (std::vector<AnsiString>{"AllowAllUp", "GroupIndex", "Down", "Flat", "Layout",
                                       "Margin", "Spacing"}));
    EXPECT_EQ(names("TMenuItem"),
              (std::vector<AnsiString>{"AutoCheck", "Caption", "Checked", "Enabled", "GroupIndex",
                                       "RadioItem", "ShortCut", "Visible", "OnClick"}));
}

TEST_F(StockClassesTest, UnknownIdentifiersAreErrors) {
    Form = new TStockForm(Application);
    const char* bad = "object StockForm: TStockForm\n"
                      "  object Shape1: TShape\n"
                      "    Shape = stTriangle\n"
                      "  end\n"
                      "end\n";
    try {
        ReadComponentRes(bad, "StockForm", Form);
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find("stTriangle"), AnsiString::npos) << e.Message();
        EXPECT_NE(e.Message().find("3"), AnsiString::npos) << e.Message();
    }
}

} // namespace
