#include "platform/host/headless/HeadlessHost.h"

#include "platform/base/FileUtils.h"
#include "platform/graphics/Color.h"

#include <algorithm>
#include <cstdlib>

namespace {
// The loop goes round again while a round leaves work; a task that posts itself for ever
// would otherwise hold the caller for ever.
constexpr int MaxRounds = 1000;
// How far apart two presses of a double-click may be.
constexpr int DoubleClickSlop = 4;

AnsiString WithoutAccelerators(const AnsiString& Caption) {
    AnsiString out;
    for (std::size_t i = 0; i < Caption.size(); ++i) {
        if (Caption[i] == '&' && i + 1 < Caption.size()) {
            // "(&Y)" at the end of a Japanese caption is the key alone: drop it whole.
            if (i > 0 && Caption[i - 1] == '(' && i + 2 < Caption.size() && Caption[i + 2] == ')') {
                out.pop_back();
                i += 2;
                continue;
            }
            ++i;
        }
        out += Caption[i];
    }
    return out;
}

bool SameCaption(const AnsiString& Wanted, const AnsiString& Caption) {
    return Wanted == Caption || Wanted == WithoutAccelerators(Caption);
}

const THostMenuItem* FindItem(const std::vector<THostMenuItem>& Items, const AnsiString& Name) {
    for (const THostMenuItem& item : Items) {
        if (item.Name == Name)
            return &item;
        if (const THostMenuItem* inner = FindItem(item.Items, Name))
            return inner;
    }
    return nullptr;
}

int ButtonKey(TMouseButton Button) {
    switch (Button) {
    case mbLeft:
        return VK_LBUTTON;
    case mbRight:
        return VK_RBUTTON;
    case mbMiddle:
        return VK_MBUTTON;
    }
    return VK_LBUTTON;
}
} // namespace

THeadlessHost::THeadlessHost() : FApplicationHandle(FNextHandle++) {
    // Fixed colours: the default table, whatever an earlier test changed.
    ResetSysColors();
    THost::SetCurrent(this);
}

THeadlessHost::~THeadlessHost() {
    THost::SetCurrent(nullptr);
}

std::unique_ptr<THostWindow> THeadlessHost::CreateWindow(THostWindowEvents* Events,
                                                         const THostWindowParams& Params) {
    auto window = std::make_unique<THeadlessWindow>(*this, Events, FNextHandle++, Params);
    FWindows.push_back(window.get());
    return window;
}

void THeadlessHost::WindowDestroyed(THeadlessWindow* Window) {
    std::erase(FWindows, Window);
    if (FCapture == Window)
        FCapture = nullptr;
    if (FPointerWindow == Window)
        FPointerWindow = nullptr;
    if (FLastPress.Window == Window)
        FLastPress = {};
}

void THeadlessHost::WindowCapture(THeadlessWindow* Window, bool Capture) {
    if (Capture) {
        FCapture = Window;
    } else if (FCapture == Window) {
        FCapture = nullptr;
        // The pointer went elsewhere while the capture kept this window hearing it.
        if (FPointerWindow != Window)
            SendMouse(*Window, THostMouseEvent::Leave, mbLeft, 0, 0);
    }
}

THeadlessWindow* THeadlessHost::FindWindow(std::uintptr_t Handle) const {
    for (THeadlessWindow* window : FWindows)
        if (window->Handle() == Handle)
            return window;
    return nullptr;
}

THeadlessWindow* THeadlessHost::MainWindow() const {
    for (auto it = FWindows.rbegin(); it != FWindows.rend(); ++it)
        if ((*it)->Visible())
            return *it;
    return nullptr;
}

// The loop

void THeadlessHost::Run() {
    FQuitRequested = false;
    if (FRunHandler)
        FRunHandler();
    else
        ProcessMessages();
}

bool THeadlessHost::HasPendingWork() const {
    if (!FPosted.empty())
        return true;
    return std::any_of(FWindows.begin(), FWindows.end(), [](const THeadlessWindow* window) {
        return window->Visible() && !IsRectEmpty(window->DirtyArea());
    });
}

void THeadlessHost::RunPendingOnce() {
    // Tasks posted while these run wait for the next round, as new messages would.
    std::deque<std::function<void()>> tasks;
    tasks.swap(FPosted);
    for (auto& task : tasks)
        task();
    // A paint may destroy windows (a form closing itself), so walk a copy.
    const std::vector<THeadlessWindow*> windows = FWindows;
    for (THeadlessWindow* window : windows)
        if (std::find(FWindows.begin(), FWindows.end(), window) != FWindows.end())
            window->PaintDirty();
}

