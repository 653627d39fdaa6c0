#include "platform/graphics/TextEngine.h"

#include "platform/base/Exceptions.h"
#include "platform/base/MultiByte.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PixelRow.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

namespace {

// The library and the fontconfig configuration live for the whole run. The configuration
// is our own, so another part of the process (the windowing toolkit) keeps its own.
struct TEngine {
    FT_Library Library = nullptr;
    FcConfig* Config = nullptr;

    TEngine() {
        if (FT_Init_FreeType(&Library) != 0)
            throw EOutOfResources("FreeType を初期化できません");
        Config = FcInitLoadConfigAndFonts();
        if (Config == nullptr)
            throw EOutOfResources("fontconfig を初期化できません");
    }
    ~TEngine() {
        FcConfigDestroy(Config);
        FT_Done_FreeType(Library);
    }
    TEngine(const TEngine&) = delete;
    TEngine& operator=(const TEngine&) = delete;
};

TEngine& Engine() {
    static TEngine engine;
    return engine;
}

struct TPatternDeleter {
    void operator()(FcPattern* P) const { FcPatternDestroy(P); }
};
struct TFontSetDeleter {
    void operator()(FcFontSet* S) const { FcFontSetDestroy(S); }
};
struct TObjectSetDeleter {
    void operator()(FcObjectSet* S) const { FcObjectSetDestroy(S); }
};
using TPattern = std::unique_ptr<FcPattern, TPatternDeleter>;

bool IsBoldWeight(int Weight) {
    return Weight >= FC_WEIGHT_DEMIBOLD;
}
bool IsItalicSlant(int Slant) {
    return Slant != FC_SLANT_ROMAN;
}

std::optional<TFontFile> FileOfPattern(FcPattern* P) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(P, FC_FILE, 0, &file) != FcResultMatch)
        return std::nullopt;
    TFontFile result;
    result.Path = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(P, FC_INDEX, 0, &result.Index);
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(P, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(P, FC_SLANT, 0, &slant);
    result.HasBold = IsBoldWeight(weight);
    result.HasItalic = IsItalicSlant(slant);
    return result;
}

// The installed scalable face that best fits the style among those the pattern selects
// (a family, or a language). Read from the font list, not through the match rules, so no
// configuration can move it elsewhere. Ties go to the family name, then to the path, so the
// choice does not depend on the order of the font cache.
std::optional<TFontFile> ListedFont(const char* Object, const char* Value, bool Bold, bool Italic) {
    TPattern pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), Object, reinterpret_cast<const FcChar8*>(Value));
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    std::unique_ptr<FcObjectSet, TObjectSetDeleter> objects(
        FcObjectSetBuild(FC_FAMILY, FC_FILE, FC_INDEX, FC_WEIGHT, FC_SLANT, nullptr));
    std::unique_ptr<FcFontSet, TFontSetDeleter> fonts(
        FcFontList(Engine().Config, pattern.get(), objects.get()));
    if (!fonts)
        return std::nullopt;
    using TRank = std::tuple<int, int, std::string, std::string>;
    std::optional<TRank> bestRank;
    std::optional<TFontFile> best;
    for (int i = 0; i < fonts->nfont; ++i) {
        std::optional<TFontFile> file = FileOfPattern(fonts->fonts[i]);
        if (!file)
            continue;
        FcChar8* family = nullptr;
        FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family);
        TRank rank{file->HasBold != Bold, file->HasItalic != Italic,
                   family != nullptr ? reinterpret_cast<const char*>(family) : "", file->Path};
        if (!bestRank || rank < *bestRank) {
            bestRank = rank;
            best = file;
        }
    }
    return best;
}

// Any other name: fontconfig's own matching, asked for Japanese coverage, so an unknown name
// ends on a Japanese face rather than a Latin one.
std::optional<TFontFile> MatchedFont(const AnsiString& Name, bool Bold, bool Italic) {
    TPattern pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(Name.c_str()));
    FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(Engine().Config, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    TPattern match(FcFontMatch(Engine().Config, pattern.get(), &result));
    if (!match)
        return std::nullopt;
    return FileOfPattern(match.get());
}

struct TSubstitution {
    const char* Name;
    std::vector<const char*> Families;
};

