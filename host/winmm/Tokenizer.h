// Splits an MCI command string into tokens: runs of blanks separate them; a token that starts
// with a double quote runs to the closing quote, with "" standing for one literal quote.
#pragma once

#include "host/winmm.h"

#include <string>
#include <string_view>
#include <vector>

namespace host::mci {

struct Token {
    std::string text;
    bool quoted = false;
};

struct Tokens {
    MCIERROR error = 0; // MCIERR_NO_CLOSING_QUOTE or MCIERR_EXTRA_CHARACTERS
    std::vector<Token> tokens;
};

Tokens tokenize(std::string_view command);

// A token compared with a table word: unquoted and equal without regard to case.
bool token_is(const Token& token, std::string_view lower_word);

std::string to_lower(std::string_view text);

} // namespace host::mci
