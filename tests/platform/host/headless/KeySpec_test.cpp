#include "platform/host/headless/KeySpec.h"

#include <gtest/gtest.h>

namespace {

TEST(KeySpec, ReadsShortcutTexts) {
    struct TCase {
        AnsiString Spec;
        std::uint16_t Key;
        TShiftState Shift;
        char32_t Char;
    };
    const TCase cases[] = {
        {"Ctrl+S", 'S', ssCtrl, 0},
        {"ctrl+m", 'M', ssCtrl, 0},
        {"Shift+F1", VK_F1, ssShift, 0},
        {"Ctrl+F2", VK_F1 + 1, ssCtrl, 0},
        {"F12", VK_F12, {}, 0},
        {"Ins", VK_INSERT, {}, 0},
        {"Insert", VK_INSERT, {}, 0},
        {"Del", VK_DELETE, {}, 0},
        {"Esc", VK_ESCAPE, {}, 0x1B},
        {"Enter", VK_RETURN, {}, '\r'},
        {"a", 'A', {}, 'a'},
        {"Shift+a", 'A', ssShift, 'A'},
        {"7", '7', {}, '7'},
        {"Ctrl+Alt+Left", VK_LEFT, ssCtrl | ssAlt, 0},
    };
    for (const TCase& c : cases) {
        const std::optional<THostKeyEvent> event = ParseKeySpec(c.Spec);
        ASSERT_TRUE(event) << c.Spec;
        EXPECT_EQ(event->Key, c.Key) << c.Spec;
        EXPECT_EQ(event->Shift, c.Shift) << c.Spec;
        EXPECT_EQ(event->Char, c.Char) << c.Spec;
    }
}

TEST(KeySpec, RefusesWhatIsNoKey) {
    for (const char* spec : {"", "Ctrl+", "Hyper+S", "F0", "F13", "F1x", "Ctrl+SS", "+S"})
        EXPECT_FALSE(ParseKeySpec(spec)) << spec;
}

} // namespace
