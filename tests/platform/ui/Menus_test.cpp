#include "platform/ui/Menus.h"

#include "platform/base/Exceptions.h"
#include "platform/host/headless/HeadlessHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct TShortCutCase {
    TShortCut Value;
    const char* Text;
    std::uint16_t Key;
    TShiftState Shift;
};

// The shortcuts of the main window's menu, and a few other keys with names of their own.
const TShortCutCase ShortCutCases[] = {
    {16467, "Ctrl+S", 'S', ssCtrl},
    {16461, "Ctrl+M", 'M', ssCtrl},
    {8304, "Shift+F1", VK_F1, ssShift},
    {8305, "Shift+F2", VK_F1 + 1, ssShift},
    {16496, "Ctrl+F1", VK_F1, ssCtrl},
    {16497, "Ctrl+F2", VK_F1 + 1, ssCtrl},
    {45, "Ins", VK_INSERT, {}},
    {46, "Del", VK_DELETE, {}},
    {0x8058, "Alt+X", 'X', ssAlt},
    {0x70, "F1", VK_F1, {}},
    {0x7B, "F12", VK_F12, {}},
    {0x0D, "Enter", VK_RETURN, {}},
    {0x1B, "Esc", VK_ESCAPE, {}},
    {0x31, "1", '1', {}},
    {0xE041, "Shift+Ctrl+Alt+A", 'A', ssShift | ssCtrl | TShiftState(ssAlt)},
};

TEST(ShortCutTest, ValuesAndTextsBothWays) {
    for (const TShortCutCase& c : ShortCutCases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(ShortCut(c.Key, c.Shift), c.Value);
        EXPECT_EQ(ShortCutToText(c.Value), c.Text);
        EXPECT_EQ(TextToShortCut(c.Text), c.Value);
        std::uint16_t key = 0;
        TShiftState shift;
        ShortCutToKey(c.Value, key, shift);
        EXPECT_EQ(key, c.Key);
        EXPECT_EQ(shift, c.Shift);
    }
}

TEST(ShortCutTest, MouseButtonsAndDoubleClickDoNotCount) {
    TShiftState shift = ssCtrl | ssLeft;
    shift << ssDouble;
    EXPECT_EQ(ShortCut('S', shift), 16467);
}

TEST(ShortCutTest, UnknownTextsAndKeys) {
    EXPECT_EQ(TextToShortCut(""), scNone);
    EXPECT_EQ(TextToShortCut("Ctrl+"), scNone);
    EXPECT_EQ(TextToShortCut("Hyper+S"), scNone);
    EXPECT_EQ(TextToShortCut("ctrl+s"), 16467);
    EXPECT_EQ(ShortCutToText(scNone), "");
    EXPECT_EQ(ShortCutToText(scCtrl), "");
}

// The popup menu of the main window, built as its description builds it.
class MenuTest : public testing::Test {
protected:
    TMenuItem* AddItem(TMenuItem* Parent, const char* Name, const char* Caption,
                       TShortCut Key = scNone) {
        auto* item = new TMenuItem(Owner.get());
        item->SetName(Name);
        item->SetCaption(Caption);
        item->SetShortCut(Key);
        item->SetOnClick(
            [this](TObject* Sender) { Clicked += static_cast<TComponent*>(Sender)->Name() + ";"; });
        Parent->Add(item);
        return item;
    }

    void SetUp() override {
        Menu = new TPopupMenu(Owner.get());
        Menu->SetAutoHotkeys(maManual);
        TMenuItem* root = Menu->Items();
        Save1 = AddItem(root, "Save1", "保存(&S)...", 16467);
        AddItem(root, "M1", "メール送信(&M)...", 16461);
        AddItem(root, "N1", "-");
        N2 = AddItem(root, "N2", "数字/英語の割り振り(&N)");
        N6 = AddItem(N2, "N6", "白い数字(&W)", 8304);
        N6->SetChecked(true);
        AddItem(N2, "N7", "黒い数字(&B)", 8305);
        AddItem(N2, "N10", "白い英語(&H)", 16496);
        AddItem(N2, "N11", "黒い英語(&L)", 16497);
        AddItem(N2, "N9", "-");
        AddItem(N2, "N8", "数字/英語なし(&N)", 45);
        AddItem(root, "D1", "ぜんぶ消去(&D)", 46);
        AddItem(root, "N3", "-");
        AddItem(root, "N4", "インフォメーション(&I)...");
    }

