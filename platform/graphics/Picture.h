#pragma once

#include "platform/base/Events.h"
#include "platform/base/Object.h"
#include "platform/graphics/Graphic.h"

#include <memory>

class TBitmap;

// Holds at most one graphic, which it owns.
class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;
    AnsiString ClassName() const override { return "TPicture"; }

    // From another picture or a graphic (copied into a new graphic of its class); nil empties.
    void Assign(TPersistent* Source) override;

    TGraphic* Graphic() const { return FGraphic.get(); }
    // Takes a copy of Value, through Assign into a new graphic of the same class; nullptr
    // empties the picture.
    void SetGraphic(TGraphic* Value);
    // The held bitmap; a picture without one (empty or holding another kind of graphic) gets
    // a new empty bitmap in place of what it held.
    TBitmap* Bitmap();

    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }

    // The class is chosen by the extension, without its "." and in lower case: "bmp" gives a
    // TBitmap, "jpg" and "jpeg" a TJPEGImage; anything else fails with EInvalidGraphic
    // "未知の画像ファイル拡張子です (.ext)". On failure the picture keeps what it held and
    // the exception passes on.
    void LoadFromFile(const AnsiString& FileName);

    // Called when the held graphic is replaced or changes.
    const TNotifyEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

private:
    void Replace(std::unique_ptr<TGraphic> Value);
    void Changed();

    std::unique_ptr<TGraphic> FGraphic;
    TNotifyEvent FOnChange;
};
