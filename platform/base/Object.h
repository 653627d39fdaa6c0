#pragma once

#include "platform/base/Types.h"

// The root of every class of the component library.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    virtual AnsiString ClassName() const { return "TObject"; }
};

// An object whose settings can be copied from another one with Assign.
class TPersistent : public TObject {
public:
    AnsiString ClassName() const override { return "TPersistent"; }

    // Copies Source's settings. The default hands the work to Source->AssignTo and fails
    // with the assignment error when neither side knows the other.
    virtual void Assign(TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest);
    // Throws EConvertError "<source class or nil> を <this class> に代入することはできません".
    [[noreturn]] void AssignError(TPersistent* Source);
};
