#include "platform/graphics/Picture.h"

#include "platform/base/Exceptions.h"
#include "platform/base/FileUtils.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/JpegImage.h"

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Assign(TPersistent* Source) {
    if (Source == nullptr)
        SetGraphic(nullptr);
    else if (auto* picture = dynamic_cast<TPicture*>(Source))
        SetGraphic(picture->Graphic());
    else if (auto* graphic = dynamic_cast<TGraphic*>(Source))
        SetGraphic(graphic);
    else
        TPersistent::Assign(Source);
}

void TPicture::SetGraphic(TGraphic* Value) {
    if (Value == FGraphic.get())
        return;
    if (Value == nullptr) {
        Replace(nullptr);
        return;
    }
    std::unique_ptr<TGraphic> graphic;
    if (dynamic_cast<TJPEGImage*>(Value) != nullptr)
        graphic = std::make_unique<TJPEGImage>();
    else if (dynamic_cast<TBitmap*>(Value) != nullptr)
        graphic = std::make_unique<TBitmap>();
    else
        AssignError(Value);
    graphic->Assign(Value);
    Replace(std::move(graphic));
}

TBitmap* TPicture::Bitmap() {
    if (auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get()))
        return bitmap;
    Replace(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::LoadFromFile(const AnsiString& FileName) {
    AnsiString extension = ExtractFileExt(FileName);
    AnsiString kind = extension.empty() ? extension : extension.substr(1);
    for (char& c : kind) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    std::unique_ptr<TGraphic> graphic;
    if (kind == "bmp")
        graphic = std::make_unique<TBitmap>();
    else if (kind == "jpg" || kind == "jpeg")
        graphic = std::make_unique<TJPEGImage>();
    else
        throw EInvalidGraphic(Format("未知の画像ファイル拡張子です (%s)", extension.c_str()));
    graphic->LoadFromFile(FileName);
    Replace(std::move(graphic));
}

void TPicture::Replace(std::unique_ptr<TGraphic> Value) {
    std::unique_ptr<TGraphic> previous = std::move(FGraphic);
    FGraphic = std::move(Value);
    if (FGraphic)
        FGraphic->SetOnChange([this](TObject*) { Changed(); });
    Changed();
}

void TPicture::Changed() {
    if (FOnChange)
        FOnChange(this);
}
