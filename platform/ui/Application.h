#pragma once

#include "platform/base/Component.h"
#include "platform/base/Exceptions.h"
#include "platform/ui/Form.h"

#include <functional>

class TControl;

using TExceptionEvent = std::function<void(TObject* Sender, const Exception& E)>;

// The application object: its forms, its main form, the message loop on the current host
// and the default handling of exceptions that escape event and message handlers.
//
// Every call from the host into the ui (window events, timers, idle, posted tasks) runs
// through Guard, so an exception that escapes a handler reaches HandleException and the loop
// goes on.
//
// Idle processing (whenever the host's loop falls idle): the control under the pointer is
// found (FindDragTarget, disabled controls allowed); when it differs from the last one,
// CM_MOUSELEAVE goes to the last one and CM_MOUSEENTER to the new one (LParam = the
// control). While a control holds the capture only it gets these messages.
class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;
    AnsiString ClassName() const override { return "TApplication"; }

    // Hooks the application to the current host (idle processing). Needs THost::Current().
    void Initialize();

    // Names the program; the caption of the error box. Defaults to the executable's name
    // without its extension.
    const AnsiString& Title() const { return FTitle; }
    void SetTitle(const AnsiString& Value) { FTitle = Value; }

    // Creates a form of class T owned by the application and stores it in Reference; the
    // first form created becomes the main form.
    template <class T> void CreateForm(T*& Reference) {
        Initialize();
        Reference = new T(this);
        if (FMainForm == nullptr)
            FMainForm = Reference;
    }
    TCustomForm* MainForm() const { return FMainForm; }

    // Shows the main form and runs the host's loop until the main form closes (or
    // Terminate). Returns at once when there is no main form or Terminate came first.
    void Run();
    // Ends the loop.
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Handles the host's pending events, then returns.
    void ProcessMessages();
    // The idle processing (see above); the host calls it when its loop falls idle.
    void Idle();

    // The application's own window: the owner of dialogs and mail windows.
    HWND Handle() const;

    // Call from inside a catch handler: EAbort is dropped, OnException (when set) or
    // ShowException gets any other Exception, anything else becomes an Exception with an
    // empty message.
    void HandleException(TObject* Sender);
    // A modal box: caption Title, error icon, one "OK" button; the text is the message, with
    // "." appended when it is not empty and its last character (its first byte) sorts after
    // ".".
    void ShowException(const Exception& E);
    // The text ShowException shows for Message.
    static AnsiString ExceptionText(const AnsiString& Message);

    const TExceptionEvent& OnException() const { return FOnException; }
    void SetOnException(TExceptionEvent Value) { FOnException = std::move(Value); }

    // Runs Task; an exception escaping it goes to HandleException.
    void Guard(const std::function<void()>& Task);

    // The control that last got CM_MOUSEENTER, or null.
    TControl* MouseControl() const { return FMouseControl; }
    // Forgets Control wherever the application tracks it (it is going away).
    void ControlDestroyed(TControl* Control);

    // Frees every form and component of the application and starts afresh (no main form,
    // default title, not terminated). The program's entry calls it before its host goes;
    // tests call it after each case.
    void Done();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    AnsiString FTitle;
    TCustomForm* FMainForm = nullptr;
    TControl* FMouseControl = nullptr;
    bool FTerminated = false;
    TExceptionEvent FOnException;
};

// The one application object.
extern TApplication* Application;
