#pragma once

#include "platform/base/Events.h"
#include "platform/base/Object.h"
#include "platform/graphics/Color.h"

enum TFontStyle : std::uint8_t {
    fsBold = 1 << 0,
    fsItalic = 1 << 1,
    fsUnderline = 1 << 2,
    fsStrikeOut = 1 << 3,
};
using TFontStyles = std::uint8_t;

enum TFontQuality : std::uint8_t {
    fqDefault,
    fqDraft,
    fqProof,
    fqNonAntialiased,
    fqAntialiased,
    fqClearType,
    fqClearTypeNatural,
};

using TFontCharset = std::uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SHIFTJIS_CHARSET = 128;

// A font request. A negative Height is the character height in pixels (the em size), a
// positive one the cell height including internal leading. Size is in points at 96 dpi.
class TFont : public TPersistent {
public:
    TFont();
    AnsiString ClassName() const override { return "TFont"; }
    void Assign(TPersistent* Source) override;

    const AnsiString& Name() const { return FName; }
    void SetName(const AnsiString& Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    int Size() const;
    void SetSize(int Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset Value);
    // fqNonAntialiased draws one-colour glyphs; tests use it to compare exact pixels.
    TFontQuality Quality() const { return FQuality; }
    void SetQuality(TFontQuality Value);

    const TNotifyEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

private:
    void Changed();

    AnsiString FName;
    int FHeight;
    TFontStyles FStyle = 0;
    TColor FColor;
    TFontCharset FCharset = DEFAULT_CHARSET;
    TFontQuality FQuality = fqDefault;
    TNotifyEvent FOnChange;
};
