// The registered window classes and the system's own "BUTTON" class. GUI thread only.
#pragma once

#include "Window.h"

#include <string_view>

namespace host::user32 {

// The class of a name, compared without regard to case as Windows does; nullptr when unknown.
WindowClass const* find_class(std::string_view name);

// The procedure of the system's "BUTTON" class (owner-drawn buttons), in Button.cpp.
LRESULT button_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace host::user32
