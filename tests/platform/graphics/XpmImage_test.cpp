#include "platform/graphics/XpmImage.h"

#include "platform/base/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(XpmImage, ReadsColoursRowsAndSeeThroughPixels) {
    const char* text = R"(/* XPM */
/* "a comment with quotes" */
static const char* x[] = {
"3 2 3 2",
".. c None",
"aa c #FF0000",
"bb c #0000ff",
"aabb..",
"..aabb",
};)";
    TBitmap bitmap;
    LoadXpm(bitmap, text);
    ASSERT_EQ(bitmap.Width(), 3);
    ASSERT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
    EXPECT_EQ(bitmap.GetPixel(0, 0), clRed);
    EXPECT_EQ(bitmap.GetPixel(1, 0), clBlue);
    EXPECT_EQ(bitmap.GetPixel(2, 0), clFuchsia);
    EXPECT_EQ(bitmap.GetPixel(0, 1), clFuchsia);
    EXPECT_TRUE(bitmap.Transparent());
    EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);
}

TEST(XpmImage, RejectsMalformedText) {
    const char* cases[] = {
        "",
        R"("2 1 1 1", "a c #000000", "a")",     // row too short
        R"("1 1 1 1", "a c #000000", "b")",     // unknown key
        R"("1 2 1 1", "a c #000000", "a")",     // missing row
        R"("1 1 1 1", "a c chartreuse?", "a")", // unknown colour
        R"("0 1 1 1", "a c #000000", "")",      // no width
        R"("1 1 1 1", "a c #000000", "a)",      // unterminated string
    };
    for (const char* text : cases) {
        TBitmap bitmap;
        EXPECT_THROW(LoadXpm(bitmap, text), EInvalidGraphic) << text;
        EXPECT_TRUE(bitmap.Empty()) << text;
    }
}

} // namespace
