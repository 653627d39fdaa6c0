#include "examples/gallery/GalleryForm.h"

#include "platform/base/FormReader.h"
#include "platform/base/Registry.h"
#include "platform/graphics/XpmImage.h"
#include "platform/ui/StockClasses.h"

extern const char GalleryFormDfm[];
extern const char GalleryStarGlyph[];
extern const char GalleryDiskGlyph[];
extern const char GalleryArrowGlyph[];

void RegisterGalleryForm() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    RegisterStockClasses();
    RegisterShineSpdBtn();
    using F = TGalleryForm;
    RegisterClass<F>("TGalleryForm", "TForm")
        .Field("FlatButton", &F::FlatButton)
        .Field("NormalButton", &F::NormalButton)
        .Field("EnclosedButton", &F::EnclosedButton)
        .Field("RowSwitch", &F::RowSwitch)
        .Method("RowSwitchClick", &F::RowSwitchClick);
}

TGalleryForm::TGalleryForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterGalleryForm();
    ReadComponentRes(GalleryFormDfm, "GalleryForm", this);
    // A description holds no pictures: a button's Tag names its glyph.
    const char* const glyphs[] = {GalleryStarGlyph, GalleryDiskGlyph, GalleryArrowGlyph};
    for (int i = 0; i < ComponentCount(); ++i) {
        auto* button = dynamic_cast<TShineSpeedButton*>(Components(i));
        if (button == nullptr || button->Tag() < 1 || button->Tag() > 3)
            continue;
        TBitmap glyph;
        LoadXpm(glyph, glyphs[button->Tag() - 1]);
        button->SetGlyph(&glyph);
    }
}

void TGalleryForm::RowSwitchClick(TObject*) {
    for (TShineSpeedButton* button : {FlatButton, NormalButton, EnclosedButton})
        button->SetEnabled(!RowSwitch->Down());
}
