#include "platform/graphics/TextEngine.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

const char* const IpaPGothic = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";

AnsiString FileName(const AnsiString& Path) {
    return Path.substr(Path.rfind('/') + 1);
}

// What fontconfig's own rules pick for a name, with the system's configuration.
AnsiString FontconfigChoice(const char* Name) {
    FcConfig* config = FcInitLoadConfigAndFonts();
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(Name));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    AnsiString file;
    FcChar8* path = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
        file = reinterpret_cast<const char*>(path);
    if (match != nullptr)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return file;
}

std::unique_ptr<TFont> Font(const char* Name, int Height, TFontStyles Style = 0) {
    auto font = std::make_unique<TFont>();
    font->SetName(Name);
    font->SetHeight(Height);
    font->SetStyle(Style);
    return font;
}

} // namespace

TEST(TextEngine, DesktopFontNamesResolveToIpaFontsWhateverFontconfigSays) {
    struct Case {
        const char* name;
        const char* file;
    };
    for (Case c : {Case{"ＭＳ Ｐゴシック", "ipagp.ttf"}, Case{"MS PGothic", "ipagp.ttf"},
                   Case{"ＭＳ ゴシック", "ipag.ttf"}, Case{"MS Gothic", "ipag.ttf"},
                   Case{"", "ipagp.ttf"}}) {
        for (bool bold : {false, true}) {
            TFontFile file = FindFontFile(c.name, bold, false);
            EXPECT_EQ(FileName(file.Path), c.file) << c.name << (bold ? " bold" : "");
            EXPECT_FALSE(file.HasBold) << c.name; // the IPA fonts have no bold face
        }
    }
    // The reason for the table: fontconfig's rules send these names to a Latin face.
    EXPECT_NE(FontconfigChoice("ＭＳ Ｐゴシック"), IpaPGothic);
    EXPECT_NE(FontconfigChoice("MS PGothic"), IpaPGothic);
}

TEST(TextEngine, OtherNamesGoThroughFontconfigWithJapaneseFallback) {
    EXPECT_EQ(FindFontFile("IPAPGothic", false, false).Path, IpaPGothic);
    // An unknown name still ends on a face that has Japanese glyphs.
    TFontFile unknown = FindFontFile("No Such Font Family", false, false);
    TTextFace face(unknown, 12, false, false);
    EXPECT_GT(face.Advance(U'あ'), 0);
    EXPECT_FALSE(face.Glyph(U'あ', true).Coverage.empty());
}

TEST(TextEngine, IpaPGothicMetricsInWholePixels) {
    struct Case {
        int em, ascent, descent, circledOne, fullwidthA, smallA;
    };
    for (Case c : {Case{21, 19, 3, 21, 15, 12}, Case{12, 11, 2, 12, 9, 7}}) {
        TTextFace& face = FaceForFont(*Font("ＭＳ Ｐゴシック", -c.em));
        EXPECT_EQ(face.EmPixels(), c.em);
        EXPECT_EQ(face.Ascent(), c.ascent) << c.em;
        EXPECT_EQ(face.Descent(), c.descent) << c.em;
        EXPECT_EQ(face.Height(), c.ascent + c.descent) << c.em;
        EXPECT_EQ(face.Advance(U'①'), c.circledOne) << c.em;
        EXPECT_EQ(face.Advance(U'Ａ'), c.fullwidthA) << c.em;
        EXPECT_EQ(face.Advance(U'a'), c.smallA) << c.em;
        EXPECT_EQ(RunWidth(face, "①Ａa"), c.circledOne + c.fullwidthA + c.smallA);
    }
}

TEST(TextEngine, PositiveHeightIsTheCellHeight) {
    struct Case {
        int height, em;
    };
    for (Case c : {Case{13, 12}, Case{22, 21}, Case{300, 299}}) {
        TTextFace& face = FaceForFont(*Font("ＭＳ Ｐゴシック", c.height));
        EXPECT_EQ(face.EmPixels(), c.em) << c.height;
        EXPECT_EQ(face.Height(), c.height);
        EXPECT_GT(FaceForFont(*Font("ＭＳ Ｐゴシック", -(c.em + 1))).Height(), c.height);
    }
    // No em is smaller than a pixel, nor larger than the cap that keeps glyphs small.
    EXPECT_EQ(FaceForFont(*Font("ＭＳ Ｐゴシック", 1)).EmPixels(), 1);
    EXPECT_EQ(FaceForFont(*Font("ＭＳ Ｐゴシック", -100000)).EmPixels(), 2048);
    EXPECT_LE(FaceForFont(*Font("ＭＳ Ｐゴシック", 100000)).EmPixels(), 2048);
}

