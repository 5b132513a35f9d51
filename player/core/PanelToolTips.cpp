#include "core/PanelToolTips.h"

#include "core/CommandTable.h"
#include "core/PanelInput.h"
#include "core/Player.h"
#include "resources/ArtLayout.h"

#include "host/commctrl.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace player {

namespace {

// The panel buttons whose command row does not name them, with the command they do or stand
// beside: the stop button (stop while playing, the SPACE toggle's stop), the picture button
// (capture without play) and the exit button (exit without ESC's test of a long operation). The
// help button's command has no line in the key help, so its key (F1 in "MPEGACCE") is given here.
struct ButtonCommand {
    int control_id;
    WORD command;
    char const* key = nullptr; // the key when the key help has none
};
constexpr std::array<ButtonCommand, 4> buttons_by_command{{
    {1003, 526},
    {1008, 529},
    {1011, about_menu_id, "F1"},
    {1012, exit_menu_id},
}};

constexpr WORD seek_tenth_command = 1301;
constexpr WORD volume_up_command = 556;
constexpr WORD volume_down_command = 557;

// The words of a menu entry without its mnemonic mark and its key text after the tab.
std::string menu_words(char const* text) {
    std::string words;
    for (char const* c = text; *c && *c != '\t'; ++c)
        if (*c != '&')
            words += *c;
    return words;
}

// "phrase (key)" of a row: the key help's phrase (or the menu entry's words) and its key.
std::string tip_of(Command const* row, char const* key_outside_help = nullptr) {
    if (!row)
        return {};
    std::string tip = row->phrase ? row->phrase : row->menu_text ? menu_words(row->menu_text) : "";
    if (char const* help_key = row->help_key ? row->help_key : key_outside_help) {
        std::string_view key = help_key;
        key.remove_prefix(std::min(key.find_first_not_of(' '), key.size()));
        tip.append(" (").append(key).append(")");
    }
    return tip;
}

void add_tool(HWND tips, TOOLINFOA info, std::string const& text) {
    info.cbSize = sizeof info;
    info.uFlags |= TTF_SUBCLASS;
    info.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void add_slider(HWND tips, UINT_PTR id, HitBox const& box, std::string const& text) {
    TOOLINFOA info{};
    info.hwnd = windows.main_window;
    info.uId = id;
    info.rect = {static_cast<LONG>(box.left), static_cast<LONG>(box.top), static_cast<LONG>(box.right + 1),
                 static_cast<LONG>(box.bottom + 1)};
    add_tool(tips, info, text);
}

} // namespace

std::string button_tip(int control_id) {
    const auto listed = std::ranges::find(buttons_by_command, control_id, &ButtonCommand::control_id);
    if (listed != buttons_by_command.end())
        return tip_of(find_command(listed->command), listed->key);
    return tip_of(find_button_command(control_id));
}

std::string position_slider_tip() {
    return tip_of(find_command(seek_tenth_command));
}

std::string volume_slider_tip() {
    return tip_of(find_command(volume_up_command)) + ", " + tip_of(find_command(volume_down_command));
}

void add_panel_tool_tips(std::span<HWND const> buttons) {
    InitCommonControls();
    const HWND tips = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, 0, 0, 0, 0, windows.main_window,
                                      nullptr, windows.instance, nullptr);
    if (!tips)
        return;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const int control_id = art::first_button_id + static_cast<int>(i);
        const std::string tip = button_tip(control_id);
        if (tip.empty())
            continue;
        TOOLINFOA info{};
        info.uFlags = TTF_IDISHWND;
        info.hwnd = windows.main_window;
        info.uId = reinterpret_cast<UINT_PTR>(buttons[i]);
        add_tool(tips, info, tip);
    }
    add_slider(tips, 1, position_box, position_slider_tip());
    add_slider(tips, 2, volume_box, volume_slider_tip());
}

} // namespace player
