#pragma once

class TComponent;

// Registers TControl, TGraphicControl, TWinControl, TCustomForm, TForm and TTimer with their
// published properties and events in streaming order, TFont, TPen and TBrush, the
// enumerations and the colour names (clWhite ... clBtnFace), and installs the reader's
// parent hook. Safe to call more than once.
void RegisterControlClasses();

// A rule of the reader's parent hook: nests Child read inside Enclosing and answers true, or
// answers false to let the next rule try. The control rule (a control becomes a child of the
// nearest enclosing TWinControl) comes first; other layers add theirs (menu items). Adding a
// rule twice adds it once.
using TParentRule = bool (*)(TComponent* Child, TComponent* Enclosing);
void AddParentRule(TParentRule Rule);
