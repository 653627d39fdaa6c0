#include "platform/ui/Image.h"

#include "platform/base/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Picture.h"

TImage::TImage(TComponent* AOwner)
    : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
    SetControlStyle(ControlStyle() | csReplicatable);
    FPicture->SetOnChange([this](TObject* Sender) { PictureChanged(Sender); });
    SetBounds(Left(), Top(), 105, 105);
}

TImage::~TImage() {
    FPicture->SetOnChange({});
}

void TImage::SetPicture(TPicture* Value) {
    FPicture->Assign(Value);
}

TCanvas* TImage::Canvas() {
    if (FPicture->Graphic() == nullptr)
        FPicture->Bitmap()->SetSize(Width(), Height());
    auto* bitmap = dynamic_cast<TBitmap*>(FPicture->Graphic());
    if (bitmap == nullptr)
        throw EInvalidOperation("ビットマップを含むイメージだけが変更できます");
    return bitmap->Canvas();
}

void TImage::SetStretch(bool Value) {
    if (FStretch == Value)
        return;
    FStretch = Value;
    PictureChanged(this);
}

void TImage::SetCenter(bool Value) {
    if (FCenter == Value)
        return;
    FCenter = Value;
    PictureChanged(this);
}

void TImage::SetProportional(bool Value) {
    if (FProportional == Value)
        return;
    FProportional = Value;
    PictureChanged(this);
}

void TImage::SetTransparent(bool Value) {
    if (FTransparent == Value)
        return;
    FTransparent = Value;
    PictureChanged(this);
}

void TImage::SetAutoSize(bool Value) {
    if (FAutoSize == Value)
        return;
    FAutoSize = Value;
    PictureChanged(this);
}

TRect TImage::DestRect() const {
    int w = FPicture->Width();
    int h = FPicture->Height();
    const int cw = ClientWidth();
    const int ch = ClientHeight();
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            // The largest size of the picture's shape that fits.
            if (static_cast<long long>(cw) * h <= static_cast<long long>(ch) * w) {
                h = static_cast<int>(static_cast<long long>(h) * cw / w);
                w = cw;
            } else {
                w = static_cast<int>(static_cast<long long>(w) * ch / h);
                h = ch;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    int x = 0;
    int y = 0;
    if (FCenter) {
        x = (cw - w) / 2;
        y = (ch - h) / 2;
    }
    return Bounds(x, y, w, h);
}

void TImage::PictureChanged(TObject*) {
    if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
        SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
    bool opaque = false;
    if (TGraphic* graphic = FPicture->Graphic()) {
        if (graphic->Transparent() != FTransparent)
            graphic->SetTransparent(FTransparent);
        // Only a picture that covers the whole image hides what lies beneath.
        TRect dest = DestRect();
        opaque = !graphic->Empty() && !graphic->Transparent() && dest.Left <= 0 && dest.Top <= 0 &&
                 dest.Right >= Width() && dest.Bottom >= Height();
    }
    SetControlStyle(opaque ? ControlStyle() | csOpaque : ControlStyle() & ~csOpaque);
    // Drawing a picture may change it (a JPEG decodes); that needs no second paint.
    if (!FDrawing)
        Invalidate();
}

void TImage::Paint() {
    TGraphic* graphic = FPicture->Graphic();
    if (graphic == nullptr || graphic->Empty())
        return;
    struct TDrawing {
        bool& Flag;
        explicit TDrawing(bool& F) : Flag(F) { Flag = true; }
        ~TDrawing() { Flag = false; }
    } drawing(FDrawing);
    TGraphicControl::Canvas()->StretchDraw(DestRect(), graphic);
}
