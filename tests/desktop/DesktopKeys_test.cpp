#include "shell/desktop/helpers/DesktopKeys.h"

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

namespace {

struct SymbolCase {
    unsigned symbol;
    int virtualKey;
};

// Letters of either case give the upper-case code, digits their own; the
// other keys the codes a Windows key message carries; symbols without such a
// code give 0.
const SymbolCase kSymbolCases[] = {
    {GDK_KEY_a, 'A'},
    {GDK_KEY_A, 'A'},
    {GDK_KEY_q, 'Q'},
    {GDK_KEY_Q, 'Q'},
    {GDK_KEY_z, 'Z'},
    {GDK_KEY_Z, 'Z'},
    {GDK_KEY_0, '0'},
    {GDK_KEY_9, '9'},
    {GDK_KEY_Return, 0x0D},
    {GDK_KEY_KP_Enter, 0x0D},
    {GDK_KEY_Escape, 0x1B},
    {GDK_KEY_space, 0x20},
    {GDK_KEY_BackSpace, 0x08},
    {GDK_KEY_Tab, 0x09},
    {GDK_KEY_Shift_L, 0x10},
    {GDK_KEY_Control_R, 0x11},
    {GDK_KEY_Alt_L, 0x12},
    {GDK_KEY_Left, 0x25},
    {GDK_KEY_Down, 0x28},
    {GDK_KEY_Delete, 0x2E},
    {GDK_KEY_KP_0, 0x60},
    {GDK_KEY_KP_9, 0x69},
    {GDK_KEY_KP_Add, 0x6B},
    {GDK_KEY_F1, 0x70},
    {GDK_KEY_F12, 0x7B},
    {GDK_KEY_F24, 0x87},
    {GDK_KEY_comma, 0xBC},
    {GDK_KEY_slash, 0xBF},
    {GDK_KEY_bracketleft, 0xDB},
    {GDK_KEY_apostrophe, 0xDE},
    // Shifted symbols are never passed in (the caller looks up the unshifted
    // one), and symbols outside the table have no code.
    {GDK_KEY_exclam, 0},
    {GDK_KEY_eacute, 0},
    {GDK_KEY_Cyrillic_a, 0},
    {GDK_KEY_VoidSymbol, 0},
    {0, 0},
};

TEST(DesktopKeysTest, VirtualKeyOfSymbol) {
    for (const SymbolCase& c : kSymbolCases) {
        EXPECT_EQ(VirtualKeyOfSymbol(c.symbol), c.virtualKey)
            << "symbol 0x" << std::hex << c.symbol;
    }
}

struct ReleaseCase {
    unsigned symbol;
    bool altHeld;
    bool systemKey;
};

// A window system delivers these releases as system keys: Alt itself, F10,
// and anything released while Alt is held. The tools never see them.
const ReleaseCase kReleaseCases[] = {
    {GDK_KEY_i, false, false},    {GDK_KEY_i, true, true},        {GDK_KEY_q, true, true},
    {GDK_KEY_Alt_L, false, true}, {GDK_KEY_Alt_R, true, true},    {GDK_KEY_F10, false, true},
    {GDK_KEY_F9, false, false},   {GDK_KEY_Return, false, false}, {GDK_KEY_Shift_L, false, false},
};

TEST(DesktopKeysTest, IsSystemKeyRelease) {
    for (const ReleaseCase& c : kReleaseCases) {
        EXPECT_EQ(IsSystemKeyRelease(c.symbol, c.altHeld), c.systemKey)
            << "symbol 0x" << std::hex << c.symbol << " alt " << c.altHeld;
    }
}

TEST(DesktopKeysTest, OnlyAltQQuitsOnPress) {
    EXPECT_TRUE(IsQuitPress(GDK_KEY_q, true));
    EXPECT_TRUE(IsQuitPress(GDK_KEY_Q, true));
    EXPECT_FALSE(IsQuitPress(GDK_KEY_q, false));
    EXPECT_FALSE(IsQuitPress(GDK_KEY_w, true));
    EXPECT_FALSE(IsQuitPress(GDK_KEY_F4, true));
}

}  // namespace