void THeadlessHost::ProcessMessages() {
    int rounds = 0;
    do {
        RunPendingOnce();
        if (FIdle)
            FIdle();
    } while (HasPendingWork() && ++rounds < MaxRounds);
}

int THeadlessHost::StartTimer(unsigned IntervalMs, std::function<void()> Tick) {
    const unsigned interval = std::max(IntervalMs, 1u);
    const int id = FNextTimer++;
    FTimers[id] = TTimer{interval, FNow + interval, std::move(Tick)};
    return id;
}

void THeadlessHost::Advance(std::uint64_t Ms) {
    const std::uint64_t end = FNow + Ms;
    for (;;) {
        // The earliest due timer; ties go to the lower id, the one started first.
        auto next = FTimers.end();
        for (auto it = FTimers.begin(); it != FTimers.end(); ++it)
            if (it->second.Due <= end &&
                (next == FTimers.end() || it->second.Due < next->second.Due))
                next = it;
        if (next == FTimers.end())
            break;
        FNow = next->second.Due;
        next->second.Due = FNow + next->second.Interval;
        // The tick may stop or start timers: call a copy.
        const std::function<void()> tick = next->second.Tick;
        tick();
        ProcessMessages();
    }
    FNow = end;
    ProcessMessages();
}

// The pointer and the keys

TShiftState THeadlessHost::CurrentShift() const {
    TShiftState shift;
    if (IsKeyDown(VK_SHIFT))
        shift << ssShift;
    if (IsKeyDown(VK_CONTROL))
        shift << ssCtrl;
    if (IsKeyDown(VK_MENU))
        shift << ssAlt;
    if (IsKeyDown(VK_LBUTTON))
        shift << ssLeft;
    if (IsKeyDown(VK_RBUTTON))
        shift << ssRight;
    if (IsKeyDown(VK_MBUTTON))
        shift << ssMiddle;
    return shift;
}

THeadlessWindow& THeadlessHost::PointerTarget(THeadlessWindow& Window, int& X, int& Y) const {
    if (FCapture == nullptr || FCapture == &Window)
        return Window;
    const TPoint from = Window.ClientOrigin();
    const TPoint to = FCapture->ClientOrigin();
    X += from.X - to.X;
    Y += from.Y - to.Y;
    return *FCapture;
}

void THeadlessHost::SendMouse(THeadlessWindow& Window, THostMouseEvent::TKind Kind,
                              TMouseButton Button, int X, int Y) {
    THostMouseEvent event;
    event.Kind = Kind;
    event.Button = Button;
    event.Shift = CurrentShift();
    if (Kind == THostMouseEvent::DoubleClick)
        event.Shift << ssDouble;
    event.X = X;
    event.Y = Y;
    Window.Events().HostMouse(event);
}

void THeadlessHost::PointerEnters(THeadlessWindow& Window) {
    if (FPointerWindow == &Window)
        return;
    THeadlessWindow* left = FPointerWindow;
    FPointerWindow = &Window;
    // A window holding the capture keeps hearing the pointer, so it is not told it left.
    if (left != nullptr && left != FCapture)
        SendMouse(*left, THostMouseEvent::Leave, mbLeft, 0, 0);
}

void THeadlessHost::MouseMove(THeadlessWindow& Window, int X, int Y) {
    const TPoint origin = Window.ClientOrigin();
    FCursor = {origin.X + X, origin.Y + Y};
    PointerEnters(Window);
    THeadlessWindow& target = PointerTarget(Window, X, Y);
    SendMouse(target, THostMouseEvent::Move, mbLeft, X, Y);
}

void THeadlessHost::MousePress(THeadlessWindow& Window, int X, int Y, TMouseButton Button) {
    const TPoint origin = Window.ClientOrigin();
    if (FCursor != TPoint{origin.X + X, origin.Y + Y} || FPointerWindow != &Window)
        MouseMove(Window, X, Y);
    const bool isDouble = !FLastPress.Double && FLastPress.Window == &Window &&
                          FLastPress.Button == Button &&
                          FNow - FLastPress.Time < DoubleClickTime() &&
                          std::abs(FLastPress.At.X - FCursor.X) <= DoubleClickSlop &&
                          std::abs(FLastPress.At.Y - FCursor.Y) <= DoubleClickSlop;
    FLastPress = TPress{&Window, Button, FNow, FCursor, isDouble};
    FKeysDown.insert(ButtonKey(Button));
    THeadlessWindow& target = PointerTarget(Window, X, Y);
    SendMouse(target, isDouble ? THostMouseEvent::DoubleClick : THostMouseEvent::Down, Button, X,
              Y);
}

