#include "BoardFixture.h"

#include "controls/ShadoLbl.h"
#include "platform/base/Exceptions.h"
#include "platform/graphics/Picture.h"
#include "platform/ui/Image.h"
#include "platform/ui/Menus.h"

#include <sys/stat.h>

namespace {

constexpr TColor PaleGreen = 0xE1FFE1;

// The top-left corner of cell N (1 to 8).
TPoint Corner(int N) {
    return {120 * ((N - 1) % 4), 160 * ((N - 1) / 4)};
}
// A point of cell N away from its marker.
TPoint Inside(int N) {
    return {Corner(N).X + 60, Corner(N).Y + 100};
}

TEST_F(BoardTest, OpensAsAnAlwaysOnTopToolWindowShowingTheEmptyBoard) {
    const THostWindowParams& params = Window().Params();
    EXPECT_EQ(Window().Caption(), "ピコラム - (右クリックでポップアップメニュー)");
    EXPECT_EQ(params.ClientWidth, 480);
    EXPECT_EQ(params.ClientHeight, 320);
    EXPECT_EQ(params.Left, 20);
    EXPECT_EQ(params.Top, 20);
    EXPECT_TRUE(params.ToolWindow);
    EXPECT_TRUE(params.StayOnTop);
    EXPECT_FALSE(params.Resizable);
    EXPECT_TRUE(Window().AcceptsDrops());
    EXPECT_EQ(Window().Icon().Width(), 32);
    EXPECT_EQ(Window().Icon().Height(), 32);
    EXPECT_TRUE(MainForm1->N6->Checked());

    for (int n = 1; n <= 8; ++n) {
        const TPoint c = Corner(n);
        const bool green = n == 2 || n == 4 || n == 5 || n == 7;
        EXPECT_EQ(At(Inside(n).X, Inside(n).Y), green ? PaleGreen : clWhite) << "cell " << n;
        EXPECT_EQ(At(c.X + 118, c.Y + 158), green ? PaleGreen : clWhite) << "cell " << n;
        // The shapes fill 119 by 159: the last column and row show the white form.
        EXPECT_EQ(At(c.X + 119, c.Y + 80), clWhite) << "cell " << n;
        EXPECT_EQ(At(c.X + 60, c.Y + 159), clWhite) << "cell " << n;
    }
}

TEST_F(BoardTest, MotionRecordsTheCellKey) {
    EXPECT_EQ(MainForm1->CurrentCell(), "");
    const char* keys[] = {"左上", "上", "右上", "左", "中央", "右", "左下", "下"};
    for (int n = 1; n <= 8; ++n) {
        Move(Inside(n).X, Inside(n).Y);
        EXPECT_EQ(MainForm1->CurrentCell(), keys[n - 1]);
    }
    // Leaving the board records nothing new; nothing ever empties the key again.
    Host.MouseLeave();
    MainForm1->D1Click(nullptr);
    EXPECT_EQ(MainForm1->CurrentCell(), "下");
}

struct TDropCase {
    const char* Name;
    std::vector<const char*> Files;
    bool Loads;
};

class DropRules : public BoardTest, public testing::WithParamInterface<TDropCase> {};

TEST_P(DropRules, OnlyTheFirstFileWithAPictureExtensionLoads) {
    const TDropCase& c = GetParam();
    // Every file holds a valid picture (a bitmap unless named .jpg/.jpeg): only the name decides.
    std::vector<AnsiString> paths;
    for (const char* file : c.Files)
        paths.push_back(PictureFile(file, clRed, 2, 2));
    Move(Inside(3).X, Inside(3).Y);
    Drop(paths);
    EXPECT_EQ(Near(At(Inside(3).X, Inside(3).Y), clRed), c.Loads) << c.Name;
    EXPECT_TRUE(Boxes().empty()) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(
    Extensions, DropRules,
    testing::Values(TDropCase{"jpg", {"a.jpg"}, true}, TDropCase{"JPG", {"b.JPG"}, true},
                    TDropCase{"Jpeg", {"c.Jpeg"}, true}, TDropCase{"bmp", {"d.bmp"}, true},
                    TDropCase{"BMP", {"e.BMP"}, true}, TDropCase{"jpe", {"f.jpe"}, false},
                    TDropCase{"jfif", {"g.jfif"}, false}, TDropCase{"gif", {"h.gif"}, false},
                    TDropCase{"png", {"i.png"}, false}, TDropCase{"ico", {"j.ico"}, false},
                    TDropCase{"wmf", {"k.wmf"}, false}, TDropCase{"emf", {"l.emf"}, false},
                    TDropCase{"none", {"noextension"}, false},
                    TDropCase{"dot folder", {"dir.bmp.d/x"}, false},
                    TDropCase{"first of several", {"m.bmp", "n.png"}, true},
                    TDropCase{"second only", {"o.png", "p.bmp"}, false}),
    [](const testing::TestParamInfo<TDropCase>& info) {
        AnsiString name = info.param.Name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST_F(BoardTest, ADropBeforeAnyMotionIsIgnored) {
    Drop({PictureFile("a.bmp", clRed)});
    for (int n = 1; n <= 8; ++n)
        EXPECT_FALSE(Near(At(Inside(n).X, Inside(n).Y), clRed)) << n;
}

TEST_F(BoardTest, ADropGoesToTheLastRecordedCellWhereverItLands) {
    Move(Inside(6).X, Inside(6).Y);
    Host.MouseLeave();
    Host.DropFiles(Window(), {PictureFile("a.bmp", clBlue)}, {5, 5});
    Host.ProcessMessages();
    EXPECT_EQ(At(Inside(6).X, Inside(6).Y), clBlue);
    EXPECT_EQ(At(Inside(1).X, Inside(1).Y), clWhite);
}

TEST_F(BoardTest, APictureOfAnySizeFillsTheWholeCellAndReplacesTheLastOne) {
    MainForm1->N8Click(nullptr); // no markers over the cell
    Move(Inside(8).X, Inside(8).Y);
    Drop({PictureFile("big.bmp", clRed, 300, 7)});
    Drop({PictureFile("one.bmp", clBlue, 1, 1)});
    const TPoint c = Corner(8);
    for (int y = c.Y; y < c.Y + 160; y += 7)
        for (int x = c.X; x < c.X + 120; x += 7)
            ASSERT_EQ(At(x, y), clBlue) << x << "," << y;
    EXPECT_EQ(At(c.X + 119, c.Y + 159), clBlue);
    EXPECT_EQ(At(c.X - 2, c.Y), PaleGreen); // cell 7, left of its white seam
}

TEST_F(BoardTest, AJpegDropLoadsAndTheSameFileLoadsAgain) {
    AnsiString path = PictureFile("photo.jpg", clLime, 40, 30);
    Move(Inside(1).X, Inside(1).Y);
    Drop({path});
    EXPECT_TRUE(Near(At(Inside(1).X, Inside(1).Y), clLime));
    MainForm1->Image1DblClick(nullptr);
    Drop({path});
    EXPECT_TRUE(Near(At(Inside(1).X, Inside(1).Y), clLime));
}

struct TBadFile {
    const char* Name;
    std::vector<std::uint8_t> Bytes; // empty: a folder of that name
    const char* Message;             // %s stands for the path
};

TEST_F(BoardTest, AFileThatCannotLoadShowsTheErrorAndKeepsTheCell) {
    const TBadFile cases[] = {
        {"folder.jpg", {}, "ファイル %s は開けません."},
        {"broken.bmp", {'B', 'M', 1, 2, 3}, "ビットマップイメージが不正です."},
        {"broken.jpg", {'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'}, "JPEG エラー #"},
    };
    Move(Inside(2).X, Inside(2).Y);
    Drop({PictureFile("keep.bmp", clBlue)});
    for (const TBadFile& c : cases) {
        AnsiString path = Path(c.Name);
        if (c.Bytes.empty())
            ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
        else
            WriteFile(c.Name, c.Bytes);
        Drop({path});
        std::vector<THeadlessLogEntry> boxes = Boxes();
        ASSERT_EQ(boxes.size(), 1u) << c.Name;
        EXPECT_EQ(boxes[0].Caption, "ピコラム");
        EXPECT_EQ(boxes[0].Buttons, std::vector<AnsiString>{"OK"});
        AnsiString expected = c.Message;
        if (auto at = expected.find("%s"); at != AnsiString::npos)
            expected.replace(at, 2, path);
        EXPECT_EQ(boxes[0].Text.substr(0, expected.size()), expected) << c.Name;
        EXPECT_EQ(At(Inside(2).X, Inside(2).Y), clBlue) << c.Name;
    }
    // The program goes on: the next drop still loads.
    Drop({PictureFile("next.bmp", clRed)});
    EXPECT_EQ(At(Inside(2).X, Inside(2).Y), clRed);
}

TEST_F(BoardTest, ALongPathIsNotCut) {
    AnsiString dir = Folder;
    while (dir.size() < 400) {
        dir += "/" + AnsiString(60, 'd');
        ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
    }
    AnsiString name = dir.substr(Folder.size() + 1) + "/long.bmp";
    AnsiString path = PictureFile(name, clRed);
    Move(Inside(5).X, Inside(5).Y);
    Drop({path});
    EXPECT_EQ(At(Inside(5).X, Inside(5).Y), clRed);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(BoardTest, DoubleClickEmptiesItsCellAndDeleteEmptiesAll) {
    for (int n = 1; n <= 8; ++n) {
        Move(Inside(n).X, Inside(n).Y);
        Drop({PictureFile(Format("p%d.bmp", n), clRed)});
    }
    Host.DoubleClick(Window(), Inside(4).X, Inside(4).Y);
    Host.ProcessMessages();
    EXPECT_EQ(At(Inside(4).X, Inside(4).Y), PaleGreen);
    EXPECT_EQ(At(Inside(3).X, Inside(3).Y), clRed);
    Key("Delete");
    for (int n = 1; n <= 8; ++n)
        EXPECT_NE(At(Inside(n).X, Inside(n).Y), clRed) << n;
    EXPECT_TRUE(MainForm1->Label1->Visible());
    EXPECT_EQ(MainForm1->CurrentCell(), "左"); // the double-click's motion recorded cell 4
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(BoardTest, ARightClickAnywhereOpensTheMenuWithItsShortcuts) {
    for (TPoint p : {Inside(1), Point(6, 6) /* a marker */, Point(479, 319)}) {
        Host.QueueMenuNone();
        Host.Click(Window(), p.X, p.Y, mbRight);
        Host.ProcessMessages();
        ASSERT_FALSE(Host.Log().empty());
        const THeadlessLogEntry& menu = Host.Log().back();
        ASSERT_EQ(menu.Kind, THeadlessLogEntry::Menu);
        EXPECT_EQ(menu.At, Point(20 + p.X, 20 + p.Y));
        std::vector<AnsiString> names, shortcuts;
        for (const THostMenuItem& item : menu.Items) {
            names.push_back(item.Name);
            shortcuts.push_back(item.ShortCutText);
        }
        EXPECT_EQ(names, (std::vector<AnsiString>{"Save1", "M1", "N1", "N2", "D1", "N3", "N4"}));
        EXPECT_EQ(shortcuts, (std::vector<AnsiString>{"Ctrl+S", "Ctrl+M", "", "", "Del", "", ""}));
        const THostMenuItem& markers = menu.Items[3];
        std::vector<AnsiString> sub;
        for (const THostMenuItem& item : markers.Items)
            sub.push_back(item.Name + " " + item.ShortCutText + (item.Checked ? " checked" : ""));
        EXPECT_EQ(sub, (std::vector<AnsiString>{"N6 Shift+F1 checked", "N7 Shift+F2", "N10 Ctrl+F1",
                                                "N11 Ctrl+F2", "N9 ", "N8 Ins"}));
    }
}

} // namespace
