#include "WindowClasses.h"

#include "host/GuiThread.h"
#include "host/kernel32.h"

#include <QByteArray>

#include <map>
#include <memory>

namespace host::user32 {
namespace {

constexpr DWORD error_class_already_exists = 1410;
constexpr DWORD error_class_does_not_exist = 1411;

std::string folded(std::string_view name) {
    return QByteArray(name.data(), static_cast<qsizetype>(name.size())).toLower().toStdString();
}

// Classes by folded name; a class lives as long as the process, since windows point at it.
std::map<std::string, std::unique_ptr<WindowClass>>& classes() {
    static std::map<std::string, std::unique_ptr<WindowClass>> table = [] {
        std::map<std::string, std::unique_ptr<WindowClass>> system;
        auto button = std::make_unique<WindowClass>();
        button->name = "BUTTON";
        button->procedure = button_procedure;
        system.emplace("button", std::move(button));
        return system;
    }();
    return table;
}

} // namespace

WindowClass const* find_class(std::string_view name) {
    const auto found = classes().find(folded(name));
    if (found == classes().end()) {
        SetLastError(error_class_does_not_exist);
        return nullptr;
    }
    return found->second.get();
}

} // namespace host::user32

using namespace host::user32;

extern "C" ATOM RegisterClassA(const WNDCLASSA* window_class) {
    if (!window_class || !window_class->lpfnWndProc || !window_class->lpszClassName ||
        IS_INTRESOURCE(window_class->lpszClassName) || !*window_class->lpszClassName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!ensure_application())
        return 0;
    const std::string key = folded(window_class->lpszClassName);
    if (classes().contains(key)) {
        SetLastError(error_class_already_exists);
        return 0;
    }
    auto registered = std::make_unique<WindowClass>();
    registered->name = window_class->lpszClassName;
    registered->style = window_class->style;
    registered->procedure = window_class->lpfnWndProc;
    registered->icon = window_class->hIcon;
    registered->cursor = window_class->hCursor;
    registered->background = window_class->hbrBackground;
    classes().emplace(key, std::move(registered));
    // Atoms of registered classes start at 0xC000, as Windows numbers them.
    return static_cast<ATOM>(0xC000 + classes().size());
}