void THeadlessHost::MouseRelease(THeadlessWindow& Window, int X, int Y, TMouseButton Button) {
    const TPoint origin = Window.ClientOrigin();
    if (FCursor != TPoint{origin.X + X, origin.Y + Y} || FPointerWindow != &Window)
        MouseMove(Window, X, Y);
    FKeysDown.erase(ButtonKey(Button));
    THeadlessWindow& target = PointerTarget(Window, X, Y);
    SendMouse(target, THostMouseEvent::Up, Button, X, Y);
}

void THeadlessHost::Click(THeadlessWindow& Window, int X, int Y, TMouseButton Button) {
    MousePress(Window, X, Y, Button);
    // The press may have closed the window (a command run from it).
    if (std::find(FWindows.begin(), FWindows.end(), &Window) != FWindows.end())
        MouseRelease(Window, X, Y, Button);
}

void THeadlessHost::DoubleClick(THeadlessWindow& Window, int X, int Y) {
    // A press just before must not pair with the first press of this one.
    FLastPress = {};
    Click(Window, X, Y);
    if (std::find(FWindows.begin(), FWindows.end(), &Window) != FWindows.end())
        Click(Window, X, Y);
}

void THeadlessHost::MouseLeave() {
    if (FPointerWindow == nullptr)
        return;
    THeadlessWindow* left = FPointerWindow;
    FPointerWindow = nullptr;
    if (left != FCapture)
        SendMouse(*left, THostMouseEvent::Leave, mbLeft, 0, 0);
}

void THeadlessHost::Key(THeadlessWindow& Window, std::uint16_t VirtualKey, TShiftState Shift,
                        char32_t Char) {
    Key(Window, THostKeyEvent{VirtualKey, Shift, Char});
}

void THeadlessHost::Key(THeadlessWindow& Window, const THostKeyEvent& Event) {
    // The modifiers and the key are down while the window hears it, and up again after.
    std::vector<int> held;
    const std::pair<TShiftFlag, int> modifiers[] = {
        {ssShift, VK_SHIFT}, {ssCtrl, VK_CONTROL}, {ssAlt, VK_MENU}};
    for (const auto& [flag, key] : modifiers)
        if (Event.Shift.Contains(flag) && FKeysDown.insert(key).second)
            held.push_back(key);
    if (FKeysDown.insert(Event.Key).second)
        held.push_back(Event.Key);
    Window.Events().HostKey(Event);
    for (int key : held)
        FKeysDown.erase(key);
}

void THeadlessHost::SetKeyDown(int VirtualKey, bool Down) {
    if (Down)
        FKeysDown.insert(VirtualKey);
    else
        FKeysDown.erase(VirtualKey);
}

void THeadlessHost::DropFiles(THeadlessWindow& Window, const std::vector<AnsiString>& Paths,
                              TPoint At) {
    if (!Window.AcceptsDrops())
        return;
    Window.Events().HostDropFiles(Paths, At);
}

void THeadlessHost::DropFiles(THeadlessWindow& Window, const std::vector<AnsiString>& Paths) {
    const TPoint origin = Window.ClientOrigin();
    DropFiles(Window, Paths, {FCursor.X - origin.X, FCursor.Y - origin.Y});
}

void THeadlessHost::RequestClose(THeadlessWindow& Window) {
    Window.Events().HostCloseRequest();
}

// Modal windows

void THeadlessHost::QueueMenuChoice(const AnsiString& ItemName) {
    FMenuAnswers.emplace_back(ItemName);
}

void THeadlessHost::QueueMenuNone() {
    FMenuAnswers.emplace_back(std::nullopt);
}

void THeadlessHost::QueueSaveAnswer(const AnsiString& Path) {
    FSaveAnswers.emplace_back(Path);
}

void THeadlessHost::QueueSaveCancel() {
    FSaveAnswers.emplace_back(std::nullopt);
}

void THeadlessHost::QueueBoxResult(int Result) {
    FBoxAnswers.push_back({Result, {}});
}

void THeadlessHost::QueueBoxButton(const AnsiString& Caption) {
    FBoxAnswers.push_back({std::nullopt, Caption});
}

std::size_t THeadlessHost::PendingAnswers() const {
    return FMenuAnswers.size() + FSaveAnswers.size() + FBoxAnswers.size();
}

