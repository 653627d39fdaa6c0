#pragma once

#include "platform/base/Registry.h"

#include <any>

// Reads a text form description into an existing root component (a form) and the components
// it describes:
//   object MainForm1: TMainForm1
//     Left = 20
//     Caption = 'text'            (UTF-8; '' doubles a quote; #nnn code points may follow)
//     Font.Name = 'name'          (dotted names reach object properties)
//     Font.Style = [fsBold]
//     OnMouseMove = Image1MouseMove
//     object Image1: TImage ... end
//   end
// Components are created through the class registry with the root as owner, named, set
// property by property in the order written, and get Loaded() once all are read. A nested
// object's Parent is set through ParentHook (the ui layer makes controls children of the
// nearest enclosing control, menu items children of the enclosing menu item). Errors name the
// form, the line and the unknown word (EReadError):
//   "<form>: <line>: unknown class 'TImag'", "... unknown property 'Font.Nme'",
//   "... unknown method 'Image1Clik'", "... invalid value 'clWhit'", "... missing end of
//   'Image1'". Identifiers (class, property, method and enumeration names, True and False)
// are compared ignoring the case of ASCII letters; component names exactly.
class TReader {
public:
    using TParentHook = std::function<void(TComponent* Child, TComponent* Enclosing)>;

    TReader(AnsiString Text, AnsiString FormName);
    // Reads into Root, whose class must be the one the description names (or a parent of it).
    void ReadRootComponent(TComponent* Root);

    static void SetParentHook(TParentHook Hook);

    TComponent* Root() const { return FRoot; }
    // Throws EReadError "<form>: <line>: <message>".
    [[noreturn]] void Error(const AnsiString& Message) const;
    std::any Method(const AnsiString& Name) const;
    // Runs Apply with the component Name (the root, one it owns, or null for "nil") once the
    // whole description is read; an unknown name, or Apply answering false (a component of
    // the wrong class), is an error on the line being read now.
    void FixupReference(const AnsiString& Name, std::function<bool(TComponent*)> Apply);

private:
    struct TFixup {
        AnsiString Name;
        int Line;
        std::function<bool(TComponent*)> Apply;
    };

    AnsiString FText;
    AnsiString FFormName;
    TComponent* FRoot = nullptr;
    int FLine = 0;
    std::vector<TFixup> FFixups;
    friend class TFormParser;
};

// Reads Text (the embedded .dfm) into Root: TReader(Text, Name).ReadRootComponent(Root).
void ReadComponentRes(const char* Text, const AnsiString& FormName, TComponent* Root);
