#include "Parser.h"

#include "host/mci/CommandTables.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace host::mci {

namespace {

struct KeywordMatch {
    const Keyword* keyword = nullptr;
    std::size_t words = 0;
};

// Whether the words of name match tokens from position on.
bool words_match(std::string_view name, std::span<const Token> tokens, std::size_t position) {
    std::size_t start = 0;
    for (;;) {
        std::size_t end = name.find(' ', start);
        std::string_view word = name.substr(start, end == std::string_view::npos ? end : end - start);
        if (position >= tokens.size() || !token_is(tokens[position], word))
            return false;
        ++position;
        if (end == std::string_view::npos)
            return true;
        start = end + 1;
    }
}

// The longest keyword matching at position: "to start" wins over "to", "handle default" over
// "handle".
KeywordMatch match_keyword(const VerbGrammar& grammar, std::span<const Token> tokens, std::size_t position) {
    KeywordMatch best;
    for (std::span<const Keyword> list : grammar.keywords)
        for (const Keyword& keyword : list) {
            std::size_t words = word_count(keyword.name);
            if (words > best.words && words_match(keyword.name, tokens, position))
                best = {&keyword, words};
        }
    return best;
}

const Keyword* positional_keyword(const VerbGrammar& grammar) {
    for (std::span<const Keyword> list : grammar.keywords)
        for (const Keyword& keyword : list)
            if (keyword.name.empty())
                return &keyword;
    return nullptr;
}

std::uint8_t group_of(const VerbGrammar& grammar, std::string_view name) {
    for (std::span<const Keyword> list : grammar.keywords)
        for (const Keyword& keyword : list)
            if (keyword.name == name)
                return keyword.group;
    return 0;
}

DWORD general_flag(const Token& token) {
    if (token_is(token, "wait"))
        return MCI_WAIT;
    if (token_is(token, "notify"))
        return MCI_NOTIFY;
    if (token_is(token, "test"))
        return MCI_TEST;
    return 0;
}

MCIERROR read_constant(const Keyword& keyword, std::span<const Token> tokens, std::size_t& position,
                       Argument& argument) {
    const Constant* best = nullptr;
    std::size_t best_words = 0;
    for (const Constant& constant : keyword.constants) {
        std::size_t words = word_count(constant.name);
        if (words > best_words && words_match(constant.name, tokens, position)) {
            best = &constant;
            best_words = words;
        }
    }
    if (best) {
        argument.integer = best->value;
        argument.text = std::string(best->name);
        position += best_words;
        return 0;
    }
    // The numeric value stands for the constant of that value.
    if (position >= tokens.size())
        return MCIERR_BAD_CONSTANT;
    std::optional<std::int64_t> value = parse_integer(tokens[position].text);
    if (!value || tokens[position].quoted)
        return MCIERR_BAD_CONSTANT;
    auto named = std::find_if(keyword.constants.begin(), keyword.constants.end(),
                              [&](const Constant& constant) { return constant.value == *value; });
    if (named == keyword.constants.end())
        return MCIERR_BAD_CONSTANT;
    argument.integer = *value;
    argument.text = std::string(named->name);
    ++position;
    return 0;
}

MCIERROR read_rect(std::span<const Token> tokens, std::size_t& position, Rect& rect) {
    std::int32_t* fields[] = {&rect.left, &rect.top, &rect.width, &rect.height};
    for (std::int32_t* field : fields) {
        if (position >= tokens.size())
            return MCIERR_BAD_INTEGER;
        std::optional<std::int64_t> value = parse_integer(tokens[position++].text);
        if (!value || *value < std::numeric_limits<std::int16_t>::min() ||
            *value > std::numeric_limits<std::int16_t>::max())
            return MCIERR_BAD_INTEGER;
        *field = static_cast<std::int32_t>(*value);
    }
    return 0;
}

MCIERROR read_argument(const Keyword& keyword, std::span<const Token> tokens, std::size_t& position,
                       Argument& argument) {
    switch (keyword.argument) {
    case ArgumentType::none:
        return 0;
    case ArgumentType::integer: {
        if (position >= tokens.size())
            return MCIERR_NO_INTEGER;
        std::optional<std::int64_t> value = parse_integer(tokens[position].text);
        if (!value)
            return MCIERR_BAD_INTEGER;
        argument.integer = *value;
        ++position;
        return 0;
    }
    case ArgumentType::string:
        if (position >= tokens.size())
            return MCIERR_MISSING_STRING_ARGUMENT;
        argument.text = tokens[position++].text;
        return 0;
    case ArgumentType::constant:
        return read_constant(keyword, tokens, position, argument);
    case ArgumentType::rect:
        return read_rect(tokens, position, argument.rect);
    }
    return MCIERR_PARSER_INTERNAL;
}

std::optional<std::int64_t> parse_colon_integer(std::string_view text) {
    std::int64_t value = 0;
    int field = 0;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find(':', start);
        std::string_view digits = text.substr(start, end == std::string_view::npos ? end : end - start);
        if (field == 4 || digits.size() > 3)
            return std::nullopt;
        std::int64_t byte = 0;
        for (char c : digits) {
            if (c < '0' || c > '9')
                return std::nullopt;
            byte = byte * 10 + (c - '0');
        }
        if (byte > 255)
            return std::nullopt;
        value |= byte << (8 * field++);
        if (end == std::string_view::npos)
            return value;
        start = end + 1;
    }
}

} // namespace

std::optional<std::int64_t> parse_integer(std::string_view text) {
    if (text.find(':') != std::string_view::npos)
        return parse_colon_integer(text);
    bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    // Signed 32-bit, and DWORD values written out in full (window handles, style bits).
    if (negative ? value > std::int64_t(1) << 31 : value > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return negative ? -value : value;
}

VerbGrammar find_verb(std::span<const CommandTable* const> tables, std::string_view verb) {
    VerbGrammar grammar;
    for (const CommandTable* table : tables) {
        const Verb* entry = table ? table->find(verb) : nullptr;
        if (!entry)
            continue;
        if (!grammar.verb)
            grammar.verb = entry;
        grammar.keywords.push_back(entry->keywords);
        if (!entry->extends)
            break;
    }
    return grammar;
}

MCIERROR parse_arguments(const VerbGrammar& grammar, std::span<const Token> tokens, Command& command) {
    std::size_t position = 0;
    while (position < tokens.size()) {
        if (DWORD flag = general_flag(tokens[position])) {
            if (command.flags & flag)
                return MCIERR_DUPLICATE_FLAGS;
            command.flags |= flag;
            ++position;
            continue;
        }
        KeywordMatch match = match_keyword(grammar, tokens, position);
        const Keyword* keyword = match.keyword;
        if (keyword) {
            position += match.words;
        } else {
            keyword = positional_keyword(grammar);
            if (!keyword || command.has(""))
                return MCIERR_UNRECOGNIZED_KEYWORD;
        }
        if (command.has(keyword->name))
            return MCIERR_DUPLICATE_FLAGS;
        if (keyword->group != 0)
            for (const Argument& present : command.arguments)
                if (group_of(grammar, present.keyword) == keyword->group)
                    return MCIERR_FLAGS_NOT_COMPATIBLE;
        Argument argument{std::string(keyword->name), keyword->argument, 0, {}, {}};
        if (MCIERROR error = read_argument(*keyword, tokens, position, argument))
            return error;
        command.arguments.push_back(std::move(argument));
    }
    return 0;
}

} // namespace host::mci
