#pragma once

#include "platform/ui/GraphicControl.h"

#include <cstdint>

class TWinControl;

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };

// A caption drawn on the parent: 65 by 17 at first, sized to its text (AutoSize), access
// characters shown, opaque (filled with Color) unless Transparent.
//
// With AutoSize the label takes the size of its caption in its font, measured with tabs
// expanded and WordWrap as set (within the current width); with taRightJustify its right
// edge stays where it is, else its left edge. The size follows changes of the caption, the
// font, WordWrap and ShowAccelChar, and is taken once a description has been read.
// Every change of what the label shows repaints it.
class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);
    AnsiString ClassName() const override { return "TCustomLabel"; }

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // "&" underlines the next character and "&&" shows one "&"; false shows them as written.
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    // True leaves the background alone, so what lies beneath shows through.
    bool Transparent() const { return (ControlStyle() & csOpaque) == 0; }
    void SetTransparent(bool Value);
    // The control the label's access key is meant for; cleared when it goes away.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

    void Loaded() override;

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The text as drawn and measured.
    virtual AnsiString GetLabelText() const;
    // Draws (or, with DT_CALCRECT, measures into Rect) the label's text on Canvas() with
    // the label's font and Flags plus DT_NOPREFIX when ShowAccelChar is off; an empty text,
    // or a lone "&" when ShowAccelChar is on, is measured as if a blank followed. A disabled
    // label draws in clBtnHighlight one pixel down and right, then in clBtnShadow.
    virtual void DoDrawText(TRect& Rect, unsigned Flags);
    // Takes the size of the text (AutoSize).
    virtual void AdjustBounds();

private:
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FAutoSize = true;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
    AnsiString ClassName() const override { return "TLabel"; }
};