    THeadlessHost Host;
    std::unique_ptr<TComponent> Owner = std::make_unique<TComponent>(nullptr);
    TPopupMenu* Menu = nullptr;
    TMenuItem* Save1 = nullptr;
    TMenuItem* N2 = nullptr;
    TMenuItem* N6 = nullptr;
    std::string Clicked;
};

TEST_F(MenuTest, ShortCutsReachSubmenuItems) {
    struct {
        std::uint16_t Key;
        TShiftState Shift;
        const char* Clicked;
    } cases[] = {
        {'S', ssCtrl, "Save1;"},     {'M', ssCtrl, "M1;"},    {VK_F1, ssShift, "N6;"},
        {VK_F1 + 1, ssShift, "N7;"}, {VK_F1, ssCtrl, "N10;"}, {VK_F1 + 1, ssCtrl, "N11;"},
        {VK_INSERT, {}, "N8;"},      {VK_DELETE, {}, "D1;"},
    };
    for (const auto& c : cases) {
        Clicked.clear();
        EXPECT_TRUE(Menu->IsShortCut(c.Key, c.Shift));
        EXPECT_EQ(Clicked, c.Clicked);
    }
    Clicked.clear();
    EXPECT_FALSE(Menu->IsShortCut('S', {}));
    EXPECT_FALSE(IsShortCut(Menu, VK_F1, {}));
    EXPECT_FALSE(Menu->IsShortCut(0, {}));
    EXPECT_EQ(Clicked, "");
}

TEST_F(MenuTest, DisabledOrHiddenItemsAndSubmenusTakeNoShortCut) {
    Save1->SetEnabled(false);
    EXPECT_FALSE(Menu->IsShortCut('S', ssCtrl));
    Save1->SetEnabled(true);
    Save1->SetVisible(false);
    EXPECT_FALSE(Menu->IsShortCut('S', ssCtrl));
    N2->SetEnabled(false);
    EXPECT_FALSE(Menu->IsShortCut(VK_F1, ssShift));
    EXPECT_EQ(Clicked, "");
}

TEST_F(MenuTest, ClickRunsOnlyEnabledItemsAndAutoCheckToggles) {
    Save1->SetEnabled(false);
    Save1->Click();
    EXPECT_EQ(Clicked, "");
    Save1->SetEnabled(true);
    Save1->Click();
    EXPECT_FALSE(Save1->Checked()); // AutoCheck is off by default
    Save1->SetAutoCheck(true);
    Save1->Click();
    EXPECT_TRUE(Save1->Checked());
    Save1->Click();
    EXPECT_FALSE(Save1->Checked());
    EXPECT_EQ(Clicked, "Save1;Save1;Save1;");
}

TEST_F(MenuTest, PlainCheckItemsKeepTheirSiblingsRadioItemsDoNot) {
    TMenuItem* n7 = N2->Items(1);
    n7->SetChecked(true);
    EXPECT_TRUE(N6->Checked());

    N6->SetRadioItem(true);
    n7->SetRadioItem(true);
    EXPECT_FALSE(N6->Checked()) << "n7 became a checked radio item of the same group";
    N6->SetChecked(true);
    EXPECT_FALSE(n7->Checked());
    n7->SetGroupIndex(1);
    n7->SetChecked(true);
    EXPECT_TRUE(N6->Checked());
}

TEST_F(MenuTest, TreeEditing) {
    EXPECT_EQ(Menu->Items()->Count(), 7);
    EXPECT_EQ(N2->Count(), 6);
    EXPECT_EQ(N6->Parent(), N2);
    EXPECT_EQ(N2->IndexOf(N6), 0);

    Menu->Items()->Insert(0, N6); // moves out of N2
    EXPECT_EQ(N2->Count(), 5);
    EXPECT_EQ(Menu->Items()->Items(0), N6);
    EXPECT_EQ(N6->Parent(), Menu->Items());

    EXPECT_THROW(N6->Add(Menu->Items()), EInvalidOperation);
    EXPECT_THROW(N2->Add(N2), EInvalidOperation);

    Menu->Items()->Remove(N6);
    EXPECT_EQ(N6->Parent(), nullptr);
    EXPECT_EQ(Menu->Items()->IndexOf(N6), -1);
}

TEST_F(MenuTest, FreedItemsLeaveTheTree) {
    TMenuItem* n7 = N2->Items(1);
    delete N2; // owned by Owner; freeing it is what the owner would do
    EXPECT_EQ(Menu->Items()->Count(), 6);
    EXPECT_EQ(N6->Parent(), nullptr);
    EXPECT_EQ(n7->Parent(), nullptr);
    delete Menu;
    EXPECT_EQ(Save1->Parent(), nullptr);
}

