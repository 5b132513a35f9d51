// player_keys_manual: writes the KEYS section of reelp32(1) from the player's accelerator table
// and command table, so that the manual page says what the program binds.
//
//   player_keys_manual ACCELERATOR_TABLE OUTPUT
//
// Each binding becomes a tagged paragraph: the key, then the command's key-help phrase (its menu
// text, or its name, for commands the key help leaves out), marked when it needs an open medium.
// Neighbouring bindings of one command run (Alt+1 to Alt+9) share a paragraph.
#include "core/CommandTable.h"
#include "resources/Accelerators.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct KeyLabel {
    std::uint16_t code;
    char const* label;
};

// How the manual names the virtual keys the table may bind.
constexpr std::array<KeyLabel, 29> key_labels{{
    {0x09, "Tab"},      {0x13, "Pause"},    {0x1B, "Esc"},      {0x20, "Space"},     {0x21, "PgUp"},
    {0x22, "PgDn"},     {0x23, "End"},      {0x24, "Home"},     {0x25, "Left"},      {0x26, "Up"},
    {0x27, "Right"},    {0x28, "Down"},     {0x2D, "Insert"},   {0x2E, "Delete"},    {0x6B, "keypad +"},
    {0x6D, "keypad -"}, {0x70, "F1"},     {0x71, "F2"},       {0x72, "F3"},        {0x73, "F4"},
    {0x74, "F5"},       {0x75, "F6"},       {0x76, "F7"},       {0x77, "F8"},        {0x78, "F9"},
    {0x79, "F10"},      {0x7A, "F11"},      {0x7B, "F12"},      {0x0D, "Enter"},
}};

std::string key_text(player::AcceleratorEntry const& entry) {
    if (!(entry.flags & player::accel_virtkey))
        return std::string("Ctrl+") + static_cast<char>('@' + entry.key); // a control character
    std::string modifiers;
    if (entry.flags & player::accel_control)
        modifiers += "Ctrl+";
    if (entry.flags & player::accel_alt)
        modifiers += "Alt+";
    if (entry.flags & player::accel_shift)
        modifiers += "Shift+";
    for (KeyLabel const& known : key_labels)
        if (known.code == entry.key)
            return modifiers + known.label;
    return modifiers + static_cast<char>(entry.key); // digit and letter keys are their characters
}

// A menu text without its mnemonic mark and key column: "&Open ...\tCtrl+O" reads "Open ...".
std::string plain_menu_text(std::string text) {
    text = text.substr(0, text.find('\t'));
    std::erase(text, '&');
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

std::string description(player::Command const& command) {
    std::string text;
    if (command.phrase)
        text = command.phrase;
    else if (command.menu_text)
        text = plain_menu_text(command.menu_text);
    else {
        text = command.name;
        std::ranges::replace(text, '_', ' ');
    }
    return command.needs_open_medium ? text + " (with a medium)" : text;
}

// Text for the manual's body: a leading dot or quote would start a request, a backslash an
// escape, a hyphen might break or turn into a dash.
std::string escaped(std::string const& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    if (!out.empty() && (out.front() == '.' || out.front() == '\''))
        out.insert(0, "\\&");
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: player_keys_manual ACCELERATOR_TABLE OUTPUT\n", stderr);
        return 2;
    }
    std::ifstream input(argv[1], std::ios::binary);
    std::stringstream text;
    text << input.rdbuf();
    const player::AcceleratorTable table = player::parse_accelerators(text.str());
    if (!input || !table.ok()) {
        std::fprintf(stderr, "player_keys_manual: %s: %s\n", argv[1], table.ok() ? "cannot read" : table.error.c_str());
        return 1;
    }

    std::ostringstream page;
    for (std::size_t i = 0; i < table.entries.size();) {
        player::AcceleratorEntry const& first = table.entries[i];
        player::Command const* command = player::find_command(first.command);
        if (!command) {
            std::fprintf(stderr, "player_keys_manual: the key %s sends %u, which no command has\n",
                         key_text(first).c_str(), first.command);
            return 1;
        }
        std::size_t last = i;
        while (last + 1 < table.entries.size() && table.entries[last + 1].flags == first.flags &&
               player::find_command(table.entries[last + 1].command) == command)
            ++last;
        page << ".TP\n.B " << escaped(key_text(first));
        if (last > i)
            page << " \\fRto\\fP " << escaped(key_text(table.entries[last]));
        page << "\n" << escaped(description(*command)) << "\n";
        i = last + 1;
    }

    const std::filesystem::path output(argv[2]);
    std::error_code error;
    std::filesystem::create_directories(output.parent_path(), error);
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out << page.str();
    out.close();
    if (!out) {
        std::fprintf(stderr, "player_keys_manual: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
