#include "platform/ui/Menus.h"

#include "platform/base/Exceptions.h"
#include "platform/host/Host.h"

#include <algorithm>
#include <cctype>

namespace {

struct TKeyName {
    std::uint16_t Key;
    const char* Name;
};

// The platform's names of the keys that are not letters, digits or function keys.
constexpr TKeyName KeyNames[] = {
    {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},    {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},    {VK_END, "End"},
    {VK_HOME, "Home"},   {VK_LEFT, "Left"},  {VK_UP, "Up"},        {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},   {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
};

// Function keys run on past F12 on some keyboards, up to F24.
constexpr std::uint16_t VkF24 = VK_F1 + 23;

constexpr const char* ShiftName = "Shift+";
constexpr const char* CtrlName = "Ctrl+";
constexpr const char* AltName = "Alt+";

AnsiString KeyName(std::uint16_t Key) {
    if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9'))
        return AnsiString(1, static_cast<char>(Key));
    if (Key >= VK_F1 && Key <= VkF24) {
        // Appended rather than concatenated: g++ 12 misreports "F" + string at -O3.
        AnsiString name = "F";
        name += std::to_string(Key - VK_F1 + 1);
        return name;
    }
    for (const TKeyName& k : KeyNames)
        if (k.Key == Key)
            return k.Name;
    return {};
}

bool SameText(const AnsiString& A, const AnsiString& B) {
    return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

// Takes Prefix off the front of Text when it is there, in any letter case.
bool TakePrefix(AnsiString& Text, const AnsiString& Prefix) {
    if (Text.size() <= Prefix.size() || !SameText(Text.substr(0, Prefix.size()), Prefix))
        return false;
    Text.erase(0, Prefix.size());
    return true;
}

bool Reachable(const TMenuItem* Item) {
    return Item->Enabled() && Item->Visible();
}

} // namespace

TShortCut ShortCut(std::uint16_t Key, TShiftState Shift) {
    if ((Key & 0xFF00) != 0)
        return scNone;
    TShortCut result = Key;
    if (Shift.Contains(ssShift))
        result |= scShift;
    if (Shift.Contains(ssCtrl))
        result |= scCtrl;
    if (Shift.Contains(ssAlt))
        result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut Value, std::uint16_t& Key, TShiftState& Shift) {
    Key = Value & 0xFF;
    Shift = TShiftState();
    if ((Value & scShift) != 0)
        Shift << ssShift;
    if ((Value & scCtrl) != 0)
        Shift << ssCtrl;
    if ((Value & scAlt) != 0)
        Shift << ssAlt;
}

AnsiString ShortCutToText(TShortCut Value) {
    AnsiString name = KeyName(Value & 0xFF);
    if (name.empty())
        return {};
    AnsiString result;
    if ((Value & scShift) != 0)
        result += ShiftName;
    if ((Value & scCtrl) != 0)
        result += CtrlName;
    if ((Value & scAlt) != 0)
        result += AltName;
    return result + name;
}

TShortCut TextToShortCut(const AnsiString& Text) {
    AnsiString rest = Text;
    TShortCut modifiers = 0;
    for (;;) {
        if (TakePrefix(rest, ShiftName))
            modifiers |= scShift;
        else if (TakePrefix(rest, CtrlName))
            modifiers |= scCtrl;
        else if (TakePrefix(rest, AltName))
            modifiers |= scAlt;
        else
            break;
    }
    for (std::uint16_t key = 1; key < 0x100; ++key) {
        AnsiString name = KeyName(key);
        if (!name.empty() && SameText(name, rest))
            return modifiers | key;
    }
    return scNone;
}

// TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
    if (FParent != nullptr)
        FParent->Remove(this);
    for (TMenuItem* item : FItems)
        item->FParent = nullptr;
}

void TMenuItem::SetChecked(bool Value) {
    if (FChecked == Value)
        return;
    FChecked = Value;
    if (Value && FRadioItem)
        TurnSiblingsOff();
}

void TMenuItem::SetRadioItem(bool Value) {
    if (FRadioItem == Value)
        return;
    FRadioItem = Value;
    if (FChecked && FRadioItem)
        TurnSiblingsOff();
}

void TMenuItem::SetGroupIndex(std::uint8_t Value) {
    if (FGroupIndex == Value)
        return;
    FGroupIndex = Value;
    if (FChecked && FRadioItem)
        TurnSiblingsOff();
}

void TMenuItem::TurnSiblingsOff() {
    if (FParent == nullptr)
        return;
    for (TMenuItem* item : FParent->FItems)
        if (item != this && item->FRadioItem && item->FGroupIndex == FGroupIndex)
            item->FChecked = false;
}

void TMenuItem::Click() {
    if (!FEnabled)
        return;
    if (FAutoCheck && !(FRadioItem && FChecked))
        SetChecked(!FChecked);
    if (FOnClick)
        FOnClick(this);
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Add(TMenuItem* Item) {
    Insert(Count(), Item);
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
    for (const TMenuItem* p = this; p != nullptr; p = p->FParent)
        if (p == Item)
            throw EInvalidOperation("メニューの項目を自分自身の下には置けません");
    if (Item->FParent != nullptr)
        Item->FParent->Remove(Item);
    Index = std::clamp(Index, 0, Count());
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    if (Item->FChecked && Item->FRadioItem)
        Item->TurnSiblingsOff();
}

void TMenuItem::Remove(TMenuItem* Item) {
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it == FItems.end())
        return;
    FItems.erase(it);
    Item->FParent = nullptr;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut Value) const {
    if (Value == scNone)
        return nullptr;
    for (TMenuItem* item : FItems) {
        if (!Reachable(item) || item->IsLine())
            continue;
        if (item->FShortCut == Value)
            return item;
        if (TMenuItem* found = item->FindShortCut(Value))
            return found;
    }
    return nullptr;
}

// TPopupMenu

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)) {}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupComponent)
        FPopupComponent = nullptr;
}

