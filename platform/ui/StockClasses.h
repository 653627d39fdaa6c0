#pragma once

// Registers the stock controls and components for form descriptions -- TImage, TShape,
// TCustomLabel, TLabel, TSpeedButton, TMenuItem, TPopupMenu and TSavePictureDialog -- with
// their published properties in streaming order, declared defaults and enumerations, after
// the core classes (RegisterControlClasses). Safe to call more than once.
void RegisterStockClasses();
