#include "platform/base/MultiByte.h"

#include <gtest/gtest.h>

namespace {

// "a", "あ" (three bytes), "b".
const AnsiString Mixed = "a\xE3\x81\x82"
                         "b";

TEST(MultiByte, ByteTypeCountsFromOne) {
    EXPECT_EQ(ByteType(Mixed, 1), mbSingleByte);
    EXPECT_EQ(ByteType(Mixed, 2), mbLeadByte);
    EXPECT_EQ(ByteType(Mixed, 3), mbTrailByte);
    EXPECT_EQ(ByteType(Mixed, 4), mbTrailByte);
    EXPECT_EQ(ByteType(Mixed, 5), mbSingleByte);
    EXPECT_EQ(ByteType(Mixed, 0), mbSingleByte);
    EXPECT_EQ(ByteType(Mixed, 6), mbSingleByte);
}

TEST(MultiByte, CharCountSkipsTrailBytes) {
    struct Case {
        const char* Text;
        std::size_t Count;
    } cases[] = {{"", 0},    {"abc", 3},    {"ピコラム", 4},
                 {"①②③", 3}, {"Ａ-a 😀", 5}, {"右クリックで", 6}};
    for (const Case& c : cases)
        EXPECT_EQ(CharCount(AnsiString(c.Text)), c.Count) << c.Text;
}

TEST(MultiByte, SplitPointsMoveToTheEndOfTheCharacter) {
    std::size_t expected[] = {0, 1, 4, 4, 4, 5};
    for (std::size_t offset = 0; offset <= Mixed.size(); ++offset)
        EXPECT_EQ(CharEndOffset(Mixed.data(), Mixed.size(), offset), expected[offset]) << offset;
    EXPECT_EQ(NextCharOffset(Mixed.data(), Mixed.size(), 0), 1u);
    EXPECT_EQ(NextCharOffset(Mixed.data(), Mixed.size(), 1), 4u);
    EXPECT_EQ(NextCharOffset(Mixed.data(), Mixed.size(), 4), 5u);
    EXPECT_EQ(NextCharOffset(Mixed.data(), Mixed.size(), 5), 5u);
    // A character cut off by the end of the text is not read past it.
    const char cut[] = "\xE3\x81";
    EXPECT_EQ(NextCharOffset(cut, 2, 0), 2u);
    EXPECT_EQ(CharEndOffset(cut, 2, 1), 2u);
}

TEST(MultiByte, DecodesAndEncodesCodePoints) {
    for (char32_t code : {U'A', U'é', U'あ', U'①', U'😀'}) {
        AnsiString s = EncodeChar(code);
        EXPECT_EQ(DecodeChar(s.data(), s.size(), 0), code) << static_cast<unsigned>(code);
        EXPECT_EQ(CharCount(s), 1u);
    }
    EXPECT_EQ(EncodeChar(U'あ'), "あ");
    // A lead byte without its trail bytes stands for itself.
    EXPECT_EQ(DecodeChar("\xE3"
                         "a",
                         2, 0),
              0xE3u);
}

TEST(MultiByte, IsAccelFindsTheCharacterAfterTheLastSingleAmpersand) {
    struct Case {
        char32_t Key;
        const char* Caption;
        bool Accel;
    } cases[] = {
        {U'S', "&Save", true},
        {U's', "&Save", true},
        {U'S', "&save", true},
        {U'A', "&Save", false},
        {U'S', "Save", false},
        {U'L', "Save && Load", false},
        {U' ', "Save && Load", false},
        {U'L', "Save && &Load", true},
        {U'S', "&File &Save", true},
        {U'F', "&File &Save", false},
        {U'S', "&&&Save", true},
        {U'S', "Save&", false},
        {U'S', "", false},
        {U'S', "保存(&S)...", true},
        {U'N', "数字/英語の割り振り(&N)", true},
        {U'あ', "&あいう", true},
        {U'い', "&あいう", false},
        {U'Ａ', "&ａ", false}, // only ASCII letters ignore case
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsAccel(c.Key, c.Caption), c.Accel)
            << c.Caption << " key " << static_cast<unsigned>(c.Key);
}

TEST(MultiByte, CaseRulesTouchOnlyAsciiLetters) {
    EXPECT_EQ(LowerCase("ABC xyZ .JPG あＡ"), "abc xyz .jpg あＡ");
    EXPECT_EQ(AnsiCompareText(".JPG", ".jpg"), 0);
    EXPECT_EQ(AnsiCompareText(".jpeg", ".JPEG"), 0);
    EXPECT_LT(AnsiCompareText("abc", "ABD"), 0);
    EXPECT_GT(AnsiCompareText("b", "A"), 0);
    EXPECT_NE(AnsiCompareText(".bmp", ".jpg"), 0);
}

} // namespace
