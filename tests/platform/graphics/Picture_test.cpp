#include "platform/graphics/Picture.h"

#include "platform/base/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/JpegImage.h"
#include "support/JpegFixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class TPictureFiles : public testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/picture-XXXXXX";
        FDir = mkdtemp(name);
        TJpegFixture fixture;
        fixture.Width = 12;
        fixture.Height = 9;
        fixture.Pixel = [](int x, int y) {
            return PhotoPixel(x, y, 12, 9);
        };
        FJpeg = MakeJpeg(fixture);
        TBitmap bitmap;
        bitmap.SetPixelFormat(pf24bit);
        bitmap.SetSize(5, 3);
        bitmap.SetPixel(1, 1, clRed);
        FBmp = bitmap.SaveToBytes();
    }
    void TearDown() override { std::system(("rm -rf '" + FDir + "'").c_str()); }

    AnsiString Write(const char* Name, const TBytes& Data) {
        AnsiString path = FDir + "/" + Name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(Data.data()),
                   static_cast<std::streamsize>(Data.size()));
        return path;
    }

    AnsiString FDir;
    TBytes FJpeg;
    TBytes FBmp;
};

} // namespace

TEST_F(TPictureFiles, ExtensionChoosesTheClass) {
    struct TCase {
        const char* Name;
        bool Jpeg;
    };
    const TCase cases[] = {{"a.bmp", false}, {"b.BMP", false}, {"c.jpg", true},
                           {"d.JPG", true},  {"e.Jpeg", true}, {"f.x.jpeg", true}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TPicture picture;
        int changes = 0;
        picture.SetOnChange([&](TObject*) { ++changes; });
        picture.LoadFromFile(Write(c.Name, c.Jpeg ? FJpeg : FBmp));
        ASSERT_NE(picture.Graphic(), nullptr);
        EXPECT_EQ(picture.Graphic()->ClassName(), c.Jpeg ? "TJPEGImage" : "TBitmap");
        EXPECT_EQ(picture.Width(), c.Jpeg ? 12 : 5);
        EXPECT_EQ(picture.Height(), c.Jpeg ? 9 : 3);
        EXPECT_EQ(changes, 1);
    }
}

TEST_F(TPictureFiles, FailureKeepsThePreviousPicture) {
    AnsiString folder = FDir + "/folder.jpg";
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    struct TCase {
        AnsiString Path;
        AnsiString Message;
    };
    const TCase cases[] = {
        {Write("broken.bmp", FJpeg), "ビットマップイメージが不正です"},
        {Write("broken.jpg", FBmp), "JPEG エラー #53"},
        {Write("cut.jpeg", TBytes(FJpeg.begin(), FJpeg.end() - 10)), "JPEG エラー #120"},
        {folder, "ファイル " + folder + " は開けません"},
        {FDir + "/missing.bmp", "ファイル " + FDir + "/missing.bmp は開けません"},
        {Write("picture.gif", FJpeg), "未知の画像ファイル拡張子です (.gif)"},
        {Write("noextension", FJpeg), "未知の画像ファイル拡張子です ()"},
    };
    TPicture picture;
    picture.LoadFromFile(Write("good.jpg", FJpeg));
    TGraphic* previous = picture.Graphic();
    int changes = 0;
    picture.SetOnChange([&](TObject*) { ++changes; });
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Path);
        try {
            picture.LoadFromFile(c.Path);
            ADD_FAILURE() << "no exception";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.Message);
        }
        EXPECT_EQ(picture.Graphic(), previous);
        EXPECT_EQ(picture.Width(), 12);
    }
    EXPECT_EQ(changes, 0);
}

TEST(Picture, SetGraphicCopiesAndNilEmpties) {
    TBitmap bitmap;
    bitmap.SetSize(3, 2);
    bitmap.SetPixel(2, 1, clBlue);
    TPicture picture;
    int changes = 0;
    picture.SetOnChange([&](TObject*) { ++changes; });
    picture.SetGraphic(&bitmap);
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_NE(picture.Graphic(), &bitmap);
    EXPECT_EQ(picture.Graphic()->ClassName(), "TBitmap");
    EXPECT_EQ(picture.Bitmap()->GetPixel(2, 1), clBlue);
    EXPECT_EQ(changes, 1);

    // Changes of the held graphic reach the picture's handler.
    picture.Bitmap()->SetSize(4, 4);
    EXPECT_EQ(changes, 2);

    TPicture other;
    other.Assign(&picture);
    EXPECT_EQ(other.Width(), 4);
    EXPECT_NE(other.Graphic(), picture.Graphic());

    picture.SetGraphic(nullptr);
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(changes, 3);
}

TEST(Picture, BitmapReplacesAnotherKindOfGraphic) {
    TJPEGImage jpeg;
    TPicture picture;
    picture.SetGraphic(&jpeg);
    EXPECT_EQ(picture.Graphic()->ClassName(), "TJPEGImage");
    TBitmap* bitmap = picture.Bitmap();
    EXPECT_EQ(picture.Graphic(), bitmap);
    EXPECT_TRUE(bitmap->Empty());
    EXPECT_EQ(picture.Bitmap(), bitmap);
}