const std::vector<TSubstitution>& Substitutions() {
    static const std::vector<TSubstitution> table{
        {"ＭＳ Ｐゴシック", {"IPAPGothic", "Noto Sans CJK JP"}},
        {"MS PGothic", {"IPAPGothic", "Noto Sans CJK JP"}},
        {"ＭＳ ゴシック", {"IPAGothic", "Noto Sans Mono CJK JP"}},
        {"MS Gothic", {"IPAGothic", "Noto Sans Mono CJK JP"}},
    };
    return table;
}

// Rounds a 26.6 value to whole pixels.
int Round26(FT_Pos Value) {
    return static_cast<int>((Value + 32) >> 6);
}

// Font units to whole pixels at the face's current size.
int UnitsToPixels(FT_Face Face, FT_Long Units) {
    return Round26(FT_MulFix(Units, Face->size->metrics.y_scale));
}

bool IsControl(char32_t Code) {
    return Code < 0x20 || Code == 0x7F;
}

} // namespace

TFontFile FindFontFile(const AnsiString& Name, bool Bold, bool Italic) {
    const AnsiString& name = Name.empty() ? AnsiString("ＭＳ Ｐゴシック") : Name;
    for (const TSubstitution& s : Substitutions()) {
        if (name != s.Name)
            continue;
        for (const char* family : s.Families)
            if (std::optional<TFontFile> file = ListedFont(FC_FAMILY, family, Bold, Italic))
                return *file;
        if (std::optional<TFontFile> file = ListedFont(FC_LANG, "ja", Bold, Italic))
            return *file;
    }
    if (std::optional<TFontFile> file = MatchedFont(name, Bold, Italic))
        return *file;
    if (std::optional<TFontFile> file = ListedFont(FC_LANG, "ja", Bold, Italic))
        return *file;
    throw EOutOfResources("フォント " + name + " が見つかりません");
}

struct TTextFace::TFaceRec {
    FT_Face Face = nullptr;
    ~TFaceRec() {
        if (Face != nullptr)
            FT_Done_Face(Face);
    }
};

TTextFace::TTextFace(const TFontFile& File, int EmPixels, bool Bold, bool Italic)
    : FFace(std::make_unique<TFaceRec>()), FEmPixels(std::max(1, EmPixels)), FBold(Bold),
      FSynthBold(Bold && !File.HasBold), FSynthItalic(Italic && !File.HasItalic) {
    if (FT_New_Face(Engine().Library, File.Path.c_str(), File.Index, &FFace->Face) != 0) {
        FFace->Face = nullptr;
        throw EOutOfResources("フォント " + File.Path + " を開けません");
    }
    FT_Face face = FFace->Face;
    if (FT_Set_Pixel_Sizes(face, 0, FEmPixels) != 0)
        throw EOutOfResources("フォント " + File.Path + " の大きさを設定できません");
    // FreeType rounds the ascender up and the descender down to whole pixels.
    FAscent = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
    FDescent = static_cast<int>((-face->size->metrics.descender + 63) >> 6);
    FExternalLeading =
        std::max(0, UnitsToPixels(face, face->height - (face->ascender - face->descender)));
    // Synthetic bold widens each glyph by whole pixels, about a 24th of the em.
    if (FSynthBold)
        FBoldExtra = std::max(1, static_cast<int>(std::lround(FEmPixels / 24.0)));
    FMaxCharWidth = UnitsToPixels(face, face->max_advance_width) + FBoldExtra;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    FAveCharWidth = os2 != nullptr && os2->xAvgCharWidth > 0
                        ? UnitsToPixels(face, os2->xAvgCharWidth) + FBoldExtra
                        : Advance('x');

    FUnderlineThickness = std::max(1, UnitsToPixels(face, face->underline_thickness));
    FUnderlineOffset =
        UnitsToPixels(face, -face->underline_position - face->underline_thickness / 2);
    // The underline stays inside the cell, below the baseline.
    FUnderlineOffset = std::clamp(FUnderlineOffset, 0, std::max(0, FDescent - FUnderlineThickness));
    if (os2 != nullptr && os2->yStrikeoutSize > 0) {
        FStrikeOutThickness = std::max(1, UnitsToPixels(face, os2->yStrikeoutSize));
        FStrikeOutOffset = -UnitsToPixels(face, os2->yStrikeoutPosition);
    } else {
        FStrikeOutThickness = FUnderlineThickness;
        FStrikeOutOffset = -std::max(1, FAscent / 3);
    }
}

