// Pop-up menus: CreatePopupMenu, AppendMenuA, ModifyMenuA, DestroyMenu and TrackPopupMenu. A
// menu is a list of items kept by the host; TrackPopupMenu shows it as a QMenu, or hands it to
// the test's responder.
#include "HandleTable.h"
#include "PopupMenu.h"
#include "host/AnsiCodePage.h"
#include "Window.h"
#include "WindowWidget.h"
#include "host/kernel32.h"

#include <QAction>
#include <QMenu>

namespace host::user32 {
namespace {

constexpr DWORD error_invalid_menu_handle = 1401;

struct MenuItem {
    UINT flags = 0;
    UINT id = 0;
    HMENU submenu = nullptr;
    std::string text;
};

struct Menu {
    std::vector<MenuItem> items;
};

HandleTable<Menu, HMENU>& menus() {
    static HandleTable<Menu, HMENU> table(0x106);
    return table;
}

PopupMenuResponder& responder() {
    static PopupMenuResponder installed;
    return installed;
}

Menu* find_menu(HMENU menu) {
    Menu* found = menu ? menus().find(menu) : nullptr;
    if (!found)
        SetLastError(error_invalid_menu_handle);
    return found;
}

// Whether `target` is `from` or one of its submenus at any depth.
bool reaches(HMENU from, HMENU target) {
    if (from == target)
        return true;
    Menu* menu = menus().find(from);
    if (!menu)
        return false;
    for (MenuItem const& item : menu->items)
        if (item.submenu && reaches(item.submenu, target))
            return true;
    return false;
}

// Fills an item of `owner` from AppendMenuA's or ModifyMenuA's arguments; false for a submenu that
// does not exist or that would contain its owner.
bool make_item(HMENU owner, MenuItem& item, UINT flags, UINT_PTR id_or_submenu, LPCSTR text) {
    item = MenuItem{flags & ~MF_BYPOSITION, 0, nullptr, {}};
    if (flags & MF_POPUP) {
        item.submenu = reinterpret_cast<HMENU>(id_or_submenu);
        if (!find_menu(item.submenu) || reaches(item.submenu, owner)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return false;
        }
    } else {
        item.id = static_cast<UINT>(id_or_submenu);
    }
    if (!(flags & MF_SEPARATOR) && text)
        item.text = text;
    return true;
}

// The item with a command id, searched through submenus too (MF_BYCOMMAND).
MenuItem* find_by_command(Menu& menu, UINT id) {
    for (MenuItem& item : menu.items) {
        if (item.submenu) {
            if (Menu* sub = menus().find(item.submenu))
                if (MenuItem* found = find_by_command(*sub, id))
                    return found;
        } else if (!(item.flags & MF_SEPARATOR) && item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

std::vector<MenuItemView> view_of(Menu const& menu) {
    std::vector<MenuItemView> view;
    for (MenuItem const& item : menu.items) {
        MenuItemView entry;
        entry.text = item.text;
        entry.id = item.submenu ? 0 : item.id;
        entry.grayed = (item.flags & (MF_GRAYED | MF_DISABLED)) != 0;
        entry.separator = (item.flags & MF_SEPARATOR) != 0;
        if (Menu* sub = item.submenu ? menus().find(item.submenu) : nullptr)
            entry.submenu = view_of(*sub);
        view.push_back(std::move(entry));
    }
    return view;
}

// Whether a user could choose this command: an enabled item reached through enabled submenus.
bool can_choose(std::vector<MenuItemView> const& items, UINT id) {
    for (MenuItemView const& item : items) {
        if (item.grayed || item.separator)
            continue;
        if (item.submenu.empty() ? item.id == id : can_choose(item.submenu, id))
            return true;
    }
    return false;
}

void fill_qmenu(QMenu& qmenu, std::vector<MenuItemView> const& items) {
    for (MenuItemView const& item : items) {
        if (item.separator) {
            qmenu.addSeparator();
            continue;
        }
        const QString text = host::from_ansi(item.text);
        if (!item.submenu.empty()) {
            QMenu* sub = qmenu.addMenu(text);
            sub->setEnabled(!item.grayed);
            fill_qmenu(*sub, item.submenu);
            continue;
        }
        QAction* action = qmenu.addAction(text);
        action->setEnabled(!item.grayed);
        action->setData(item.id);
    }
}

UINT run_qmenu(std::vector<MenuItemView> const& items, POINT at, QWidget* parent) {
    QMenu qmenu(parent);
    fill_qmenu(qmenu, items);
    QAction* chosen = qmenu.exec(QPoint(at.x, at.y));
    return chosen ? chosen->data().toUInt() : 0;
}

void destroy_menu(HMENU menu) {
    auto removed = menus().remove(menu);
    if (!removed)
        return;
    for (MenuItem const& item : removed->items)
        if (item.submenu)
            destroy_menu(item.submenu);
}

} // namespace

UINT choose_from_menu(host::PopupMenuRequest const& request, QWidget* parent) {
    UINT chosen = responder() ? responder()(request) : run_qmenu(request.items, request.at, parent);
    return chosen && can_choose(request.items, chosen) ? chosen : 0;
}

} // namespace host::user32

namespace host {

PopupMenuResponder set_popup_menu_responder(PopupMenuResponder responder) {
    return std::exchange(user32::responder(), std::move(responder));
}

} // namespace host

using namespace host::user32;

extern "C" {

HMENU CreatePopupMenu() {
    return menus().add(std::make_unique<Menu>());
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id_or_submenu, LPCSTR text) {
    Menu* found = find_menu(menu);
    MenuItem item;
    if (!found || !make_item(menu, item, flags, id_or_submenu, text))
        return FALSE;
    found->items.push_back(std::move(item));
    return TRUE;
}

BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR id_or_submenu, LPCSTR text) {
    Menu* found = find_menu(menu);
    if (!found)
        return FALSE;
    MenuItem* item = nullptr;
    if (flags & MF_BYPOSITION)
        item = position < found->items.size() ? &found->items[position] : nullptr;
    else
        item = find_by_command(*found, position);
    MenuItem replacement;
    if (!item || !make_item(menu, replacement, flags, id_or_submenu, text))
        return FALSE;
    *item = std::move(replacement);
    return TRUE;
}

// Destroys the menu and its submenus, as Windows does.
BOOL DestroyMenu(HMENU menu) {
    if (!find_menu(menu))
        return FALSE;
    destroy_menu(menu);
    return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    Menu* found = find_menu(menu);
    if (!found || !find_window(owner))
        return FALSE;
    const UINT chosen =
        choose_from_menu(host::PopupMenuRequest{view_of(*found), POINT{x, y}, owner}, find_window(owner)->widget.data());
    if (flags & TPM_RETURNCMD)
        return static_cast<BOOL>(chosen);
    if (chosen)
        PostMessageA(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
    return TRUE;
}
}
