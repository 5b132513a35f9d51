// The system menu: which items a window offers, and showing the menu.
#include "host/SystemMenu.h"

#include "PopupMenu.h"

namespace host {

bool system_menu_item_enabled(WPARAM command, SystemMenuWindow const& window) {
    const bool normal = !window.minimized && !window.maximized;
    switch (command) {
    case SC_RESTORE:
        return !normal;
    case SC_MOVE:
        return !window.maximized;
    case SC_SIZE:
        return window.sizeable && normal;
    case SC_MINIMIZE:
        return window.can_minimize && !window.minimized;
    case SC_MAXIMIZE:
        return window.can_maximize && !window.maximized;
    case SC_CLOSE:
        return true;
    default:
        return false;
    }
}

WPARAM track_system_menu(QWidget* window, HWND owner, POINT at, SystemMenuWindow const& state) {
    PopupMenuRequest request;
    request.at = at;
    request.owner = owner;
    for (SystemMenuItem const& item : system_menu_items) {
        MenuItemView view;
        view.separator = item.command == 0;
        view.text = item.text;
        view.id = static_cast<UINT>(item.command);
        view.grayed = !view.separator && !system_menu_item_enabled(item.command, state);
        request.items.push_back(std::move(view));
    }
    return user32::choose_from_menu(request, window);
}

} // namespace host
