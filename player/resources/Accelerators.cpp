#include "resources/Accelerators.h"

#include <array>
#include <charconv>
#include <sstream>

namespace player {

namespace {

struct KeyName {
    std::string_view name;
    std::uint16_t code;
};

// The virtual keys a binding may name.
constexpr std::array<KeyName, 29> key_names{{
    {"VK_TAB", 0x09},      {"VK_PAUSE", 0x13}, {"VK_ESCAPE", 0x1B}, {"VK_SPACE", 0x20},  {"VK_PRIOR", 0x21},
    {"VK_NEXT", 0x22},     {"VK_END", 0x23},   {"VK_HOME", 0x24},   {"VK_LEFT", 0x25},   {"VK_UP", 0x26},
    {"VK_RIGHT", 0x27},    {"VK_DOWN", 0x28},  {"VK_INSERT", 0x2D}, {"VK_DELETE", 0x2E}, {"VK_ADD", 0x6B},
    {"VK_SUBTRACT", 0x6D}, {"VK_F1", 0x70},    {"VK_F2", 0x71},     {"VK_F3", 0x72},     {"VK_F4", 0x73},
    {"VK_F5", 0x74},       {"VK_F6", 0x75},    {"VK_F7", 0x76},     {"VK_F8", 0x77},     {"VK_F9", 0x78},
    {"VK_F10", 0x79},      {"VK_F11", 0x7A},   {"VK_F12", 0x7B},    {"VK_RETURN", 0x0D},
}};

struct Key {
    std::uint16_t code;
    bool character;
};

bool parse_key(std::string_view word, Key& key) {
    if (word.size() == 2 && word[0] == '^' && word[1] >= '@' && word[1] <= '_') {
        key = {static_cast<std::uint16_t>(word[1] - '@'), true};
        return true;
    }
    if (word.size() == 1 && ((word[0] >= '0' && word[0] <= '9') || (word[0] >= 'A' && word[0] <= 'Z'))) {
        key = {static_cast<std::uint16_t>(word[0]), false}; // digit and letter keys are their ASCII codes
        return true;
    }
    for (const KeyName& known : key_names)
        if (known.name == word) {
            key = {known.code, false};
            return true;
        }
    return false;
}

bool parse_modifiers(std::string_view word, std::uint8_t& flags) {
    flags = 0;
    if (word == "-")
        return true;
    while (!word.empty()) {
        const auto plus = word.find('+');
        const std::string_view part = word.substr(0, plus);
        std::uint8_t bit = 0;
        if (part == "ALT")
            bit = accel_alt;
        else if (part == "CONTROL")
            bit = accel_control;
        else if (part == "SHIFT")
            bit = accel_shift;
        if (bit == 0 || (flags & bit))
            return false;
        flags |= bit;
        if (plus == std::string_view::npos)
            break;
        word.remove_prefix(plus + 1);
        if (word.empty())
            return false; // a trailing '+'
    }
    return true;
}

bool parse_command(std::string_view word, std::uint16_t& command) {
    unsigned value = 0;
    const auto [end, status] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (status != std::errc() || end != word.data() + word.size() || value == 0 || value > 0xFFFF)
        return false;
    command = static_cast<std::uint16_t>(value);
    return true;
}

// One binding from the words of a line, or an error text.
std::string parse_line(const std::vector<std::string>& words, AcceleratorEntry& entry) {
    if (words.size() != 3)
        return "expected key, modifiers and command";
    Key key{};
    std::uint8_t modifiers = 0;
    if (!parse_key(words[0], key))
        return "unknown key '" + words[0] + "'";
    if (!parse_modifiers(words[1], modifiers))
        return "bad modifiers '" + words[1] + "'";
    if (key.character && modifiers != 0)
        return "a character entry takes no modifiers";
    if (!parse_command(words[2], entry.command))
        return "bad command id '" + words[2] + "'";
    entry.key = key.code;
    entry.flags = static_cast<std::uint8_t>(modifiers | (key.character ? 0 : accel_virtkey));
    return {};
}

} // namespace

AcceleratorTable parse_accelerators(std::string_view text) {
    AcceleratorTable table;
    std::istringstream lines{std::string(text)};
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = line.substr(0, line.find('#'));
        std::istringstream split(line);
        std::vector<std::string> words;
        for (std::string word; split >> word;)
            words.push_back(word);
        if (words.empty())
            continue;
        AcceleratorEntry entry{};
        if (const std::string error = parse_line(words, entry); !error.empty()) {
            table.entries.clear();
            table.error = "line " + std::to_string(number) + ": " + error;
            return table;
        }
        table.entries.push_back(entry);
    }
    return table;
}

} // namespace player