TTextFace::~TTextFace() = default;

int TTextFace::Advance(char32_t Code) {
    if (IsControl(Code))
        return 0;
    auto it = FAdvances.find(Code);
    if (it != FAdvances.end())
        return it->second;
    FT_Face face = FFace->Face;
    FT_Fixed advance = 0;
    // Unhinted, so measuring does not depend on the rendering mode.
    FT_Get_Advance(face, FT_Get_Char_Index(face, Code), FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP,
                   &advance);
    int pixels = static_cast<int>((advance + 0x8000) >> 16) + FBoldExtra;
    FAdvances.emplace(Code, pixels);
    return pixels;
}

const TTextFace::TGlyph& TTextFace::Glyph(char32_t Code, bool Mono) {
    auto key = std::make_pair(Code, Mono);
    auto it = FGlyphs.find(key);
    if (it != FGlyphs.end())
        return it->second;
    TGlyph glyph;
    if (!IsControl(Code)) {
        FT_Face face = FFace->Face;
        FT_Int32 flags = FT_LOAD_NO_BITMAP | (Mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_LIGHT);
        if (FT_Load_Glyph(face, FT_Get_Char_Index(face, Code), flags) == 0 &&
            face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
            FT_GlyphSlot slot = face->glyph;
            if (FSynthItalic)
                FT_GlyphSlot_Oblique(slot);
            if (FSynthBold)
                FT_Outline_EmboldenXY(&slot->outline, FBoldExtra * 64, 0);
            if (FT_Render_Glyph(slot, Mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) == 0) {
                const FT_Bitmap& bitmap = slot->bitmap;
                glyph.Left = slot->bitmap_left;
                glyph.Top = slot->bitmap_top;
                glyph.Width = static_cast<int>(bitmap.width);
                glyph.Rows = static_cast<int>(bitmap.rows);
                glyph.Coverage.resize(static_cast<std::size_t>(glyph.Width) * glyph.Rows);
                for (int y = 0; y < glyph.Rows; ++y) {
                    const unsigned char* row = bitmap.buffer + y * bitmap.pitch;
                    std::uint8_t* out = glyph.Coverage.data() + y * glyph.Width;
                    for (int x = 0; x < glyph.Width; ++x)
                        out[x] = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                     ? ((row[x >> 3] & (0x80 >> (x & 7))) != 0 ? 255 : 0)
                                     : row[x];
                }
            }
        }
    }
    return FGlyphs.emplace(key, std::move(glyph)).first->second;
}

namespace {

// The part of a rectangle (drawing coordinates, wide so no sum overflows) that the target
// may change, in bitmap coordinates.
TRect TargetArea(const TTextTarget& Target, long long Left, long long Top, long long Right,
                 long long Bottom) {
    TRect limit =
        IntersectRect(Target.Clip, Rect(0, 0, Target.Bitmap->Width(), Target.Bitmap->Height()));
    auto clamp = [](long long V, int Low, int High) {
        return static_cast<int>(std::clamp<long long>(V, Low, High));
    };
    TRect area{clamp(Left + Target.Origin.X, limit.Left, limit.Right),
               clamp(Top + Target.Origin.Y, limit.Top, limit.Bottom),
               clamp(Right + Target.Origin.X, limit.Left, limit.Right),
               clamp(Bottom + Target.Origin.Y, limit.Top, limit.Bottom)};
    return IsRectEmpty(area) ? TRect{} : area;
}

template <TRowLayout L> void BlendRow(std::uint8_t* Row, int X, TColor Rgb, int Coverage) {
    if (Coverage <= 0)
        return;
    if constexpr (L == TRowLayout::Mono) {
        if (Coverage >= 128)
            WritePixel<L>(Row, X, Rgb);
    } else {
        if (Coverage >= 255) {
            WritePixel<L>(Row, X, Rgb);
            return;
        }
        TColor under = ReadPixel<L>(Row, X);
        auto mix = [Coverage](unsigned Over, unsigned Under) {
            return static_cast<std::uint8_t>((Over * Coverage + Under * (255 - Coverage) + 127) /
                                             255);
        };
        WritePixel<L>(Row, X,
                      RGB(mix(GetRValue(Rgb), GetRValue(under)),
                          mix(GetGValue(Rgb), GetGValue(under)),
                          mix(GetBValue(Rgb), GetBValue(under))));
    }
}

} // namespace

