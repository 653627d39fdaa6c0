#include "app/MainWindow1.h"

#include "controls/ShadoLbl.h"
#include "platform/base/FileUtils.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/JpegCodec.h"
#include "platform/graphics/TextDraw.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/host/headless/KeySpec.h"
#include "platform/ui/Application.h"
#include "platform/ui/Menus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

const Strings Numbers = {"①", "②", "③", "④", "⑤", "⑥", "⑦", "⑧"};
const Strings Letters = {"Ａ", "Ｂ", "Ｃ", "Ｄ", "Ｅ", "Ｆ", "Ｇ", "Ｈ"};
const Strings Items = {"N6", "N7", "N10", "N11", "N8"};

// The real main window on the headless desktop.
class Markers : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        Application->SetTitle("ピコラム");
        Application->CreateForm(MainForm1);
        MainForm1->Show();
        Host.ProcessMessages();
        char folder[] = "/tmp/picolam-markers-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        Folder = folder;
    }
    void TearDown() override {
        Application->Done();
        MainForm1 = nullptr;
        std::error_code ignored;
        std::filesystem::remove_all(Folder, ignored);
    }

    THeadlessWindow& Window() { return *Host.FindWindow(MainForm1->Handle()); }

    std::array<TShadowLabel*, 8> Labels() const {
        TMainForm1* f = MainForm1;
        return {f->Label1, f->Label2, f->Label3, f->Label4,
                f->Label5, f->Label6, f->Label7, f->Label8};
    }
    TMenuItem* Item(const std::string& Name) const {
        TMainForm1* f = MainForm1;
        if (Name == "N6")
            return f->N6;
        if (Name == "N7")
            return f->N7;
        if (Name == "N10")
            return f->N10;
        if (Name == "N11")
            return f->N11;
        return f->N8;
    }

    // Chooses an item of the popup menu, opened by a right click on an empty spot of a cell.
    void Choose(const std::string& Name) {
        Host.QueueMenuChoice(Name);
        Host.Click(Window(), 200, 120, mbRight);
        Host.ProcessMessages();
    }
    void Press(const std::string& Key) {
        std::optional<THostKeyEvent> key = ParseKeySpec(Key);
        ASSERT_TRUE(key.has_value()) << Key;
        Host.Key(Window(), *key);
        Host.ProcessMessages();
    }

    // The items of the five that carry a check mark, in the model.
    Strings Checked() const {
        Strings checked;
        for (const std::string& name : Items)
            if (Item(name)->Checked())
                checked.push_back(name);
        return checked;
    }
    // The same as the desktop shows them in the menu.
    Strings CheckedInMenu() {
        Host.QueueMenuNone();
        Host.Click(Window(), 200, 120, mbRight);
        Host.ProcessMessages();
        Strings checked;
        const THeadlessLogEntry& shown = Host.Log().back();
        EXPECT_EQ(shown.Kind, THeadlessLogEntry::Menu);
        for (const THostMenuItem& top : shown.Items)
            for (const THostMenuItem& sub : top.Items)
                if (sub.Checked)
                    checked.push_back(sub.Name);
        return checked;
    }

    void ExpectMarkers(const Strings& Texts, TColor Color, bool Visible) {
        for (int i = 0; i < 8; ++i) {
            SCOPED_TRACE("marker " + std::to_string(i + 1));
            EXPECT_EQ(Labels()[i]->Caption(), Texts[i]);
            EXPECT_EQ(Labels()[i]->Font()->Color(), Color);
            EXPECT_EQ(Labels()[i]->Visible(), Visible);
        }
    }

    // The board as the window shows it now.
    std::vector<TColor> Board() {
        Host.ProcessMessages();
        std::vector<TColor> board;
        for (int y = 0; y < 320; ++y)
            for (int x = 0; x < 480; ++x)
                board.push_back(Window().ScreenPixel(x, y));
        return board;
    }

    // Saves the board through the menu and decodes the file, 0x00BBGGRR per pixel.
    std::vector<TColor> SavedBoard(const std::string& Name) {
        const AnsiString path = Folder + "/" + Name;
        Host.QueueSaveAnswer(path);
        Choose("Save1");
        std::ifstream in(path, std::ios::binary);
        EXPECT_TRUE(in.good()) << path;
        TBytes data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        TJpegInfo info = ReadJpegInfo(data);
        EXPECT_EQ(info.Width, 480);
        EXPECT_EQ(info.Height, 320);
        std::vector<std::uint8_t> pixels(480 * 320 * 3);
        std::vector<std::uint8_t*> rows;
        for (int y = 0; y < 320; ++y)
            rows.push_back(pixels.data() + y * 480 * 3);
        DecodeJpeg(data, info, 480, 320, rows.data());
        std::vector<TColor> board;
        for (int i = 0; i < 480 * 320; ++i)
            board.push_back(RGB(pixels[3 * i + 2], pixels[3 * i + 1], pixels[3 * i]));
        return board;
    }

    THeadlessHost Host;
    AnsiString Folder;
};

