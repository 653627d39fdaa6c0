#pragma once

#include "platform/ui/GraphicControl.h"

#include <memory>

class TPicture;

// Shows a picture: stretched to the client area (nearest neighbour) when Stretch, else at its
// own size, centred when Center; Proportional keeps the aspect ratio while fitting a picture
// that is too large (or any picture, with Stretch). An empty picture draws nothing, so what
// lies beneath shows through.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;
    AnsiString ClassName() const override { return "TImage"; }

    // The owned picture; a change of it (loading, emptying, drawing on its bitmap) repaints.
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value); // copies

    // The canvas of the picture's bitmap, not of the form. An image without a picture first
    // gets a new bitmap of its own size, which stays its picture. Fails with
    // EInvalidOperation when the picture holds another kind of graphic.
    TCanvas* Canvas();

    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    bool Center() const { return FCenter; }
    void SetCenter(bool Value);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool Value);
    // Draws the picture leaving out its transparent colour.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // Takes the picture's size whenever the picture changes.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);

    // Where the picture is drawn, in client coordinates.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    void PictureChanged(TObject* Sender);

    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FTransparent = false;
    bool FAutoSize = false;
    bool FDrawing = false;
};
