#pragma once

#include "platform/base/Types.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

class TBitmap;

// Where text is rendered: a bitmap, the point of the bitmap that stands for (0, 0) of the
// drawing coordinates, and the clip in bitmap coordinates. A target without a bitmap draws
// nothing.
struct TTextTarget {
    TBitmap* Bitmap = nullptr;
    TPoint Origin;
    TRect Clip;
};

// The font file a font name stands for. The names of the desktop's Japanese fonts are
// substituted here, not by fontconfig, whose default rules map them to a Latin face.
struct TFontFile {
    AnsiString Path;
    int Index = 0;
    bool HasBold = false;   // the file's face is itself bold
    bool HasItalic = false; // the file's face is itself italic or oblique
    bool operator==(const TFontFile&) const = default;
};
TFontFile FindFontFile(const AnsiString& Name, bool Bold, bool Italic);

// One face at one pixel size and style, with its metrics in whole pixels. Bold and italic
// missing from the file are synthesised; the emboldening widens every advance, so the
// overhang stays 0.
class TTextFace {
public:
    struct TGlyph {
        int Left = 0; // bitmap offset from the pen position
        int Top = 0;  // bitmap top above the baseline
        int Width = 0;
        int Rows = 0;
        std::vector<std::uint8_t> Coverage; // 0 to 255, Width x Rows
    };

    TTextFace(const TFontFile& File, int EmPixels, bool Bold, bool Italic);
    ~TTextFace();
    TTextFace(const TTextFace&) = delete;
    TTextFace& operator=(const TTextFace&) = delete;

    int EmPixels() const { return FEmPixels; }
    int Ascent() const { return FAscent; }
    int Descent() const { return FDescent; }
    int Height() const { return FAscent + FDescent; }
    int ExternalLeading() const { return FExternalLeading; }
    int AveCharWidth() const { return FAveCharWidth; }
    int MaxCharWidth() const { return FMaxCharWidth; }
    int Weight() const { return FBold ? 700 : 400; }
    // Rows relative to the baseline (positive is below), and thickness in pixels.
    int UnderlineOffset() const { return FUnderlineOffset; }
    int UnderlineThickness() const { return FUnderlineThickness; }
    int StrikeOutOffset() const { return FStrikeOutOffset; }
    int StrikeOutThickness() const { return FStrikeOutThickness; }

    // The advance of one character in whole pixels; control characters take no room.
    int Advance(char32_t Code);
    // The glyph as rendered: one-bit coverage (0 or 255) when Mono, else antialiased.
    const TGlyph& Glyph(char32_t Code, bool Mono);

    // Renders a character with its pen at X and its baseline at Baseline (drawing coordinates).
    void DrawChar(const TTextTarget& Target, long long X, long long Baseline, char32_t Code,
                  TColor Rgb, bool Mono);

private:
    struct TFaceRec;

    std::unique_ptr<TFaceRec> FFace;
    int FEmPixels;
    bool FBold;
    bool FSynthBold;
    bool FSynthItalic;
    int FBoldExtra = 0;
    int FAscent = 0;
    int FDescent = 0;
    int FExternalLeading = 0;
    int FAveCharWidth = 0;
    int FMaxCharWidth = 0;
    int FUnderlineOffset = 0;
    int FUnderlineThickness = 1;
    int FStrikeOutOffset = 0;
    int FStrikeOutThickness = 1;
    std::map<char32_t, int> FAdvances;
    std::map<std::pair<char32_t, bool>, TGlyph> FGlyphs;
};

// The cached face for a font request (name, height, style). A negative height is the em
// size in pixels, a positive one the cell height (ascent plus descent).
TTextFace& FaceForFont(const TFont& Font);

// True when the font asks for one-bit glyphs.
inline bool MonoQuality(const TFont& Font) {
    return Font.Quality() == fqNonAntialiased;
}

// Calls Fn(Offset, Length, Code) for each character of a UTF-8 run. A character cut off by the
// end of the run is left out, never drawn in part; a malformed byte stands as U+FFFD.
template <class F> void ForEachChar(std::string_view Text, F&& Fn);

// A line of text on one baseline. TabWidth is the distance of tab stops in pixels, counted
// from the run's start; 0 makes a tab take no room.
int RunWidth(TTextFace& Face, std::string_view Text, int TabWidth = 0);
// Draws a run with its top left at (X, Top), with the underline and strike-out of Style.
void DrawRun(const TTextTarget& Target, TTextFace& Face, int X, int Top, std::string_view Text,
             int TabWidth, TColor Rgb, bool Mono, TFontStyles Style);
// The underline of Width pixels from X, for a run whose cell top is Top.
void DrawUnderline(const TTextTarget& Target, TTextFace& Face, int X, int Top, int Width,
                   TColor Rgb);

// Paints R (drawing coordinates) in Rgb inside the target's clip: underlines, strike-outs and
// the cell behind opaque text.
void FillTextRect(const TTextTarget& Target, const TRect& R, TColor Rgb);

// The character at Offset and its byte Length; Length 0 when the run ends inside it.
char32_t DecodeUtf8(std::string_view Text, std::size_t Offset, std::size_t& Length);

template <class F> void ForEachChar(std::string_view Text, F&& Fn) {
    std::size_t offset = 0;
    while (offset < Text.size()) {
        std::size_t length = 0;
        char32_t code = DecodeUtf8(Text, offset, length);
        if (length == 0)
            return;
        Fn(offset, length, code);
        offset += length;
    }
}
