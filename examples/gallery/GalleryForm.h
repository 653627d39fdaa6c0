#pragma once

#include "controls/ShineSpdBtn.h"
#include "platform/ui/Form.h"

// A form that places shine speed buttons in every look: frame types, active and disabled
// images, layouts, colour sets and transparency, a group shared with a stock speed button,
// and a latching button that disables and enables the frame row.
class TGalleryForm : public TForm {
public:
    explicit TGalleryForm(TComponent* AOwner);
    AnsiString ClassName() const override { return "TGalleryForm"; }

    TShineSpeedButton* FlatButton = nullptr;
    TShineSpeedButton* NormalButton = nullptr;
    TShineSpeedButton* EnclosedButton = nullptr;
    TShineSpeedButton* RowSwitch = nullptr;

    void RowSwitchClick(TObject* Sender);
};

// Makes the form and everything it places known to form descriptions; safe to call again.
void RegisterGalleryForm();