void TTextFace::DrawChar(const TTextTarget& Target, long long X, long long Baseline, char32_t Code,
                         TColor Rgb, bool Mono) {
    if (Target.Bitmap == nullptr || Target.Bitmap->Empty())
        return;
    const TGlyph& glyph = Glyph(Code, Mono);
    if (glyph.Width == 0 || glyph.Rows == 0)
        return;
    long long left = X + glyph.Left + Target.Origin.X;
    long long top = Baseline - glyph.Top + Target.Origin.Y;
    TRect area =
        TargetArea(Target, left - Target.Origin.X, top - Target.Origin.Y,
                   left - Target.Origin.X + glyph.Width, top - Target.Origin.Y + glyph.Rows);
    if (IsRectEmpty(area))
        return;
    // Glyph coordinates of the area's corner.
    auto gx = static_cast<int>(area.Left - left);
    auto gy = static_cast<int>(area.Top - top);
    WithRowLayout(Target.Bitmap->PixelFormat(), [&](auto Tag) {
        constexpr TRowLayout L = decltype(Tag)::value;
        for (int y = area.Top; y < area.Bottom; ++y) {
            std::uint8_t* row = Target.Bitmap->ScanLine(y);
            const std::uint8_t* coverage =
                glyph.Coverage.data() + static_cast<std::size_t>(gy + y - area.Top) * glyph.Width;
            for (int x = area.Left; x < area.Right; ++x)
                BlendRow<L>(row, x, Rgb, coverage[gx + x - area.Left]);
        }
    });
}

namespace {

void FillArea(const TTextTarget& Target, long long Left, long long Top, long long Right,
              long long Bottom, TColor Rgb) {
    if (Target.Bitmap == nullptr || Target.Bitmap->Empty())
        return;
    TRect area = TargetArea(Target, Left, Top, Right, Bottom);
    if (IsRectEmpty(area))
        return;
    WithRowLayout(Target.Bitmap->PixelFormat(), [&](auto Tag) {
        constexpr TRowLayout L = decltype(Tag)::value;
        for (int y = area.Top; y < area.Bottom; ++y) {
            std::uint8_t* row = Target.Bitmap->ScanLine(y);
            for (int x = area.Left; x < area.Right; ++x)
                WritePixel<L>(row, x, Rgb);
        }
    });
}

} // namespace

void FillTextRect(const TTextTarget& Target, const TRect& R, TColor Rgb) {
    FillArea(Target, R.Left, R.Top, R.Right, R.Bottom, Rgb);
}

char32_t DecodeUtf8(std::string_view Text, std::size_t Offset, std::size_t& Length) {
    auto lead = static_cast<unsigned char>(Text[Offset]);
    std::size_t next = NextCharOffset(Text.data(), Text.size(), Offset);
    Length = next - Offset;
    if (!IsLeadByte(lead))
        return lead < 0x80 ? lead : 0xFFFD;
    std::size_t wanted = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (Length < wanted) {
        if (next == Text.size()) {
            Length = 0; // cut off by the end of the run
            return 0;
        }
        return 0xFFFD;
    }
    return DecodeChar(Text.data(), Text.size(), Offset);
}

namespace {

// Where the pen goes after a character: a tab moves to the next stop after the pen.
int NextPen(TTextFace& Face, int Pen, char32_t Code, int TabWidth) {
    if (Code == '\t' && TabWidth > 0)
        return (Pen / TabWidth + 1) * TabWidth;
    return Pen + Face.Advance(Code);
}

} // namespace

