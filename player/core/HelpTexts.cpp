#include "core/HelpTexts.h"

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

struct KeyHelp {
    std::string_view key;
    std::string_view phrase;
};

constexpr std::array<KeyHelp, 16> first_key_page{{
    {"F2", "capture picture as BMP"},
    {"F3", "fast view toggle (ALT+2, F3)"},
    {"F4", "normal or full size toggle"},
    {"F5", "mark the begin"},
    {"F6", "mark start as the begin"},
    {"F7", "mark end as the end"},
    {"F8", "mark the end"},
    {"F9", "got video stream(8sec) as MPG file"},
    {"F12", "got the mark content as MPG file"},
    {"SPACE", "play, or stop playing toggle"},
    {"HOME", "go to start, and play"},
    {"END", "go to end, and play"},
    {"INSERT", "go to last file(or track)"},
    {"DELETE", "go to next file(or track)"},
    {"UP", "step play"},
    {"RIGHT", "fast play"},
}};

constexpr std::array<KeyHelp, 16> second_key_page{{
    {"LEFT", "slow play"},
    {"DOWN", "play (or ^p)"},
    {"PAUSE", "pause or resume toggle"},
    {"PgDn", "forward seek i sec(i=1,2,...9,0)"},
    {"PgUp", "backward seek i sec(i=1,2,...9,0)"},
    {" +", "volume +"},
    {" -", "volume -"},
    {"ESCAPE", "exit this player"},
    {"TAB", "audio control (audio on,off,L,R)"},
    {"Ctrl+O", "open file for play"},
    {"Ctrl+V", "play VCD"},
    {"Ctrl+D", "open main device menu"},
    {"Ctrl+B", "got pic as BMPs(i sec one file)"},
    {"Ctrl+i", "seek to i/10 of total time"},
    {"Alt+i", "time step in sec(i=1,2,...,9,0)"},
    {"Usage:", "REELP32  /? /D "},
}};

std::string about_text() {
    std::string text;
    for (std::size_t i = 0; i < about_lines.size(); ++i) {
        text += i ? "\n" : "";
        text += about_lines[i];
    }
    return text;
}

HelpPage key_page(std::array<KeyHelp, 16> const& rows) {
    HelpPage page;
    for (KeyHelp const& row : rows) {
        page.keys += "\n" + std::string(row.key);
        page.phrases += "\n" + std::string(row.phrase);
    }
    return page;
}

} // namespace

HelpPage help_page(int page) {
    switch (page) {
    case 0:
        return {about_text(), {}, {}};
    case 1:
        return key_page(first_key_page);
    case 2:
        return key_page(second_key_page);
    default:
        return {};
    }
}

} // namespace player
