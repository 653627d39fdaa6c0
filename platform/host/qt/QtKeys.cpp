#include "platform/host/qt/QtKeys.h"

#include <QKeyEvent>

std::uint16_t VirtualKeyOf(int QtKey) {
    // Letters and digits share their codes.
    if ((QtKey >= Qt::Key_A && QtKey <= Qt::Key_Z) || (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9))
        return static_cast<std::uint16_t>(QtKey);
    if (QtKey >= Qt::Key_F1 && QtKey <= Qt::Key_F12)
        return static_cast<std::uint16_t>(VK_F1 + (QtKey - Qt::Key_F1));
    switch (QtKey) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Pause:
        return VK_PAUSE;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    default:
        return 0;
    }
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons) {
    TShiftState shift;
    if (Modifiers & Qt::ShiftModifier)
        shift << ssShift;
    if (Modifiers & Qt::ControlModifier)
        shift << ssCtrl;
    if (Modifiers & Qt::AltModifier)
        shift << ssAlt;
    if (Buttons & Qt::LeftButton)
        shift << ssLeft;
    if (Buttons & Qt::RightButton)
        shift << ssRight;
    if (Buttons & Qt::MiddleButton)
        shift << ssMiddle;
    return shift;
}

THostKeyEvent HostKeyOf(const QKeyEvent& Event, Qt::MouseButtons Buttons) {
    THostKeyEvent key;
    key.Key = VirtualKeyOf(Event.key());
    Qt::KeyboardModifiers modifiers = Event.modifiers();
    // Qt reports Shift+Tab as its own key.
    if (Event.key() == Qt::Key_Backtab)
        modifiers |= Qt::ShiftModifier;
    key.Shift = ShiftStateOf(modifiers, Buttons);
    const QList<uint> text = Event.text().toUcs4();
    if (!text.isEmpty() && !(modifiers & (Qt::ControlModifier | Qt::AltModifier)))
        key.Char = text.front();
    return key;
}
