// The shape of an MCI command table: verbs, their keywords with argument types and named
// constants, and the type of their reply. The standard tables (CommandTables.h) are constexpr
// data; a driver module's table is built at run time from its C description. The parser walks
// these tables and knows no command by name, except the general flags wait, notify and test.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace host::mci {

enum class ArgumentType : std::uint8_t { none, integer, string, constant, rect };

enum class ReplyType : std::uint8_t {
    none,    // the buffer is emptied
    integer, // a decimal number
    string,  // a text as is
    rect,    // "X Y W H"
    item,    // depends on the item asked for (status, capability, info, sysinfo)
};

struct Constant {
    std::string_view name; // lower case, words separated by one space
    std::int64_t value;    // a DWORD flag value or a signed number
};

struct Keyword {
    std::string_view name; // lower case, words separated by one space; "" = positional string
    ArgumentType argument = ArgumentType::none;
    std::span<const Constant> constants = {};
    std::uint8_t group = 0; // keywords sharing a non-zero group exclude each other
};

struct Verb {
    std::string_view name;
    std::span<const Keyword> keywords;
    ReplyType reply = ReplyType::none;
    bool allows_all = false; // the device may be "all"
    bool extends = false;    // keywords are added to those of the next table knowing the verb
};

struct CommandTable {
    std::string_view name;
    std::span<const Verb> verbs;

    constexpr const Verb* find(std::string_view verb) const {
        for (const Verb& entry : verbs)
            if (entry.name == verb)
                return &entry;
        return nullptr;
    }
};

// Number of blank-separated words of a keyword or constant name.
constexpr std::size_t word_count(std::string_view name) {
    if (name.empty())
        return 0;
    std::size_t words = 1;
    for (char c : name)
        words += c == ' ' ? 1 : 0;
    return words;
}

} // namespace host::mci