TEST_F(Markers, StartAsWhiteNumbersInTheCellCorners) {
    EXPECT_EQ(Checked(), Strings{"N6"});
    EXPECT_EQ(CheckedInMenu(), Strings{"N6"});
    ExpectMarkers(Numbers, clWhite, true);
    const int lefts[] = {4, 124, 244, 364, 4, 124, 244, 364};
    const int tops[] = {4, 4, 4, 4, 164, 164, 164, 164};
    for (int i = 0; i < 8; ++i) {
        TShadowLabel* l = Labels()[i];
        SCOPED_TRACE("marker " + std::to_string(i + 1));
        EXPECT_EQ(l->Left(), lefts[i]);
        EXPECT_EQ(l->Top(), tops[i]);
        EXPECT_EQ(l->Font()->Name(), "ＭＳ Ｐゴシック");
        EXPECT_EQ(l->Font()->Height(), -21);
        EXPECT_EQ(l->Font()->Style(), fsBold);
        EXPECT_TRUE(l->Transparent());
        EXPECT_FALSE(l->Highlight()->Visible());
        EXPECT_EQ(l->Highlight()->Color(), clWhite);
        EXPECT_EQ(l->Highlight()->OffsetLeft(), -1);
        EXPECT_EQ(l->Highlight()->OffsetTop(), -1);
        EXPECT_TRUE(l->Shadow()->Visible());
        EXPECT_EQ(l->Shadow()->Color(), clSilver);
        EXPECT_EQ(l->Shadow()->OffsetLeft(), 1);
        EXPECT_EQ(l->Shadow()->OffsetTop(), 1);
        EXPECT_EQ(l->TextGradation(), tgNone);
        EXPECT_FALSE(l->Gradation());
        // Sized to the text, which the bold 21-pixel font makes larger than one pixel.
        EXPECT_GT(l->Width(), 10);
        EXPECT_GT(l->Height(), 10);
    }
}

struct TCommand {
    std::string Item;
    std::string Key;
    const Strings* Texts; // null: unchanged
    TColor Color;
    bool Visible;
};

const TCommand Commands[] = {{"N6", "Shift+F1", &Numbers, clWhite, true},
                             {"N7", "Shift+F2", &Numbers, clBlack, true},
                             {"N10", "Ctrl+F1", &Letters, clWhite, true},
                             {"N11", "Ctrl+F2", &Letters, clBlack, true},
                             {"N8", "Ins", nullptr, clBlack, false}};

class MarkerCommands : public Markers,
                       public ::testing::WithParamInterface<std::tuple<int, bool>> {};

TEST_P(MarkerCommands, SetTheModeAndMoveTheOneCheckMark) {
    const TCommand& c = Commands[std::get<0>(GetParam())];
    const bool byKey = std::get<1>(GetParam());
    // Start from black letters (or white numbers for that command itself), so that every
    // command changes something.
    if (c.Item == "N11")
        Choose("N7");
    else
        Choose("N11");
    ASSERT_NE(Checked(), Strings{c.Item});
    if (byKey)
        Press(c.Key);
    else
        Choose(c.Item);
    EXPECT_EQ(Checked(), Strings{c.Item});
    EXPECT_EQ(CheckedInMenu(), Strings{c.Item});
    if (c.Texts != nullptr) {
        ExpectMarkers(*c.Texts, c.Color, true);
    } else {
        // Hidden, keeping the texts and colour of before.
        ExpectMarkers(Letters, clBlack, false);
    }
    // Choosing the current mode again keeps it, checked.
    if (byKey)
        Press(c.Key);
    else
        Choose(c.Item);
    EXPECT_EQ(Checked(), Strings{c.Item});
}

INSTANTIATE_TEST_SUITE_P(Modes, MarkerCommands,
                         ::testing::Combine(::testing::Range(0, 5), ::testing::Bool()),
                         [](const auto& Info) {
                             return Commands[std::get<0>(Info.param)].Item +
                                    (std::get<1>(Info.param) ? "ByKey" : "ByMenu");
                         });

TEST_F(Markers, NoneThenWhiteLettersShowsLettersAgain) {
    Choose("N8");
    ExpectMarkers(Numbers, clWhite, false);
    Choose("N10");
    EXPECT_EQ(Checked(), Strings{"N10"});
    ExpectMarkers(Letters, clWhite, true);
}

// Where the marker's text leaves ink, in its own coordinates (its font without
// antialiasing, as the test sets it).
std::vector<bool> Ink(TShadowLabel* L) {
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(L->Width(), L->Height());
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(Rect(0, 0, L->Width(), L->Height()));
    b.Canvas()->SetFont(L->Font());
    b.Canvas()->Font()->SetColor(clBlack);
    b.Canvas()->Brush()->SetStyle(bsClear);
    TRect r = Rect(0, 0, L->Width(), L->Height());
    DrawText(b.Canvas()->Handle(), L->Caption().c_str(), static_cast<int>(L->Caption().size()), &r,
             DT_LEFT | DT_EXPANDTABS);
    std::vector<bool> ink;
    for (int y = 0; y < L->Height(); ++y)
        for (int x = 0; x < L->Width(); ++x)
            ink.push_back(b.GetPixel(x, y) == clBlack);
    return ink;
}

