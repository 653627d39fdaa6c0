#pragma once

#include "app/MainWindow1.h"
#include "platform/base/Types.h"
#include "platform/graphics/Bitmap.h"
#include "platform/host/headless/HeadlessHost.h"

#include <gtest/gtest.h>

#include <vector>

// The real main window on the headless host, started as the program starts it.
class BoardTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    THeadlessWindow& Window() { return *Host.MainWindow(); }
    TColor At(int X, int Y) { return Window().ScreenPixel(X, Y); }
    void Move(int X, int Y);
    void Drop(const std::vector<AnsiString>& Paths);
    void Key(const AnsiString& Spec);
    // The popup menu opened by a right click at (X, Y), answered with the item Name.
    void Choose(const AnsiString& Name, int X = 10, int Y = 10);
    // The message boxes shown since the last call.
    std::vector<THeadlessLogEntry> Boxes();
    // A file in the test's own folder.
    AnsiString Path(const AnsiString& Name) const { return Folder + "/" + Name; }
    // Writes a one-colour BMP or JPEG file (by the name's extension) and returns its path.
    AnsiString PictureFile(const AnsiString& Name, TColor Color, int Width = 1, int Height = 1);
    void WriteFile(const AnsiString& Name, const std::vector<std::uint8_t>& Bytes);

    THeadlessHost Host;
    AnsiString Folder;

private:
    std::size_t FLogSeen = 0;
};

std::vector<std::uint8_t> ReadFile(const AnsiString& Path);
// The saved JPEG, decoded.
std::unique_ptr<TBitmap> DecodeJpegFile(const AnsiString& Path);
// Colours within a JPEG's loss of each other.
bool Near(TColor A, TColor B, int Tolerance = 24);
