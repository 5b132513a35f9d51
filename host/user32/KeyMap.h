// Qt keys to Windows virtual-key codes.
#pragma once

#include "host/user32.h"

#include <Qt>

namespace host::user32 {

// The virtual key of a Qt key (keypad keys by the keypad flag); 0 for a key Windows has no
// code for here.
WORD virtual_key(int qt_key, Qt::KeyboardModifiers modifiers);

// The character TranslateMessage makes of a key press: Ctrl with a letter gives the control
// character, otherwise the key's text; 0 for none.
unsigned key_character(WORD vk, Qt::KeyboardModifiers modifiers, unsigned text_character);

} // namespace host::user32
