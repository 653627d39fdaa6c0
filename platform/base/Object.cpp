#include "platform/base/Object.h"

#include "platform/base/Exceptions.h"

void TPersistent::Assign(TPersistent* Source) {
    if (Source != nullptr)
        Source->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) {
    Dest->AssignError(this);
}

void TPersistent::AssignError(TPersistent* Source) {
    AnsiString source = Source != nullptr ? Source->ClassName() : AnsiString("nil");
    throw EConvertError(
        Format("%s を %s に代入することはできません", source.c_str(), ClassName().c_str()));
}
