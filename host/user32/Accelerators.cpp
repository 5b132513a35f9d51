// TranslateAcceleratorA, by Windows' rules: a virtual-key entry matches WM_KEYDOWN or
// WM_SYSKEYDOWN of its key when Shift, Ctrl and Alt are exactly its FSHIFT, FCONTROL and FALT;
// a character entry matches WM_CHAR or WM_SYSCHAR of its character when Alt is as its FALT says
// (Shift and Ctrl are part of the character already), and WM_SYSKEYDOWN of its key with Alt.
// A match sends WM_COMMAND with the command in the low word and 1 in the high word.
#include "MessageQueue.h"
#include "Resources.h"
#include "Window.h"

namespace host::user32 {
namespace {

constexpr LPARAM alt_context = 1 << 29;
constexpr LPARAM extended_key = 1 << 24;

bool is_character(UINT message) {
    return message == WM_CHAR || message == WM_SYSCHAR;
}
bool is_key_down(UINT message) {
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
}

BYTE modifier_mask(KeyState const& keys) {
    BYTE mask = 0;
    if (keys.shift)
        mask |= FSHIFT;
    if (keys.control)
        mask |= FCONTROL;
    if (keys.alt)
        mask |= FALT;
    return mask;
}

bool matches(ACCEL const& entry, MSG const& msg, KeyState const& keys) {
    if (msg.wParam != entry.key)
        return false;
    const BYTE mask = modifier_mask(keys);
    if (is_character(msg.message))
        return !(entry.fVirt & FVIRTKEY) && (mask & FALT) == (entry.fVirt & FALT);
    if (entry.fVirt & FVIRTKEY)
        return mask == (entry.fVirt & (FSHIFT | FCONTROL | FALT));
    return (entry.fVirt & FALT) && (msg.lParam & alt_context) && !(msg.lParam & extended_key);
}

} // namespace
} // namespace host::user32

using namespace host::user32;

extern "C" int TranslateAcceleratorA(HWND hwnd, HACCEL table, MSG* msg) {
    std::vector<ACCEL> const* entries = find_accelerators(table);
    if (!entries || !msg || !find_window(hwnd))
        return 0;
    if (!is_key_down(msg->message) && !is_character(msg->message))
        return 0;
    KeyState const& keys = MessageQueue::instance().key_state();
    for (ACCEL const& entry : *entries) {
        if (!matches(entry, *msg, keys))
            continue;
        // A disabled window takes no commands, but the key is used up all the same.
        if (!(find_window(hwnd)->style & WS_DISABLED))
            SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
        return 1;
    }
    return 0;
}
