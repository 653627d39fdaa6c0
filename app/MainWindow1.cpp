#include "app/MainWindow1.h"

#include "app/BoardOutput.h"
#include "controls/ShadoLbl.h"
#include "platform/base/FileUtils.h"
#include "platform/base/FormReader.h"
#include "platform/base/MultiByte.h"
#include "platform/base/Registry.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/JpegImage.h"
#include "platform/graphics/Picture.h"
#include "platform/graphics/XpmImage.h"
#include "platform/shell/Mapi.h"
#include "platform/shell/ShellApi.h"
#include "platform/ui/Application.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FileDrop.h"
#include "platform/ui/Image.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Shape.h"
#include "platform/ui/StockClasses.h"

#include <memory>

extern const char MainWindow1_dfm[];
extern const char MAINICON_xpm[];

TMainForm1* MainForm1 = nullptr;

namespace {

constexpr const char* CellKeys[8] = {"左上", "上", "右上", "左", "中央", "右", "左下", "下"};
constexpr const char* const Numbers[8] = {"①", "②", "③", "④", "⑤", "⑥", "⑦", "⑧"};
constexpr const char* const Letters[8] = {"Ａ", "Ｂ", "Ｃ", "Ｄ", "Ｅ", "Ｆ", "Ｇ", "Ｈ"};
constexpr const char* MailSubject = "(添付画像あり)";
constexpr const char* MailNotice =
    "お使いのメーラーを｢通常使うメールソフト(規定のプログラム)｣に設定してください。";
constexpr int JpegQuality = 80;

// Releases a drop handle however the drop handler ends.
class TDropFinisher {
public:
    explicit TDropFinisher(HDROP Drop) : FDrop(Drop) {}
    ~TDropFinisher() { DragFinish(FDrop); }
    TDropFinisher(const TDropFinisher&) = delete;
    TDropFinisher& operator=(const TDropFinisher&) = delete;

private:
    HDROP FDrop;
};

} // namespace

TMainForm1::TMainForm1(TComponent* Owner) : TForm(Owner) {
    RegisterMainForm();
    ReadComponentRes(MainWindow1_dfm, "MainForm1", this);
    TBitmap icon;
    LoadXpm(icon, MAINICON_xpm);
    SetIcon(&icon);
    FCurrentCell = "";
    DragAcceptFiles(Handle(), true);
}

TMainForm1::~TMainForm1() {
    FCurrentCell.clear();
}

void TMainForm1::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_DROPFILES) {
        WMDropFiles(Message);
        return;
    }
    TForm::Dispatch(Message);
}

std::array<TImage*, 8> TMainForm1::Images() const {
    return {Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8};
}

std::array<TShadowLabel*, 8> TMainForm1::Markers() const {
    return {Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8};
}

void TMainForm1::Image1MouseMove(TObject*, TShiftState, int, int) {
    FCurrentCell = CellKeys[0];
}
void TMainForm1::Image2MouseMove(TObject*, TShiftState, int, int) {
    FCurrentCell = CellKeys[1];
}
void TMainForm1::Image3MouseMove(TObject*, TShiftState, int, int) {
    FCurrentCell = CellKeys[2];
}
void TMainForm1::Image4MouseMove(TObject*, TShiftState, int, int) {
    FCurrentCell = CellKeys[3];
}
void TMainForm1::Image5MouseMove(TObject*, TShiftState, int, int) {
    FCurrentCell = CellKeys[4];
}
void TMainForm1::Image6MouseMove(TObject*, TShiftState, int, int) {
    FCurrentCell = CellKeys[5];
}
void TMainForm1::Image7MouseMove(TObject*, TShiftState, int, int) {
    FCurrentCell = CellKeys[6];
}
void TMainForm1::Image8MouseMove(TObject*, TShiftState, int, int) {
    FCurrentCell = CellKeys[7];
}

void TMainForm1::Image1DblClick(TObject*) {
    Image1->Picture()->SetGraphic(nullptr);
}
void TMainForm1::Image2DblClick(TObject*) {
    Image2->Picture()->SetGraphic(nullptr);
}
void TMainForm1::Image3DblClick(TObject*) {
    Image3->Picture()->SetGraphic(nullptr);
}
void TMainForm1::Image4DblClick(TObject*) {
    Image4->Picture()->SetGraphic(nullptr);
}
void TMainForm1::Image5DblClick(TObject*) {
    Image5->Picture()->SetGraphic(nullptr);
}
void TMainForm1::Image6DblClick(TObject*) {
    Image6->Picture()->SetGraphic(nullptr);
}
void TMainForm1::Image7DblClick(TObject*) {
    Image7->Picture()->SetGraphic(nullptr);
}
void TMainForm1::Image8DblClick(TObject*) {
    Image8->Picture()->SetGraphic(nullptr);
}

