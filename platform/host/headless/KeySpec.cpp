#include "platform/host/headless/KeySpec.h"

#include <cctype>

namespace {
AnsiString Lower(AnsiString Text) {
    for (char& c : Text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return Text;
}

struct TNamedKey {
    const char* Name;
    std::uint16_t Key;
    char32_t Char;
};

constexpr TNamedKey NamedKeys[] = {
    {"ins", VK_INSERT, 0},      {"insert", VK_INSERT, 0},    {"del", VK_DELETE, 0},
    {"delete", VK_DELETE, 0},   {"esc", VK_ESCAPE, 0x1B},    {"escape", VK_ESCAPE, 0x1B},
    {"enter", VK_RETURN, '\r'}, {"return", VK_RETURN, '\r'}, {"tab", VK_TAB, '\t'},
    {"space", VK_SPACE, ' '},   {"bksp", VK_BACK, 0x08},     {"backspace", VK_BACK, 0x08},
    {"left", VK_LEFT, 0},       {"right", VK_RIGHT, 0},      {"up", VK_UP, 0},
    {"down", VK_DOWN, 0},       {"home", VK_HOME, 0},        {"end", VK_END, 0},
    {"pgup", VK_PRIOR, 0},      {"pgdn", VK_NEXT, 0},        {"pause", VK_PAUSE, 0},
};

std::optional<THostKeyEvent> BaseKey(const AnsiString& Name) {
    const AnsiString lower = Lower(Name);
    for (const TNamedKey& named : NamedKeys)
        if (lower == named.Name)
            return THostKeyEvent{named.Key, {}, named.Char};
    if (Name.size() == 1 && std::isalnum(static_cast<unsigned char>(Name[0]))) {
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(Name[0])));
        return THostKeyEvent{
            static_cast<std::uint16_t>(upper), {}, static_cast<char32_t>(lower[0])};
    }
    if (lower.size() >= 2 && lower.size() <= 3 && lower[0] == 'f') {
        int n = 0;
        for (std::size_t i = 1; i < lower.size(); ++i) {
            if (!std::isdigit(static_cast<unsigned char>(lower[i])))
                return std::nullopt;
            n = n * 10 + (lower[i] - '0');
        }
        if (n >= 1 && n <= 12)
            return THostKeyEvent{static_cast<std::uint16_t>(VK_F1 + n - 1), {}, 0};
    }
    return std::nullopt;
}
} // namespace

std::optional<THostKeyEvent> ParseKeySpec(const AnsiString& Spec) {
    TShiftState shift;
    std::size_t start = 0;
    for (std::size_t plus; (plus = Spec.find('+', start)) != AnsiString::npos; start = plus + 1) {
        const AnsiString modifier = Lower(Spec.substr(start, plus - start));
        if (modifier == "shift")
            shift << ssShift;
        else if (modifier == "ctrl")
            shift << ssCtrl;
        else if (modifier == "alt")
            shift << ssAlt;
        else
            return std::nullopt;
    }
    std::optional<THostKeyEvent> event = BaseKey(Spec.substr(start));
    if (!event)
        return std::nullopt;
    event->Shift = shift;
    if (shift.Contains(ssCtrl) || shift.Contains(ssAlt))
        event->Char = 0;
    else if (shift.Contains(ssShift) && event->Char >= 'a' && event->Char <= 'z')
        event->Char = event->Char - 'a' + 'A';
    return event;
}