TEST_F(MenuTest, DescriptionNestingHook) {
    auto* item = new TMenuItem(Owner.get());
    EXPECT_TRUE(MenuParentHook(item, N6));
    EXPECT_EQ(item->Parent(), N6);
    auto* top = new TMenuItem(Owner.get());
    EXPECT_TRUE(MenuParentHook(top, Menu));
    EXPECT_EQ(top->Parent(), Menu->Items());
    EXPECT_EQ(Menu->Items()->Items(Menu->Items()->Count() - 1), top);
    EXPECT_FALSE(MenuParentHook(Owner.get(), Menu));
    EXPECT_FALSE(MenuParentHook(new TMenuItem(Owner.get()), Owner.get()));
}

TEST_F(MenuTest, PopupShowsTheTreeAndClicksTheChoiceAfterItClosed) {
    Menu->SetOnPopup([this](TObject* Sender) {
        EXPECT_EQ(Sender, Menu);
        EXPECT_TRUE(Host.Log().empty()) << "OnPopup comes before the menu shows";
        Clicked += "popup;";
    });
    N2->Items(1)->SetOnClick([this](TObject*) {
        EXPECT_EQ(Host.Log().size(), 1u) << "the menu has closed";
        Clicked += "N7;";
    });
    Host.QueueMenuChoice("N7");
    PopupMenuAt(Menu, Point(100, 200));
    EXPECT_EQ(Clicked, "popup;N7;");
    EXPECT_EQ(Menu->PopupPoint(), Point(100, 200));

    ASSERT_EQ(Host.Log().size(), 1u);
    const THeadlessLogEntry& shown = Host.Log()[0];
    EXPECT_EQ(shown.Kind, THeadlessLogEntry::Menu);
    EXPECT_EQ(shown.At, Point(100, 200));
    struct {
        const char* Name;
        const char* Caption;
        const char* ShortCut;
        int Items;
    } top[] = {
        {"Save1", "保存(&S)...", "Ctrl+S", 0},
        {"M1", "メール送信(&M)...", "Ctrl+M", 0},
        {"N1", "-", "", 0},
        {"N2", "数字/英語の割り振り(&N)", "", 6},
        {"D1", "ぜんぶ消去(&D)", "Del", 0},
        {"N3", "-", "", 0},
        {"N4", "インフォメーション(&I)...", "", 0},
    };
    ASSERT_EQ(shown.Items.size(), std::size(top));
    for (std::size_t i = 0; i < std::size(top); ++i) {
        SCOPED_TRACE(top[i].Name);
        EXPECT_EQ(shown.Items[i].Name, top[i].Name);
        EXPECT_EQ(shown.Items[i].Caption, top[i].Caption);
        EXPECT_EQ(shown.Items[i].ShortCutText, top[i].ShortCut);
        EXPECT_EQ(shown.Items[i].Items.size(), static_cast<std::size_t>(top[i].Items));
        EXPECT_FALSE(shown.Items[i].Checked);
    }
    const std::vector<THostMenuItem>& sub = shown.Items[3].Items;
    const char* subTexts[] = {"Shift+F1", "Shift+F2", "Ctrl+F1", "Ctrl+F2", "", "Ins"};
    for (std::size_t i = 0; i < sub.size(); ++i) {
        EXPECT_EQ(sub[i].ShortCutText, subTexts[i]);
        EXPECT_EQ(sub[i].Checked, i == 0) << sub[i].Name;
    }
    EXPECT_EQ(sub[4].Caption, "-");
}

TEST_F(MenuTest, PopupWithoutAChoiceClicksNothing) {
    Host.QueueMenuNone();
    Menu->Popup(5, 5);
    EXPECT_EQ(Clicked, "");
    Host.QueueMenuChoice("N2"); // a submenu only opens
    Menu->Popup(5, 5);
    EXPECT_EQ(Clicked, "");
}

TEST_F(MenuTest, PopupShowsDisabledAndHiddenItemsAsSuch) {
    Save1->SetEnabled(false);
    N6->SetVisible(false);
    Host.QueueMenuNone();
    Menu->Popup(0, 0);
    const THeadlessLogEntry& shown = Host.Log().back();
    EXPECT_FALSE(shown.Items[0].Enabled);
    EXPECT_TRUE(shown.Items[0].Visible);
    EXPECT_FALSE(shown.Items[3].Items[0].Visible);
}

} // namespace