int Luma(TColor C) {
    return (GetRValue(C) * 30 + GetGValue(C) * 59 + GetBValue(C) * 11) / 100;
}

int Distance(TColor A, TColor B) {
    return std::max({std::abs(GetRValue(A) - GetRValue(B)), std::abs(GetGValue(A) - GetGValue(B)),
                     std::abs(GetBValue(A) - GetBValue(B))});
}

TEST_F(Markers, ShowInTheSavedBoardWithTheirShadowAndNotWhenHidden) {
    for (TShadowLabel* l : Labels())
        l->Font()->SetQuality(fqNonAntialiased);
    Choose("N8");
    const std::vector<TColor> bare = Board();
    const std::vector<TColor> bareJpeg = SavedBoard("hidden.jpg");
    Choose("N7");
    const std::vector<TColor> marked = Board();
    const std::vector<TColor> markedJpeg = SavedBoard("shown.jpg");

    // Lossless: the bare board, a 0xC0C0C0 copy one pixel right and down, the black text.
    std::vector<TColor> expected = bare;
    for (TShadowLabel* l : Labels()) {
        const std::vector<bool> ink = Ink(l);
        const int w = l->Width(), h = l->Height();
        ASSERT_GT(std::count(ink.begin(), ink.end(), true), 20);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                TColor& p = expected[(l->Top() + y) * 480 + l->Left() + x];
                if (x >= 1 && y >= 1 && ink[(y - 1) * w + x - 1])
                    p = clSilver;
                if (ink[y * w + x])
                    p = clBlack;
            }
    }
    int wrong = 0;
    for (std::size_t i = 0; i < expected.size(); ++i)
        wrong += expected[i] != marked[i];
    EXPECT_EQ(wrong, 0) << "pixels of the board differ from the bare board with markers";

    // The files follow what the window showed, within what JPEG loses.
    long long error = 0, bareError = 0;
    for (std::size_t i = 0; i < marked.size(); ++i) {
        error += Distance(marked[i], markedJpeg[i]);
        bareError += Distance(bare[i], bareJpeg[i]);
    }
    EXPECT_LT(error / static_cast<long long>(marked.size()), 3);
    EXPECT_LT(bareError / static_cast<long long>(bare.size()), 3);

    // Where a marker's strokes are, the file with markers is dark and the other is not; where
    // only the shadow is, the file with markers is near silver.
    for (TShadowLabel* l : Labels()) {
        SCOPED_TRACE(l->Name());
        const std::vector<bool> ink = Ink(l);
        const int w = l->Width(), h = l->Height();
        long long strokes = 0, strokeLuma = 0, bareLuma = 0, shadows = 0, shadowLuma = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::size_t at = (l->Top() + y) * 480 + l->Left() + x;
                if (ink[y * w + x]) {
                    ++strokes;
                    strokeLuma += Luma(markedJpeg[at]);
                    bareLuma += Luma(bareJpeg[at]);
                } else if (marked[at] == clSilver) {
                    ++shadows;
                    shadowLuma += Luma(markedJpeg[at]);
                }
            }
        ASSERT_GT(strokes, 0);
        ASSERT_GT(shadows, 0);
        EXPECT_LT(strokeLuma / strokes, 40);
        EXPECT_GT(bareLuma / strokes, 200);
        EXPECT_NEAR(shadowLuma / shadows, Luma(clSilver), 24);
    }
}

TEST_F(Markers, HiddenMarkersLetThePointerReachTheCell) {
    // A red picture in cell 1, dropped after moving over the cell away from its marker.
    TBitmap red;
    red.SetPixelFormat(pf24bit);
    red.SetSize(8, 8);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(Rect(0, 0, 8, 8));
    const AnsiString picture = Folder + "/red.bmp";
    red.SaveToFile(picture);
    Host.MouseMove(Window(), 60, 80);
    Host.DropFiles(Window(), {picture});
    Host.ProcessMessages();
    ASSERT_EQ(Window().ScreenPixel(60, 80), clRed);

    // A shown marker takes the pointer: the cell under it hears nothing.
    const TPoint onMarker = Point(MainForm1->Label1->Left() + 2, MainForm1->Label1->Top() + 2);
    Host.MouseMove(Window(), 300, 80);
    Host.MouseMove(Window(), onMarker.X, onMarker.Y);
    EXPECT_EQ(MainForm1->CurrentCell(), "右上");
    Host.Advance(1000);
    Host.DoubleClick(Window(), onMarker.X, onMarker.Y);
    Host.ProcessMessages();
    EXPECT_EQ(Window().ScreenPixel(60, 80), clRed);

    // Hidden, it lets motion and double-clicks through to the cell.
    Choose("N8");
    Host.MouseMove(Window(), 300, 80);
    Host.MouseMove(Window(), onMarker.X, onMarker.Y);
    EXPECT_EQ(MainForm1->CurrentCell(), "左上");
    Host.Advance(1000);
    Host.DoubleClick(Window(), onMarker.X, onMarker.Y);
    Host.ProcessMessages();
    EXPECT_NE(Window().ScreenPixel(60, 80), clRed);
}

} // namespace
