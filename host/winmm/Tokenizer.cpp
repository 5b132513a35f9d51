#include "Tokenizer.h"

namespace host::mci {

namespace {

// Tabs were not checked on Windows; they are taken as blanks so that a tab never ends up
// inside a keyword.
bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Reads a quoted token starting at command[position] == '"'; advances position past it.
MCIERROR read_quoted(std::string_view command, std::size_t& position, std::string& text) {
    ++position;
    for (;;) {
        if (position >= command.size())
            return MCIERR_NO_CLOSING_QUOTE;
        char c = command[position++];
        if (c != '"') {
            text += c;
            continue;
        }
        if (position < command.size() && command[position] == '"') {
            text += '"';
            ++position;
            continue;
        }
        if (position < command.size() && !is_blank(command[position]))
            return MCIERR_EXTRA_CHARACTERS;
        return 0;
    }
}

} // namespace

Tokens tokenize(std::string_view command) {
    Tokens result;
    std::size_t position = 0;
    for (;;) {
        while (position < command.size() && is_blank(command[position]))
            ++position;
        if (position >= command.size())
            return result;
        Token token;
        if (command[position] == '"') {
            token.quoted = true;
            result.error = read_quoted(command, position, token.text);
            if (result.error)
                return result;
        } else {
            while (position < command.size() && !is_blank(command[position]))
                token.text += command[position++];
        }
        result.tokens.push_back(std::move(token));
    }
}

bool token_is(const Token& token, std::string_view lower_word) {
    if (token.quoted || token.text.size() != lower_word.size())
        return false;
    for (std::size_t i = 0; i < lower_word.size(); ++i)
        if (lower(token.text[i]) != lower_word[i])
            return false;
    return true;
}

std::string to_lower(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = lower(c);
    return result;
}

} // namespace host::mci
