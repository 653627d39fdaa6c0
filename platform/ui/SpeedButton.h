#pragma once

#include "platform/ui/GraphicControl.h"

#include <cstdint>
#include <memory>

class TBitmap;

enum TButtonLayout : std::uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// bsExclusive: held down in its group.
enum TButtonState : std::uint8_t { bsUp, bsDisabled, bsDown, bsExclusive };

// A windowless push button that can latch down in a group of buttons of the same parent.
//
// Groups: buttons of one parent with the same non-zero GroupIndex. Only one of them is down
// at a time; with AllowAllUp a click on the down button releases it, without it the down
// button stays down until a sibling goes down. A button tells its siblings by broadcasting
// CM_BUTTONPRESSED (WParam = GroupIndex, LParam = the button) to its parent's children when
// its GroupIndex or AllowAllUp changes and when it goes down. A button that hears it from
// another sender of its group goes up when both are down, and adopts the sender's
// AllowAllUp. The sender is read as a TSpeedButton (Down, AllowAllUp).
//
// A left press shows the button pressed while the pointer stays over it; the release over
// it toggles Down under the group rules and then clicks (OnClick).
class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;
    AnsiString ClassName() const override { return "TSpeedButton"; }

    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    // Always false outside a group; see the group rules above.
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    // A flat button shows its frame only while the pointer is over it or it is down.
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    // Owned; SetGlyph copies. Its bottom-left colour is left out when drawn.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    // Pixels between the edge and the content; -1 centres the content.
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    // Pixels between the glyph and the caption; -1 spreads the space evenly.
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);

    TButtonState State() const { return FState; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;

private:
    // Tells the group (see above).
    void UpdateExclusive();
    void UpdateTracking();
    void CMButtonPressed(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void GlyphChanged(TObject* Sender);
    bool Inside(int X, int Y) const;

    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FFlat = false;
    std::unique_ptr<TBitmap> FGlyph;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    TButtonState FState = bsUp;
    bool FDragging = false;
    bool FMouseInControl = false;
};
