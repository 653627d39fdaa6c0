#pragma once

#include "platform/base/Component.h"

#include <cstdint>
#include <initializer_list>

// The save dialog with a picture preview. FileName keeps the last confirmed path, so the
// next run opens with it.
class TSavePictureDialog : public TComponent {
public:
    explicit TSavePictureDialog(TComponent* AOwner);
    AnsiString ClassName() const override { return "TSavePictureDialog"; }

    // Without the dot ("jpg"); appended to a confirmed name that has no extension.
    const AnsiString& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const AnsiString& Value) { FDefaultExt = Value; }
    // Pairs of description and patterns: "JPEG ファイル (*.jpg;*.jpeg)|*.jpg;*.jpeg|...".
    const AnsiString& Filter() const { return FFilter; }
    void SetFilter(const AnsiString& Value) { FFilter = Value; }
    // The filter shown first, counted from 1.
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int Value) { FFilterIndex = Value; }
    const AnsiString& FileName() const { return FFileName; }
    void SetFileName(const AnsiString& Value) { FFileName = Value; }
    const AnsiString& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const AnsiString& Value) { FInitialDir = Value; }
    // Empty: the system's default title.
    const AnsiString& Title() const { return FTitle; }
    void SetTitle(const AnsiString& Value) { FTitle = Value; }

    // Modal. True when the user confirmed a name, which is then in FileName; false (and
    // FileName unchanged) when cancelled.
    virtual bool Execute();

private:
    AnsiString FDefaultExt;
    AnsiString FFilter;
    int FFilterIndex = 1;
    AnsiString FFileName;
    AnsiString FInitialDir;
    AnsiString FTitle;
};

enum TMsgDlgType : std::uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : std::uint8_t { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore };

// A set of buttons: {mbYes, mbNo}.
class TMsgDlgButtons {
public:
    constexpr TMsgDlgButtons() = default;
    constexpr TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> Buttons) {
        for (TMsgDlgBtn b : Buttons)
            FBits |= Bit(b);
    }
    constexpr bool Contains(TMsgDlgBtn Button) const { return (FBits & Bit(Button)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TMsgDlgButtons& operator<<(TMsgDlgBtn Button) {
        FBits |= Bit(Button);
        return *this;
    }
    constexpr bool operator==(const TMsgDlgButtons&) const = default;

private:
    static constexpr std::uint8_t Bit(TMsgDlgBtn B) { return static_cast<std::uint8_t>(1u << B); }
    std::uint8_t FBits = 0;
};

// What a modal box or form answers.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;

// A modal message box: captioned by its type ("警告", "エラー", "情報", "確認"; the
// application title for mtCustom) with the type's icon and the buttons in the order
// Yes, No, OK, Cancel, Abort, Retry, Ignore; the first is the default. Returns the chosen
// button's result. Esc or closing the box gives mrCancel when there is a Cancel button, else
// mrNo when there is a No button, else mrOk when there is an OK button, else mrCancel. An
// empty set shows one OK button, so that the box can be answered. HelpCtx is accepted.
TModalResult MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                        int HelpCtx);

// A modal box captioned with the application title, without an icon, with one "OK" button.
void ShowMessage(const AnsiString& Msg);
