#include "KeyMap.h"

#include <array>

namespace host::user32 {
namespace {

struct KeyBinding {
    int qt_key;
    WORD vk;
};

// Keys whose code is not their upper-case character.
constexpr std::array key_table{
    KeyBinding{Qt::Key_Backspace, VK_BACK},  KeyBinding{Qt::Key_Tab, VK_TAB},
    KeyBinding{Qt::Key_Backtab, VK_TAB},     KeyBinding{Qt::Key_Return, VK_RETURN},
    KeyBinding{Qt::Key_Enter, VK_RETURN},    KeyBinding{Qt::Key_Shift, VK_SHIFT},
    KeyBinding{Qt::Key_Control, VK_CONTROL}, KeyBinding{Qt::Key_Alt, VK_MENU},
    KeyBinding{Qt::Key_Pause, VK_PAUSE},     KeyBinding{Qt::Key_Escape, VK_ESCAPE},
    KeyBinding{Qt::Key_Space, VK_SPACE},     KeyBinding{Qt::Key_PageUp, VK_PRIOR},
    KeyBinding{Qt::Key_PageDown, VK_NEXT},   KeyBinding{Qt::Key_End, VK_END},
    KeyBinding{Qt::Key_Home, VK_HOME},       KeyBinding{Qt::Key_Left, VK_LEFT},
    KeyBinding{Qt::Key_Up, VK_UP},           KeyBinding{Qt::Key_Right, VK_RIGHT},
    KeyBinding{Qt::Key_Down, VK_DOWN},       KeyBinding{Qt::Key_Insert, VK_INSERT},
    KeyBinding{Qt::Key_Delete, VK_DELETE},
};

// Keys of the numeric keypad.
constexpr std::array keypad_table{
    KeyBinding{Qt::Key_Asterisk, VK_MULTIPLY}, KeyBinding{Qt::Key_Plus, VK_ADD},
    KeyBinding{Qt::Key_Minus, VK_SUBTRACT},    KeyBinding{Qt::Key_Period, VK_DECIMAL},
    KeyBinding{Qt::Key_Slash, VK_DIVIDE},
};

} // namespace

WORD virtual_key(int qt_key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier) {
        for (auto const& binding : keypad_table)
            if (binding.qt_key == qt_key)
                return binding.vk;
        if (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9)
            return static_cast<WORD>(VK_NUMPAD0 + (qt_key - Qt::Key_0));
    }
    for (auto const& binding : key_table)
        if (binding.qt_key == qt_key)
            return binding.vk;
    if ((qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9) || (qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z))
        return static_cast<WORD>(qt_key); // Qt's codes for these are their ASCII codes
    if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F24)
        return static_cast<WORD>(VK_F1 + (qt_key - Qt::Key_F1));
    return 0;
}

unsigned key_character(WORD vk, Qt::KeyboardModifiers modifiers, unsigned text_character) {
    const bool control = (modifiers & Qt::ControlModifier) != 0;
    if (control && vk >= 'A' && vk <= 'Z')
        return vk - 'A' + 1u;
    if (control)
        return 0;
    switch (vk) {
    case VK_BACK:
        return 0x08;
    case VK_TAB:
        return '\t';
    case VK_RETURN:
        return '\r';
    case VK_ESCAPE:
        return 0x1B;
    case VK_SPACE:
        return ' ';
    default:
        break;
    }
    if (text_character >= 0x20 && text_character != 0x7F)
        return text_character;
    // Without a text (synthesised events) letters and digits still type themselves.
    if (vk >= 'A' && vk <= 'Z')
        return (modifiers & Qt::ShiftModifier) ? vk : vk + ('a' - 'A');
    if (vk >= '0' && vk <= '9' && !(modifiers & Qt::ShiftModifier))
        return vk;
    return 0;
}

} // namespace host::user32
