// Walks the command tables over the tokens of a command string. Knows no verb by name: each
// keyword, its argument type and its exclusive group come from the tables.
#pragma once

#include "host/mci/Command.h"
#include "host/mci/Grammar.h"
#include "Tokenizer.h"

#include <optional>
#include <span>
#include <vector>

namespace host::mci {

// The grammar of one verb for one device: the keyword lists of the first table that knows the
// verb, and of the following ones as long as entries extend.
struct VerbGrammar {
    const Verb* verb = nullptr; // the entry that was found first; null if no table knows the verb
    std::vector<std::span<const Keyword>> keywords;

    explicit operator bool() const { return verb != nullptr; }
    ReplyType reply() const { return verb ? verb->reply : ReplyType::none; }
    bool allows_all() const { return verb && verb->allows_all; }
};

VerbGrammar find_verb(std::span<const CommandTable* const> tables, std::string_view verb);

// Parses the tokens after the verb and device into command.arguments and command.flags.
// Returns 0 or the parse error (259, 269, 270, 284, 290, 295, 312).
MCIERROR parse_arguments(const VerbGrammar& grammar, std::span<const Token> tokens, Command& command);

// Integers as MCI reads them: decimal with an optional leading minus, or colon notation
// (b0:b1:b2:b3, least significant first, each below 256). Hex and trailing text are refused.
std::optional<std::int64_t> parse_integer(std::string_view text);

} // namespace host::mci