void TMainForm1::D1Click(TObject*) {
    for (TImage* image : Images())
        image->Picture()->SetGraphic(nullptr);
}

void TMainForm1::WMDropFiles(TMessage& Message) {
    const auto drop = static_cast<HDROP>(Message.WParam);
    TDropFinisher finisher(drop);
    DragQueryFile(drop, 0xFFFFFFFF, nullptr, 260);
    // The whole path, however long: a path cut short would name another file.
    AnsiString path(DragQueryFile(drop, 0, nullptr, 0), '\0');
    DragQueryFile(drop, 0, path.data(), static_cast<unsigned>(path.size() + 1));
    const AnsiString extension = ExtractFileExt(path);
    if (AnsiCompareText(extension, ".BMP") != 0 && AnsiCompareText(extension, ".JPG") != 0 &&
        AnsiCompareText(extension, ".JPEG") != 0)
        return;
    const std::array<TImage*, 8> images = Images();
    for (int cell = 0; cell < 8; ++cell)
        if (FCurrentCell == CellKeys[cell])
            images[cell]->Picture()->LoadFromFile(path);
}

void TMainForm1::TakeSnapshot() {
    const TRect area = Rect(0, 0, 480, 360);
    Image0->Canvas()->CopyRect(area, Canvas(), area);
}

void TMainForm1::EncodeAndWrite(const AnsiString& Path) {
    auto jpeg = std::make_unique<TJPEGImage>();
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->Assign(Image0->Picture()->Bitmap());
    jpeg->Assign(bitmap.get());
    jpeg->SetCompressionQuality(JpegQuality);
    jpeg->SaveToFile(Path);
}

void TMainForm1::Save1Click(TObject*) {
    TakeSnapshot();
    if (!SavePictureDialog1->Execute())
        return;
    const AnsiString path = SavePictureDialog1->FileName();
    if (FileExists(path) && MessageDlg(path + " は既に存在します。\n上書きしますか？",
                                       mtConfirmation, {mbYes, mbNo}, 0) != mrYes)
        return;
    EncodeAndWrite(path);
}

void TMainForm1::M1Click(TObject*) {
    const AnsiString stamp = MailTimeStamp(std::time(nullptr));
    const AnsiString path = AttachmentFolder() + "/" + stamp + ".jpg";
    TakeSnapshot();
    EncodeAndWrite(path);

    MapiRecipDesc recipient;
    recipient.ulRecipClass = MAPI_TO;
    recipient.lpszName = "";
    recipient.lpszAddress = "";
    MapiFileDesc attachment;
    attachment.nPosition = 0xFFFFFFFF;
    attachment.lpszPathName = path.c_str();
    MapiMessage message;
    message.lpszSubject = MailSubject;
    message.lpszNoteText = "";
    message.nRecipCount = 1;
    message.lpRecips = &recipient;
    message.nFileCount = 1;
    message.lpFiles = &attachment;
    const ULONG result = MapiSendMail(0, Application->Handle(), &message,
                                      MAPI_LOGON_UI | MAPI_NEW_SESSION | MAPI_DIALOG, 0);
    if (result != SUCCESS_SUCCESS) {
        MessageBeep(0);
        ShowMessage(MailNotice);
    }
    if (FileExists(path))
        DeleteFile(path);
}

void TMainForm1::N4Click(TObject*) {
    const AnsiString address = InformationAddress(ParamStr(0));
    ShellExecute(Handle(), "OPEN", address.c_str(), "", "", SW_SHOW);
}

void TMainForm1::CheckOnly(TMenuItem* Item) {
    Item->SetChecked(true);
    for (TMenuItem* other : {N6, N7, N10, N11, N8})
        if (other != Item)
            other->SetChecked(false);
}

void TMainForm1::ShowMarkers(const char* const (&Texts)[8], TColor Color) {
    const std::array<TShadowLabel*, 8> markers = Markers();
    for (int i = 0; i < 8; ++i) {
        markers[i]->SetCaption(Texts[i]);
        markers[i]->SetVisible(true);
        markers[i]->Font()->SetColor(Color);
    }
}