int RunWidth(TTextFace& Face, std::string_view Text, int TabWidth) {
    int pen = 0;
    ForEachChar(Text, [&](std::size_t, std::size_t, char32_t Code) {
        pen = NextPen(Face, pen, Code, TabWidth);
    });
    return pen;
}

void DrawRun(const TTextTarget& Target, TTextFace& Face, int X, int Top, std::string_view Text,
             int TabWidth, TColor Rgb, bool Mono, TFontStyles Style) {
    long long baseline = static_cast<long long>(Top) + Face.Ascent();
    int pen = 0;
    ForEachChar(Text, [&](std::size_t, std::size_t, char32_t Code) {
        Face.DrawChar(Target, static_cast<long long>(X) + pen, baseline, Code, Rgb, Mono);
        pen = NextPen(Face, pen, Code, TabWidth);
    });
    if ((Style & fsUnderline) != 0)
        DrawUnderline(Target, Face, X, Top, pen, Rgb);
    if ((Style & fsStrikeOut) != 0) {
        long long y = baseline + Face.StrikeOutOffset();
        FillArea(Target, X, y, static_cast<long long>(X) + pen, y + Face.StrikeOutThickness(), Rgb);
    }
}

void DrawUnderline(const TTextTarget& Target, TTextFace& Face, int X, int Top, int Width,
                   TColor Rgb) {
    FillTextRect(
        Target,
        Bounds(X, Top + Face.Ascent() + Face.UnderlineOffset(), Width, Face.UnderlineThickness()),
        Rgb);
}

namespace {

constexpr int MaxEmPixels = 2048;

// Made after the engine, so destroyed before it: faces go before their library.
struct TFaceCache {
    TFaceCache() { Engine(); }
    // Faces by file, em size and style.
    std::map<std::tuple<AnsiString, int, int, bool, bool>, std::unique_ptr<TTextFace>> Faces;
    // Font files by requested name and style.
    std::map<std::tuple<AnsiString, bool, bool>, TFontFile> Files;
    // The em size a positive (cell) height stands for, by file.
    std::map<std::tuple<AnsiString, int, int, bool, bool>, int> CellEms;

    TTextFace& Face(const TFontFile& File, int Em, bool Bold, bool Italic) {
        auto key = std::make_tuple(File.Path, File.Index, Em, Bold, Italic);
        auto it = Faces.find(key);
        if (it == Faces.end())
            it = Faces.emplace(key, std::make_unique<TTextFace>(File, Em, Bold, Italic)).first;
        return *it->second;
    }
};

TFaceCache& Cache() {
    static TFaceCache cache;
    return cache;
}

} // namespace

TTextFace& FaceForFont(const TFont& Font) {
    TFaceCache& cache = Cache();
    bool bold = (Font.Style() & fsBold) != 0;
    bool italic = (Font.Style() & fsItalic) != 0;
    auto fileKey = std::make_tuple(Font.Name(), bold, italic);
    auto found = cache.Files.find(fileKey);
    if (found == cache.Files.end())
        found = cache.Files.emplace(fileKey, FindFontFile(Font.Name(), bold, italic)).first;
    const TFontFile& file = found->second;

    // Sizes beyond the largest em are drawn at the largest: a glyph stays a few megabytes.
    int height = std::clamp(Font.Height(), -MaxEmPixels, MaxEmPixels);
    if (height == 0)
        height = TFont().Height();
    if (height < 0)
        return cache.Face(file, -height, bold, italic);
    // A cell height: the largest em whose ascent plus descent fits in it. The cell grows in
    // proportion to the em, so one probe gives a guess that is off by a pixel at most.
    auto cellKey = std::make_tuple(file.Path, file.Index, height, bold, italic);
    auto em = cache.CellEms.find(cellKey);
    if (em == cache.CellEms.end()) {
        auto cell = [&](int Size) {
            return cache.Face(file, Size, bold, italic).Height();
        };
        long long probe = cell(height);
        int size = std::max(1, static_cast<int>(static_cast<long long>(height) * height / probe));
        while (size > 1 && cell(size) > height)
            --size;
        while (size < MaxEmPixels && cell(size + 1) <= height)
            ++size;
        em = cache.CellEms.emplace(cellKey, size).first;
    }
    return cache.Face(file, em->second, bold, italic);
}
