#include "BoardFixture.h"

#include "platform/graphics/JpegImage.h"
#include "platform/host/headless/KeySpec.h"
#include "platform/ui/Application.h"
#include "support/Pixels.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

void BoardTest::SetUp() {
    char pattern[] = "/tmp/picolam-board-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    Folder = pattern;
    // The mail attachment folder lives in the test's folder too.
    setenv("XDG_RUNTIME_DIR", Folder.c_str(), 1);
    Application->Initialize();
    Application->SetTitle("ピコラム");
    Application->CreateForm(MainForm1);
    MainForm1->Show();
    Host.ProcessMessages();
    ASSERT_NE(Host.MainWindow(), nullptr);
}

void BoardTest::TearDown() {
    Application->Done();
    MainForm1 = nullptr;
    std::filesystem::remove_all(Folder);
}

void BoardTest::Move(int X, int Y) {
    Host.MouseMove(Window(), X, Y);
    Host.ProcessMessages();
}

void BoardTest::Drop(const std::vector<AnsiString>& Paths) {
    Host.DropFiles(Window(), Paths);
    Host.ProcessMessages();
}

void BoardTest::Key(const AnsiString& Spec) {
    auto key = ParseKeySpec(Spec);
    ASSERT_TRUE(key) << Spec;
    Host.Key(Window(), *key);
    Host.ProcessMessages();
}

void BoardTest::Choose(const AnsiString& Name, int X, int Y) {
    Host.QueueMenuChoice(Name);
    Host.Click(Window(), X, Y, mbRight);
    Host.ProcessMessages();
}

std::vector<THeadlessLogEntry> BoardTest::Boxes() {
    std::vector<THeadlessLogEntry> boxes;
    for (; FLogSeen < Host.Log().size(); ++FLogSeen)
        if (Host.Log()[FLogSeen].Kind == THeadlessLogEntry::MessageBox)
            boxes.push_back(Host.Log()[FLogSeen]);
    return boxes;
}

AnsiString BoardTest::PictureFile(const AnsiString& Name, TColor Color, int Width, int Height) {
    auto bitmap = MakeFilled(Width, Height, Color);
    AnsiString path = Path(Name);
    auto dot = Name.rfind('.');
    AnsiString ext = dot == AnsiString::npos ? "" : Name.substr(dot);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".jpg" || ext == ".jpeg") {
        TJPEGImage jpeg;
        jpeg.Assign(bitmap.get());
        WriteFile(Name, jpeg.SaveToBytes());
    } else {
        WriteFile(Name, bitmap->SaveToBytes());
    }
    return path;
}

void BoardTest::WriteFile(const AnsiString& Name, const std::vector<std::uint8_t>& Bytes) {
    std::filesystem::create_directories(std::filesystem::path(Path(Name)).parent_path());
    std::ofstream out(Path(Name), std::ios::binary);
    out.write(reinterpret_cast<const char*>(Bytes.data()),
              static_cast<std::streamsize>(Bytes.size()));
}

std::vector<std::uint8_t> ReadFile(const AnsiString& Path) {
    std::ifstream in(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::unique_ptr<TBitmap> DecodeJpegFile(const AnsiString& Path) {
    TJPEGImage jpeg;
    jpeg.LoadFromFile(Path);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->Assign(&jpeg);
    return bitmap;
}

bool Near(TColor A, TColor B, int Tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        int a = static_cast<int>((A >> shift) & 0xFF), b = static_cast<int>((B >> shift) & 0xFF);
        if (std::abs(a - b) > Tolerance)
            return false;
    }
    return true;
}
