#include "platform/graphics/Font.h"

#include <gtest/gtest.h>

TEST(Font, DefaultsAreThoseOfTheDesktopFont) {
    TFont font;
    EXPECT_EQ(font.Name(), "ＭＳ Ｐゴシック");
    EXPECT_EQ(font.Height(), -12);
    EXPECT_EQ(font.Size(), 9);
    EXPECT_EQ(font.Color(), clWindowText);
    EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
    EXPECT_EQ(font.Quality(), fqDefault);
    EXPECT_EQ(font.Style(), 0);
}

TEST(Font, SizeAndHeightConvertAtNinetySixDpi) {
    struct Case {
        int size;
        int height;
    };
    for (Case c : {Case{9, -12}, Case{10, -13}, Case{11, -15}, Case{16, -21}, Case{-16, 21}}) {
        TFont font;
        font.SetSize(c.size);
        EXPECT_EQ(font.Height(), c.height) << c.size;
        EXPECT_EQ(font.Size(), c.size) << c.size;
    }
    TFont font;
    font.SetHeight(-21);
    EXPECT_EQ(font.Size(), 16);
    font.SetHeight(-13);
    EXPECT_EQ(font.Size(), 10);
}

TEST(Font, SettersNotifyOnlyOnAChange) {
    TFont font;
    int changes = 0;
    font.SetOnChange([&](TObject* Sender) {
        EXPECT_EQ(Sender, &font);
        ++changes;
    });
    font.SetName("ＭＳ Ｐゴシック");
    font.SetHeight(-12);
    font.SetSize(9);
    font.SetColor(clWindowText);
    font.SetStyle(0);
    font.SetCharset(DEFAULT_CHARSET);
    font.SetQuality(fqDefault);
    EXPECT_EQ(changes, 0);

    font.SetName("MS Gothic");
    font.SetHeight(-16);
    font.SetSize(16);
    font.SetColor(clRed);
    font.SetStyle(fsBold);
    font.SetCharset(SHIFTJIS_CHARSET);
    font.SetQuality(fqNonAntialiased);
    EXPECT_EQ(changes, 7);
}

TEST(Font, AssignCopiesEveryAttributeAndNotifiesOnce) {
    TFont source;
    source.SetName("MS Gothic");
    source.SetHeight(-21);
    source.SetStyle(fsBold | fsUnderline);
    source.SetColor(clBlue);
    source.SetCharset(SHIFTJIS_CHARSET);
    source.SetQuality(fqNonAntialiased);

    TFont font;
    int changes = 0;
    font.SetOnChange([&](TObject*) { ++changes; });
    font.Assign(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(font.Name(), "MS Gothic");
    EXPECT_EQ(font.Height(), -21);
    EXPECT_EQ(font.Style(), fsBold | fsUnderline);
    EXPECT_EQ(font.Color(), clBlue);
    EXPECT_EQ(font.Charset(), SHIFTJIS_CHARSET);
    EXPECT_EQ(font.Quality(), fqNonAntialiased);
}

TEST(Font, AssignFromAnotherClassFails) {
    TFont font;
    TPersistent other;
    EXPECT_ANY_THROW(font.Assign(&other));
    EXPECT_ANY_THROW(font.Assign(nullptr));
}