TEST(TextEngine, FacesAreCachedByFileSizeAndStyle) {
    TTextFace& a = FaceForFont(*Font("ＭＳ Ｐゴシック", -12));
    EXPECT_EQ(&a, &FaceForFont(*Font("MS PGothic", -12)));
    EXPECT_EQ(&a, &FaceForFont(*Font("ＭＳ Ｐゴシック", 13)));
    EXPECT_NE(&a, &FaceForFont(*Font("ＭＳ Ｐゴシック", -12, fsBold)));
    EXPECT_NE(&a, &FaceForFont(*Font("ＭＳ Ｐゴシック", -13)));
    // Underline and strike-out are drawn, not part of the face.
    EXPECT_EQ(&a, &FaceForFont(*Font("ＭＳ Ｐゴシック", -12, fsUnderline | fsStrikeOut)));
}

TEST(TextEngine, SyntheticBoldWidensEveryAdvanceAndTheInk) {
    TTextFace& regular = FaceForFont(*Font("ＭＳ Ｐゴシック", -12));
    TTextFace& bold = FaceForFont(*Font("ＭＳ Ｐゴシック", -12, fsBold));
    EXPECT_EQ(bold.Weight(), 700);
    EXPECT_EQ(regular.Weight(), 400);
    for (char32_t c : {U'a', U'Ａ', U'①', U'l'})
        EXPECT_EQ(bold.Advance(c), regular.Advance(c) + 1) << static_cast<unsigned>(c);
    auto ink = [](const TTextFace::TGlyph& g) {
        int n = 0;
        for (std::uint8_t v : g.Coverage)
            n += v != 0;
        return n;
    };
    EXPECT_GT(ink(bold.Glyph(U'l', true)), ink(regular.Glyph(U'l', true)));
    EXPECT_EQ(bold.Glyph(U'l', true).Width, regular.Glyph(U'l', true).Width + 1);
}

TEST(TextEngine, SyntheticItalicSlantsTheGlyphsButNotTheAdvances) {
    TTextFace& regular = FaceForFont(*Font("ＭＳ Ｐゴシック", -21));
    TTextFace& italic = FaceForFont(*Font("ＭＳ Ｐゴシック", -21, fsItalic));
    EXPECT_EQ(italic.Advance(U'l'), regular.Advance(U'l'));
    const TTextFace::TGlyph& upright = regular.Glyph(U'l', true);
    const TTextFace::TGlyph& slanted = italic.Glyph(U'l', true);
    EXPECT_GT(slanted.Width, upright.Width);
    // The top row leans right of the bottom row.
    auto firstInk = [](const TTextFace::TGlyph& g, int Row) {
        for (int x = 0; x < g.Width; ++x)
            if (g.Coverage[static_cast<std::size_t>(Row) * g.Width + x] != 0)
                return g.Left + x;
        return -1;
    };
    EXPECT_GT(firstInk(slanted, 0), firstInk(slanted, slanted.Rows - 1));
    EXPECT_EQ(firstInk(upright, 0), firstInk(upright, upright.Rows - 1));
}

TEST(TextEngine, MonoGlyphsAreOneBitAntialiasedOnesAreNot) {
    TTextFace& face = FaceForFont(*Font("ＭＳ Ｐゴシック", -21));
    bool partial = false;
    for (std::uint8_t v : face.Glyph(U'あ', true).Coverage)
        EXPECT_TRUE(v == 0 || v == 255);
    for (std::uint8_t v : face.Glyph(U'あ', false).Coverage)
        partial = partial || (v != 0 && v != 255);
    EXPECT_TRUE(partial);
}

TEST(TextEngine, CharactersCutByTheEndOfTheRunAreLeftOut) {
    std::string text = "a①"; // the circled one is three bytes
    std::vector<char32_t> seen;
    ForEachChar(std::string_view(text).substr(0, 3),
                [&](std::size_t, std::size_t, char32_t Code) { seen.push_back(Code); });
    EXPECT_EQ(seen, std::vector<char32_t>{U'a'});
    seen.clear();
    ForEachChar("\xE2x\x80",
                [&](std::size_t, std::size_t, char32_t Code) { seen.push_back(Code); });
    EXPECT_EQ(seen, (std::vector<char32_t>{0xFFFD, U'x', 0xFFFD}));
    TTextFace& face = FaceForFont(*Font("ＭＳ Ｐゴシック", -12));
    EXPECT_EQ(RunWidth(face, std::string_view(text).substr(0, 3)), face.Advance(U'a'));
}

TEST(TextEngine, TabsMoveToTheNextStop) {
    TTextFace& face = FaceForFont(*Font("ＭＳ Ｐゴシック", -12));
    int a = face.Advance(U'a');
    EXPECT_EQ(RunWidth(face, "a\tb", 0), a + face.Advance(U'b'));
    EXPECT_EQ(RunWidth(face, "a\tb", 48), 48 + face.Advance(U'b'));
    EXPECT_EQ(RunWidth(face, "\t", 48), 48);
    EXPECT_EQ(RunWidth(face, "\t\t", 48), 96);
}
