#include "examples/gallery/TextImage.h"

#include "platform/base/Exceptions.h"

#include <gtest/gtest.h>

TEST(TextImage, ReadsSizePaletteAndRows) {
    std::unique_ptr<TBitmap> image = LoadTextImage("3 2 2\n"
                                                   ". #FF0000\n"
                                                   "X #0000FF\n"
                                                   ".X.\r\n"
                                                   "XX.\n");
    ASSERT_EQ(image->Width(), 3);
    ASSERT_EQ(image->Height(), 2);
    EXPECT_EQ(image->PixelFormat(), pf32bit);
    EXPECT_EQ(image->GetPixel(0, 0), clRed);
    EXPECT_EQ(image->GetPixel(1, 0), clBlue);
    EXPECT_EQ(image->GetPixel(0, 1), clBlue);
    EXPECT_EQ(image->GetPixel(2, 1), clRed);
}

TEST(TextImage, RefusesMalformedText) {
    const char* const broken[] = {
        "",
        "x 2 1\n. #000000\n..\n..\n",
        "2 2 1\n. #000000\n..\n",                // a row missing
        "2 2 1\n. #00000\n..\n..\n",             // a short colour
        "2 2 1\n. #000000\n..\n.X\n",            // a letter without a colour
        "2 2 1\n. #000000\n...\n..\n",           // a row too long
        "2 2 2\n. #000000\n. #FFFFFF\n..\n..\n", // a letter twice
        "5000 1 1\n. #000000\n.\n",              // far too large
    };
    for (const char* text : broken)
        EXPECT_THROW(LoadTextImage(text), EConvertError) << text;
}
