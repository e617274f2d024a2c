// Key symbols of the desktop window, translated to the virtual-key codes the
// tools' key handlers understand.
//
// A key handler gets the code of the physical key as the unshifted symbol of
// the active keyboard layout names it: 'A'..'Z' for letters (either case),
// '0'..'9' for the digit row, and the usual codes of the other keys (Enter
// 0x0D, Escape 0x1B, F1 0x70, ...). Symbols without such a code give 0 and are
// not passed on.
//
// Releases that a window system treats as "system keys" never reach the tools:
// any release while Alt is held, Alt itself and F10. Alt+Q is the one system
// key the shell acts on, on its press.
#ifndef UTILS_COMMON_SHELL_DESKTOP_HELPERS_DESKTOP_KEYS_H
#define UTILS_COMMON_SHELL_DESKTOP_HELPERS_DESKTOP_KEYS_H

// The virtual-key code of a key symbol (a GDK keyval), or 0 when it has none.
int VirtualKeyOfSymbol(unsigned symbol);

// True when the release of this symbol, with Alt held or not, is a system key.
bool IsSystemKeyRelease(unsigned symbol, bool altHeld);

// True when a press of this symbol with Alt held asks the tool to quit.
bool IsQuitPress(unsigned symbol, bool altHeld);

#endif
