#include "platform/ui/Dialogs.h"

#include "platform/base/FileUtils.h"
#include "platform/host/Host.h"
#include "platform/ui/Application.h"

#include <vector>

namespace {

// "desc|patterns|desc|patterns": a description without patterns still makes an entry.
std::vector<THostFilter> ParseFilter(const AnsiString& Filter) {
    std::vector<AnsiString> parts;
    if (!Filter.empty())
        for (std::size_t start = 0;;) {
            std::size_t bar = Filter.find('|', start);
            parts.push_back(Filter.substr(start, bar - start));
            if (bar == AnsiString::npos)
                break;
            start = bar + 1;
        }
    std::vector<THostFilter> result;
    for (std::size_t i = 0; i < parts.size(); i += 2)
        result.push_back({parts[i], i + 1 < parts.size() ? parts[i + 1] : AnsiString()});
    return result;
}

struct TButtonInfo {
    TMsgDlgBtn Button;
    const char* Caption;
    TModalResult Result;
};

constexpr TButtonInfo ButtonInfos[] = {
    {mbYes, "はい(&Y)", mrYes},
    {mbNo, "いいえ(&N)", mrNo},
    {mbOK, "OK", mrOk},
    {mbCancel, "キャンセル", mrCancel},
    {mbAbort, "中止(&A)", mrAbort},
    {mbRetry, "再試行(&R)", mrRetry},
    {mbIgnore, "無視(&I)", mrIgnore},
};

THostBoxIcon IconOf(TMsgDlgType Type) {
    switch (Type) {
    case mtWarning:
        return THostBoxIcon::Warning;
    case mtError:
        return THostBoxIcon::Error;
    case mtInformation:
        return THostBoxIcon::Information;
    case mtConfirmation:
        return THostBoxIcon::Question;
    case mtCustom:
        break;
    }
    return THostBoxIcon::None;
}

AnsiString CaptionOf(TMsgDlgType Type) {
    switch (Type) {
    case mtWarning:
        return "警告";
    case mtError:
        return "エラー";
    case mtInformation:
        return "情報";
    case mtConfirmation:
        return "確認";
    case mtCustom:
        break;
    }
    return Application->Title();
}

} // namespace

TSavePictureDialog::TSavePictureDialog(TComponent* AOwner) : TComponent(AOwner) {}

bool TSavePictureDialog::Execute() {
    THost& host = THost::Current();
    THostSaveDialogParams params;
    params.Title = FTitle;
    params.Filters = ParseFilter(FFilter);
    params.FilterIndex = FFilterIndex - 1;
    params.InitialDir = FInitialDir;
    params.FileName = FFileName;
    params.DefaultExt = FDefaultExt;
    params.PicturePreview = true;
    params.Owner = host.ApplicationHandle();
    std::optional<AnsiString> chosen = host.SaveDialog(params);
    if (!chosen)
        return false;
    AnsiString path = *chosen;
    // The system's dialog completes a bare name with the default extension.
    if (!FDefaultExt.empty() && ExtractFileExt(path).empty())
        path += "." + FDefaultExt;
    FFileName = path;
    return true;
}

TModalResult MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                        int /*HelpCtx*/) {
    if (Buttons.Empty())
        Buttons << mbOK;
    THostMessageBoxParams params;
    params.Caption = CaptionOf(DlgType);
    params.Text = Msg;
    params.Icon = IconOf(DlgType);
    for (const TButtonInfo& b : ButtonInfos)
        if (Buttons.Contains(b.Button))
            params.Buttons.push_back({b.Caption, b.Result});
    params.DefaultButton = 0;
    if (Buttons.Contains(mbCancel))
        params.EscapeResult = mrCancel;
    else if (Buttons.Contains(mbNo))
        params.EscapeResult = mrNo;
    else if (Buttons.Contains(mbOK))
        params.EscapeResult = mrOk;
    else
        params.EscapeResult = mrCancel;
    THost& host = THost::Current();
    params.Owner = host.ApplicationHandle();
    return host.MessageBox(params);
}

void ShowMessage(const AnsiString& Msg) {
    MessageDlg(Msg, mtCustom, {mbOK}, 0);
}