void TMainForm1::N6Click(TObject*) {
    CheckOnly(N6);
    ShowMarkers(Numbers, clWhite);
}

void TMainForm1::N7Click(TObject*) {
    CheckOnly(N7);
    ShowMarkers(Numbers, clBlack);
}

void TMainForm1::N10Click(TObject*) {
    CheckOnly(N10);
    ShowMarkers(Letters, clWhite);
}

void TMainForm1::N11Click(TObject*) {
    CheckOnly(N11);
    ShowMarkers(Letters, clBlack);
}

void TMainForm1::N8Click(TObject*) {
    CheckOnly(N8);
    for (TShadowLabel* marker : Markers())
        marker->SetVisible(false);
}

void RegisterMainForm() {
    static const bool registered = [] {
        RegisterStockClasses();
        RegisterShadowLabel();
        using F = TMainForm1;
        RegisterClass<F>("TMainForm1", "TForm")
            .Field("Image1", &F::Image1)
            .Field("Image2", &F::Image2)
            .Field("Image3", &F::Image3)
            .Field("Image4", &F::Image4)
            .Field("Image5", &F::Image5)
            .Field("Image6", &F::Image6)
            .Field("Image7", &F::Image7)
            .Field("Image8", &F::Image8)
            .Field("Shape1", &F::Shape1)
            .Field("Shape2", &F::Shape2)
            .Field("Shape3", &F::Shape3)
            .Field("Shape4", &F::Shape4)
            .Field("Shape5", &F::Shape5)
            .Field("Shape6", &F::Shape6)
            .Field("Shape7", &F::Shape7)
            .Field("Shape8", &F::Shape8)
            .Field("PopupMenu1", &F::PopupMenu1)
            .Field("Save1", &F::Save1)
            .Field("SavePictureDialog1", &F::SavePictureDialog1)
            .Field("Image0", &F::Image0)
            .Field("M1", &F::M1)
            .Field("N1", &F::N1)
            .Field("N2", &F::N2)
            .Field("Label1", &F::Label1)
            .Field("Label2", &F::Label2)
            .Field("Label3", &F::Label3)
            .Field("Label4", &F::Label4)
            .Field("Label5", &F::Label5)
            .Field("Label6", &F::Label6)
            .Field("Label7", &F::Label7)
            .Field("Label8", &F::Label8)
            .Field("N3", &F::N3)
            .Field("N4", &F::N4)
            .Field("D1", &F::D1)
            .Field("N6", &F::N6)
            .Field("N7", &F::N7)
            .Field("N8", &F::N8)
            .Field("N10", &F::N10)
            .Field("N11", &F::N11)
            .Field("N9", &F::N9)
            .Method("Image1MouseMove", &F::Image1MouseMove)
            .Method("Image2MouseMove", &F::Image2MouseMove)
            .Method("Image3MouseMove", &F::Image3MouseMove)
            .Method("Image4MouseMove", &F::Image4MouseMove)
            .Method("Image5MouseMove", &F::Image5MouseMove)
            .Method("Image6MouseMove", &F::Image6MouseMove)
            .Method("Image7MouseMove", &F::Image7MouseMove)
            .Method("Image8MouseMove", &F::Image8MouseMove)
            .Method("Image1DblClick", &F::Image1DblClick)
            .Method("Image2DblClick", &F::Image2DblClick)
            .Method("Image3DblClick", &F::Image3DblClick)
            .Method("Image4DblClick", &F::Image4DblClick)
            .Method("Image5DblClick", &F::Image5DblClick)
            .Method("Image6DblClick", &F::Image6DblClick)
            .Method("Image7DblClick", &F::Image7DblClick)
            .Method("Image8DblClick", &F::Image8DblClick)
            .Method("Save1Click", &F::Save1Click)
            .Method("M1Click", &F::M1Click)
            .Method("D1Click", &F::D1Click)
            .Method("N4Click", &F::N4Click)
            .Method("N6Click", &F::N6Click)
            .Method("N7Click", &F::N7Click)
            .Method("N8Click", &F::N8Click)
            .Method("N10Click", &F::N10Click)
            .Method("N11Click", &F::N11Click);
        return true;
    }();
    (void)registered;
}
