#include "platform/ui/Messages.h"

#include "platform/ui/Control.h"
#include "platform/ui/Form.h"

#include <limits>

std::intptr_t PointToLParam(TPoint P) {
    auto x = static_cast<std::uint64_t>(static_cast<std::uint32_t>(P.X));
    auto y = static_cast<std::uint64_t>(static_cast<std::uint32_t>(P.Y));
    return static_cast<std::intptr_t>(x | (y << 32));
}

TPoint LParamToPoint(std::intptr_t LParam) {
    auto bits = static_cast<std::uint64_t>(LParam);
    return {static_cast<std::int32_t>(static_cast<std::uint32_t>(bits & 0xFFFFFFFFu)),
            static_cast<std::int32_t>(static_cast<std::uint32_t>(bits >> 32))};
}

TShiftState WParamToShift(std::intptr_t WParam) {
    return TShiftState::FromBits(static_cast<std::uint8_t>(WParam & 0xFF));
}

std::intptr_t ShiftToWParam(TShiftState Shift) {
    return Shift.Bits();
}

std::int16_t GetKeyState(int VirtualKey) {
    return THost::Current().IsKeyDown(VirtualKey) ? std::numeric_limits<std::int16_t>::min() : 0;
}

bool GetCursorPos(TPoint* Point) {
    *Point = THost::Current().CursorPos();
    return true;
}

HWND GetCapture() {
    if (TControl* control = GetCaptureControl())
        if (TCustomForm* form = GetParentForm(control); form != nullptr && form->HandleAllocated())
            return form->Handle();
    if (THostWindow* window = THost::Current().CaptureWindow())
        return window->Handle();
    return 0;
}

bool MessageBeep(unsigned) {
    THost::Current().Beep();
    return true;
}