void THeadlessHost::AddLog(THeadlessLogEntry Entry) {
    FLog.push_back(std::move(Entry));
    if (FLogHandler)
        FLogHandler(FLog.back());
}

int THeadlessHost::PopupMenu(const std::vector<THostMenuItem>& Items, TPoint At) {
    THeadlessLogEntry entry;
    entry.Kind = THeadlessLogEntry::Menu;
    entry.Items = Items;
    entry.At = At;
    entry.Answer = "none";
    if (FMenuAnswers.empty()) {
        entry.Answered = false;
    } else {
        const std::optional<AnsiString> wanted = FMenuAnswers.front();
        FMenuAnswers.pop_front();
        if (wanted) {
            // Only an item the user could click: shown, enabled, no separator, no submenu.
            const THostMenuItem* item = FindItem(Items, *wanted);
            if (item != nullptr && item->Visible && item->Enabled && item->Caption != "-" &&
                item->Items.empty()) {
                entry.Answer = item->Name;
                entry.Result = item->Id;
            } else {
                entry.Answered = false;
            }
        }
    }
    const int result = entry.Result;
    AddLog(std::move(entry));
    return result;
}

std::optional<AnsiString> THeadlessHost::SaveDialog(const THostSaveDialogParams& Params) {
    THeadlessLogEntry entry;
    entry.Kind = THeadlessLogEntry::SaveDialog;
    entry.Caption = Params.Title;
    entry.Dialog = Params;
    entry.Answer = "cancel";
    std::optional<AnsiString> result;
    if (FSaveAnswers.empty()) {
        entry.Answered = false;
    } else {
        result = FSaveAnswers.front();
        FSaveAnswers.pop_front();
    }
    if (result) {
        AnsiString path = *result;
        if (!path.empty() && path[0] != '/') {
            AnsiString folder = Params.InitialDir;
            if (folder.empty())
                folder = ExtractFilePath(Params.FileName);
            if (!folder.empty() && folder.back() != '/')
                folder += '/';
            path = folder + path;
        }
        if (!Params.DefaultExt.empty() && ExtractFileExt(path).empty())
            path += "." + Params.DefaultExt;
        result = path;
        entry.Answer = path;
    }
    AddLog(std::move(entry));
    return result;
}

int THeadlessHost::MessageBox(const THostMessageBoxParams& Params) {
    THeadlessLogEntry entry;
    entry.Kind = THeadlessLogEntry::MessageBox;
    entry.Caption = Params.Caption;
    entry.Text = Params.Text;
    entry.Icon = Params.Icon;
    entry.DefaultButton = Params.DefaultButton;
    for (const THostBoxButton& button : Params.Buttons)
        entry.Buttons.push_back(button.Caption);
    const THostBoxButton* chosen = nullptr;
    if (!FBoxAnswers.empty()) {
        const TBoxAnswer answer = FBoxAnswers.front();
        FBoxAnswers.pop_front();
        for (const THostBoxButton& button : Params.Buttons)
            if (answer.Result ? button.Result == *answer.Result
                              : SameCaption(answer.Caption, button.Caption)) {
                chosen = &button;
                break;
            }
    }
    if (chosen != nullptr) {
        entry.Answer = chosen->Caption;
        entry.Result = chosen->Result;
    } else {
        entry.Answered = false;
        entry.Answer = "escape";
        entry.Result = Params.EscapeResult;
    }
    const int result = entry.Result;
    AddLog(std::move(entry));
    return result;
}

void THeadlessHost::Beep() {
    THeadlessLogEntry entry;
    entry.Kind = THeadlessLogEntry::Beep;
    AddLog(std::move(entry));
}

bool THeadlessHost::OpenUrl(const AnsiString& Url) {
    THeadlessLogEntry entry;
    entry.Kind = THeadlessLogEntry::Url;
    entry.Text = Url;
    AddLog(std::move(entry));
    return true;
}

int THeadlessHost::BeepCount() const {
    return static_cast<int>(std::count_if(FLog.begin(), FLog.end(), [](const auto& entry) {
        return entry.Kind == THeadlessLogEntry::Beep;
    }));
}

std::vector<AnsiString> THeadlessHost::OpenedUrls() const {
    std::vector<AnsiString> urls;
    for (const THeadlessLogEntry& entry : FLog)
        if (entry.Kind == THeadlessLogEntry::Url)
            urls.push_back(entry.Text);
    return urls;
}

void THeadlessHost::ChangeSysColor(int Index, TColor Value) {
    SetSysColor(Index, Value);
    if (FSysColorChange)
        FSysColorChange();
}
