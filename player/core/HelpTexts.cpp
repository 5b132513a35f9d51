#include "core/HelpTexts.h"

#include "core/CommandTable.h"

#include <array>
#include <string_view>

namespace player {

namespace {

constexpr std::array<std::string_view, 12> about_lines{
    "",
    "",
    "                About Reelix",
    "",
    " Reelix is a MPEG,VCD and Movie Player.",
    " This prog can play MPG,VCD,or other movie files",
    " (sush as MPG,DAT,AVI,MOV,FLI,FLC,etc.) Very ",
    " friendly and menu-driven with full featured",
    " control with movie file. It can capture as MPG,",
    " BMP from VCD or MPG file, cutting your favourite",
    " part or whole MPG file (or track) to disk when",
    " playing.",
};

// Each key page holds this many lines under its leading empty line; the second ends with the
// usage line of the command line.
constexpr std::size_t key_lines_per_page = 16;
constexpr std::string_view usage_key = "Usage:";
constexpr std::string_view usage_phrase = "REELP32  /? /D ";

std::string about_text() {
    std::string text;
    for (std::size_t i = 0; i < about_lines.size(); ++i) {
        text += i ? "\n" : "";
        text += about_lines[i];
    }
    return text;
}

void add_line(HelpPage& page, std::string_view key, std::string_view phrase) {
    page.keys += "\n" + std::string(key);
    page.phrases += "\n" + std::string(phrase);
}

// Key page 1 or 2: the commands of the key help in table order, sixteen lines to a page.
HelpPage key_page(int page_number) {
    HelpPage page;
    std::size_t line = 0;
    const std::size_t first = static_cast<std::size_t>(page_number - 1) * key_lines_per_page;
    for (Command const& command : command_table()) {
        if (!command.phrase)
            continue;
        if (line >= first && line < first + key_lines_per_page)
            add_line(page, command.help_key, command.phrase);
        ++line;
    }
    if (page_number == 2)
        add_line(page, usage_key, usage_phrase);
    return page;
}

} // namespace

HelpPage help_page(int page) {
    switch (page) {
    case 0:
        return {about_text(), {}, {}};
    case 1:
    case 2:
        return key_page(page);
    default:
        return {};
    }
}

} // namespace player
