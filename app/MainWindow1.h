#pragma once

#include "platform/ui/Form.h"

#include <array>

class TImage;
class TShape;
class TPopupMenu;
class TMenuItem;
class TSavePictureDialog;
class TShadowLabel;

// The picture board: eight cells of 120 by 160 (a shape, an image and a marker each) in four
// columns and two rows, everything reached from the popup menu or its shortcuts.
class TMainForm1 : public TForm {
public:
    explicit TMainForm1(TComponent* Owner);
    ~TMainForm1() override;
    AnsiString ClassName() const override { return "TMainForm1"; }

    // The components of the form description, bound by name when it is read.
    TImage* Image1 = nullptr;
    TImage* Image2 = nullptr;
    TImage* Image3 = nullptr;
    TImage* Image4 = nullptr;
    TImage* Image5 = nullptr;
    TImage* Image6 = nullptr;
    TImage* Image7 = nullptr;
    TImage* Image8 = nullptr;
    TShape* Shape1 = nullptr;
    TShape* Shape2 = nullptr;
    TShape* Shape3 = nullptr;
    TShape* Shape4 = nullptr;
    TShape* Shape5 = nullptr;
    TShape* Shape6 = nullptr;
    TShape* Shape7 = nullptr;
    TShape* Shape8 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* Save1 = nullptr;
    TSavePictureDialog* SavePictureDialog1 = nullptr;
    TImage* Image0 = nullptr;
    TMenuItem* M1 = nullptr;
    TMenuItem* N1 = nullptr;
    TMenuItem* N2 = nullptr;
    TShadowLabel* Label1 = nullptr;
    TShadowLabel* Label2 = nullptr;
    TShadowLabel* Label3 = nullptr;
    TShadowLabel* Label4 = nullptr;
    TShadowLabel* Label5 = nullptr;
    TShadowLabel* Label6 = nullptr;
    TShadowLabel* Label7 = nullptr;
    TShadowLabel* Label8 = nullptr;
    TMenuItem* N3 = nullptr;
    TMenuItem* N4 = nullptr;
    TMenuItem* D1 = nullptr;
    TMenuItem* N6 = nullptr;
    TMenuItem* N7 = nullptr;
    TMenuItem* N8 = nullptr;
    TMenuItem* N10 = nullptr;
    TMenuItem* N11 = nullptr;
    TMenuItem* N9 = nullptr;

    // Pointer motion over a cell's image records that cell for the next drop.
    void Image1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void Image2MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void Image3MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void Image4MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void Image5MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void Image6MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void Image7MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void Image8MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    // A double-click empties the cell.
    void Image1DblClick(TObject* Sender);
    void Image2DblClick(TObject* Sender);
    void Image3DblClick(TObject* Sender);
    void Image4DblClick(TObject* Sender);
    void Image5DblClick(TObject* Sender);
    void Image6DblClick(TObject* Sender);
    void Image7DblClick(TObject* Sender);
    void Image8DblClick(TObject* Sender);
    // Saves the board as a JPEG file named in the save dialog.
    void Save1Click(TObject* Sender);
    // Hands the board as a JPEG attachment of a new message to the mail program.
    void M1Click(TObject* Sender);
    // Empties every cell.
    void D1Click(TObject* Sender);
    // Opens the information page.
    void N4Click(TObject* Sender);
    // The marker modes: white numbers, black numbers, none, white letters, black letters.
    void N6Click(TObject* Sender);
    void N7Click(TObject* Sender);
    void N8Click(TObject* Sender);
    void N10Click(TObject* Sender);
    void N11Click(TObject* Sender);

    // The key of the cell the pointer last moved over ("" before the first motion).
    const AnsiString& CurrentCell() const { return FCurrentCell; }

protected:
    void Dispatch(TMessage& Message) override;

private:
    void WMDropFiles(TMessage& Message);
    std::array<TImage*, 8> Images() const;
    std::array<TShadowLabel*, 8> Markers() const;
    void CheckOnly(TMenuItem* Item);
    void ShowMarkers(const char* const (&Texts)[8], TColor Color);
    // Copies the board as shown into Image0's bitmap.
    void TakeSnapshot();
    // Writes the snapshot as a JPEG of quality 80.
    void EncodeAndWrite(const AnsiString& Path);

    AnsiString FCurrentCell;
};

extern TMainForm1* MainForm1;

// Registers TMainForm1 and every class its description names; safe to call more than once.
void RegisterMainForm();
