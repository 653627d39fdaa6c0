#include "platform/ui/Application.h"

#include "platform/base/FileUtils.h"
#include "platform/base/MultiByte.h"
#include "platform/host/Host.h"
#include "platform/ui/Control.h"

namespace {

AnsiString DefaultTitle() {
    AnsiString name = ExtractFileName(ParamStr(0));
    return ChangeFileExt(name, "");
}

TApplication TheApplication(nullptr);

} // namespace

TApplication* Application = &TheApplication;

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), FTitle(DefaultTitle()) {}

TApplication::~TApplication() {
    SetDestroying();
    DestroyComponents();
}

void TApplication::Initialize() {
    THost& host = THost::Current();
    host.SetIdleHandler([this] { Guard([this] { Idle(); }); });
    host.SetSysColorChangeHandler([this] {
        Guard([] {
            // By index: a handler may create or free forms.
            const std::vector<TCustomForm*>& forms = AllForms();
            for (std::size_t i = 0; i < forms.size(); ++i)
                forms[i]->Perform(CM_SYSCOLORCHANGE, 0, 0);
        });
    });
}

void TApplication::Run() {
    if (FMainForm == nullptr)
        return;
    Initialize();
    if (FTerminated)
        return;
    FMainForm->Show();
    if (FTerminated)
        return;
    THost::Current().Run();
}

void TApplication::Terminate() {
    FTerminated = true;
    THost::Current().Quit();
}

void TApplication::ProcessMessages() {
    THost::Current().ProcessMessages();
}

void TApplication::Idle() {
    TPoint pos;
    GetCursorPos(&pos);
    TControl* capture = GetCaptureControl();
    TControl* control = FindDragTarget(pos, true);
    if (control == FMouseControl)
        return;
    // While a control holds the capture, it alone hears that the pointer left or entered it.
    if (FMouseControl != nullptr && (capture == nullptr || capture == FMouseControl))
        FMouseControl->Perform(CM_MOUSELEAVE, 0, 0);
    FMouseControl = control;
    if (FMouseControl != nullptr && (capture == nullptr || capture == FMouseControl))
        FMouseControl->Perform(CM_MOUSEENTER, 0, 0);
}

HWND TApplication::Handle() const {
    return THost::Current().ApplicationHandle();
}

void TApplication::HandleException(TObject* Sender) {
    std::exception_ptr current = std::current_exception();
    if (current == nullptr)
        return;
    try {
        std::rethrow_exception(current);
    } catch (const EAbort&) {
    } catch (const Exception& E) {
        if (FOnException)
            FOnException(Sender, E);
        else
            ShowException(E);
    } catch (...) {
        Exception E("");
        if (FOnException)
            FOnException(Sender, E);
        else
            ShowException(E);
    }
}

AnsiString TApplication::ExceptionText(const AnsiString& Message) {
    if (Message.empty())
        return Message;
    // The last character is told by its first byte.
    std::size_t last = Message.size() - 1;
    while (last > 0 && IsTrailByte(static_cast<unsigned char>(Message[last])))
        --last;
    if (static_cast<unsigned char>(Message[last]) > static_cast<unsigned char>('.'))
        return Message + ".";
    return Message;
}

void TApplication::ShowException(const Exception& E) {
    THostMessageBoxParams params;
    params.Caption = FTitle;
    params.Text = ExceptionText(E.Message());
    params.Icon = THostBoxIcon::Error;
    params.Buttons = {{"OK", 1}};
    params.DefaultButton = 0;
    params.EscapeResult = 1;
    params.Owner =
        FMainForm != nullptr && FMainForm->HandleAllocated() ? FMainForm->Handle() : Handle();
    THost::Current().MessageBox(params);
}

void TApplication::Guard(const std::function<void()>& Task) {
    try {
        Task();
    } catch (...) {
        HandleException(this);
    }
}

void TApplication::ControlDestroyed(TControl* Control) {
    if (FMouseControl == Control)
        FMouseControl = nullptr;
    if (static_cast<TControl*>(FMainForm) == Control)
        FMainForm = nullptr;
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == static_cast<TComponent*>(FMainForm))
        FMainForm = nullptr;
}

void TApplication::Done() {
    DestroyComponents();
    FMainForm = nullptr;
    FMouseControl = nullptr;
    FTerminated = false;
    FTitle = DefaultTitle();
    FOnException = nullptr;
}