namespace {

// The host's picture of a subtree; Chosen[Id - 1] is the item behind each Id.
std::vector<THostMenuItem> BuildHostItems(const TMenuItem* Parent,
                                          std::vector<TMenuItem*>& Chosen) {
    std::vector<THostMenuItem> result;
    for (int i = 0; i < Parent->Count(); ++i) {
        TMenuItem* item = Parent->Items(i);
        Chosen.push_back(item);
        THostMenuItem h;
        h.Id = static_cast<int>(Chosen.size());
        h.Name = item->Name();
        h.Caption = item->Caption();
        h.ShortCutText = ShortCutToText(item->ShortCut());
        h.Checked = item->Checked();
        h.RadioItem = item->RadioItem();
        h.Enabled = item->Enabled();
        h.Visible = item->Visible();
        h.Items = BuildHostItems(item, Chosen);
        result.push_back(std::move(h));
    }
    return result;
}

bool InTree(const TMenuItem* Parent, const TMenuItem* Item) {
    for (int i = 0; i < Parent->Count(); ++i)
        if (Parent->Items(i) == Item || InTree(Parent->Items(i), Item))
            return true;
    return false;
}

} // namespace

void TPopupMenu::Popup(int X, int Y) {
    FPopupPoint = Point(X, Y);
    if (FOnPopup)
        FOnPopup(this);
    std::vector<TMenuItem*> chosen;
    std::vector<THostMenuItem> items = BuildHostItems(FItems, chosen);
    if (items.empty())
        return;
    int id = THost::Current().PopupMenu(items, FPopupPoint);
    if (id < 1 || id > static_cast<int>(chosen.size()))
        return;
    TMenuItem* item = chosen[id - 1];
    // The menu runs its own loop; an item freed meanwhile is not clicked. A submenu only
    // opens, a separator does nothing.
    if (InTree(FItems, item) && item->Count() == 0 && !item->IsLine())
        item->Click();
}

bool TPopupMenu::IsShortCut(std::uint16_t Key, TShiftState Shift) {
    TMenuItem* item = FItems->FindShortCut(::ShortCut(Key, Shift));
    if (item == nullptr)
        return false;
    item->Click();
    return true;
}

void PopupMenuAt(TPopupMenu* Menu, TPoint Screen) {
    Menu->Popup(Screen.X, Screen.Y);
}

bool IsShortCut(TPopupMenu* Menu, std::uint16_t Key, TShiftState Shift) {
    return Menu->IsShortCut(Key, Shift);
}

bool MenuParentHook(TComponent* Child, TComponent* Enclosing) {
    auto* item = dynamic_cast<TMenuItem*>(Child);
    if (item == nullptr)
        return false;
    if (auto* parent = dynamic_cast<TMenuItem*>(Enclosing)) {
        parent->Add(item);
        return true;
    }
    if (auto* menu = dynamic_cast<TPopupMenu*>(Enclosing)) {
        menu->Items()->Add(item);
        return true;
    }
    return false;
}
