#pragma once

#include "platform/base/Component.h"
#include "platform/base/Events.h"

#include <cstdint>
#include <vector>

// A key with its modifiers, as menus store it: the virtual-key code in the low byte plus
// scShift, scCtrl and scAlt.
using TShortCut = std::uint16_t;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// Only Shift, Ctrl and Alt of Shift count.
TShortCut ShortCut(std::uint16_t Key, TShiftState Shift);
void ShortCutToKey(TShortCut Value, std::uint16_t& Key, TShiftState& Shift);
// "Ctrl+S", "Shift+F1", "Ins", "Del"; "" for scNone or a key without a name.
AnsiString ShortCutToText(TShortCut Value);
// The reverse of ShortCutToText, ignoring letter case; scNone when the text names no key.
TShortCut TextToShortCut(const AnsiString& Text);

class TPopupMenu;

// One entry of a menu. Items are components like any other and are freed by their owner;
// the tree of a menu (Parent, Items) only refers to them, and an item leaves its parent
// and lets go of its children when it is freed.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;
    AnsiString ClassName() const override { return "TMenuItem"; }

    // "&" marks the access key ("&&" is a plain "&"); "-" makes the item a separator.
    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& Value) { FCaption = Value; }
    bool IsLine() const { return FCaption == "-"; }

    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value) { FShortCut = Value; }
    bool Checked() const { return FChecked; }
    // Checking a radio item unchecks the radio items of its group beside it.
    void SetChecked(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    std::uint8_t GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(std::uint8_t Value);
    // A click toggles Checked (a radio item only checks itself).
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }

    const TNotifyEvent& OnClick() const { return FOnClick; }
    void SetOnClick(TNotifyEvent Value) { FOnClick = std::move(Value); }
    // What choosing the item does: nothing when disabled, else the auto check and OnClick.
    virtual void Click();

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int Index) const { return FItems.at(Index); }
    int IndexOf(const TMenuItem* Item) const;
    TMenuItem* Parent() const { return FParent; }
    // The item moves out of a parent it had before. Adding an item to itself or to one of
    // its own descendants fails with EInvalidOperation.
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    void Remove(TMenuItem* Item);
    // The enabled, visible item of this subtree (this item excluded) whose shortcut is
    // Value, reached through enabled, visible parents; null when none.
    TMenuItem* FindShortCut(TShortCut Value) const;

private:
    void TurnSiblingsOff();

    AnsiString FCaption;
    TShortCut FShortCut = scNone;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FRadioItem = false;
    std::uint8_t FGroupIndex = 0;
    bool FAutoCheck = false;
    TNotifyEvent FOnClick;
    TMenuItem* FParent = nullptr;
    std::vector<TMenuItem*> FItems;
};

// How a menu assigns access keys. Captions are shown as written in every mode.
enum TMenuAutoFlag : std::uint8_t { maAutomatic, maManual, maParent };

// A menu that opens at a point, typically on a right click of a control or form.
class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);
    AnsiString ClassName() const override { return "TPopupMenu"; }

    // The invisible root item whose children are the menu's entries.
    TMenuItem* Items() const { return FItems; }

    TMenuAutoFlag AutoHotkeys() const { return FAutoHotkeys; }
    void SetAutoHotkeys(TMenuAutoFlag Value) { FAutoHotkeys = Value; }
    // Whether a right click opens the menu by itself.
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    // The control whose right click opened the menu last; null when it went away.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* Value) { FPopupComponent = Value; }
    // The screen point of the last Popup.
    TPoint PopupPoint() const { return FPopupPoint; }

    const TNotifyEvent& OnPopup() const { return FOnPopup; }
    void SetOnPopup(TNotifyEvent Value) { FOnPopup = std::move(Value); }

    // Fires OnPopup, shows the menu at the screen point through the host and, once the menu
    // has closed, clicks the item chosen (if any).
    virtual void Popup(int X, int Y);
    // Clicks the item whose shortcut the key makes (see TMenuItem::FindShortCut); true
    // when there was one.
    bool IsShortCut(std::uint16_t Key, TShiftState Shift);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TMenuItem* FItems;
    TMenuAutoFlag FAutoHotkeys = maAutomatic;
    bool FAutoPopup = true;
    TComponent* FPopupComponent = nullptr;
    TPoint FPopupPoint;
    TNotifyEvent FOnPopup;
};

// What the controls and forms call: open Menu at a screen point, offer it a key.
void PopupMenuAt(TPopupMenu* Menu, TPoint Screen);
bool IsShortCut(TPopupMenu* Menu, std::uint16_t Key, TShiftState Shift);

// Nests a menu item read from a form description into the item or popup menu around it;
// false when Child is no menu item or Enclosing no menu, so the caller tries other rules.
bool MenuParentHook(TComponent* Child, TComponent* Enclosing);
