// The command tables themselves: each one must be walkable without ambiguity.

#include "host/mci/CommandTables.h"
#include "winmm/Parser.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace host::mci;

namespace {

bool is_table_name(std::string_view name) {
    if (name.empty() || name.front() == ' ' || name.back() == ' ' ||
        name.find("  ") != std::string_view::npos)
        return false;
    for (char c : name)
        if (c >= 'A' && c <= 'Z')
            return false;
    return true;
}

const CommandTable* const all_tables[] = {&tables::core, &tables::digital_video, &tables::animation,
                                          &tables::extended_video};

// The keyword lists a verb gets when looked up through the standard search orders.
std::vector<VerbGrammar> grammars_of(std::string_view verb) {
    const CommandTable* video[] = {&tables::extended_video, &tables::digital_video, &tables::core};
    const CommandTable* animation[] = {&tables::animation, &tables::digital_video, &tables::core};
    return {find_verb(video, verb), find_verb(animation, verb)};
}

TEST(CommandTables, verbs_are_unique_lower_case_and_have_no_general_flags_as_keywords) {
    for (const CommandTable* table : all_tables) {
        std::set<std::string_view> verbs;
        for (const Verb& verb : table->verbs) {
            SCOPED_TRACE(std::string(table->name) + ": " + std::string(verb.name));
            EXPECT_TRUE(verbs.insert(verb.name).second) << "verb twice in one table";
            EXPECT_TRUE(is_table_name(verb.name));
            for (const Keyword& keyword : verb.keywords)
                for (std::string_view flag : tables::general_flags)
                    EXPECT_NE(keyword.name, flag);
        }
    }
}

TEST(CommandTables, keywords_of_a_verb_are_unique_across_the_tables_it_is_looked_up_in) {
    for (const CommandTable* table : all_tables)
        for (const Verb& verb : table->verbs)
            for (const VerbGrammar& grammar : grammars_of(verb.name)) {
                std::set<std::string_view> names;
                int positional = 0;
                for (std::span<const Keyword> list : grammar.keywords)
                    for (const Keyword& keyword : list) {
                        SCOPED_TRACE(std::string(verb.name) + " / " + std::string(keyword.name));
                        EXPECT_TRUE(names.insert(keyword.name).second) << "keyword twice";
                        if (keyword.name.empty()) {
                            ++positional;
                            EXPECT_EQ(keyword.argument, ArgumentType::string);
                        } else {
                            EXPECT_TRUE(is_table_name(keyword.name));
                        }
                    }
                EXPECT_LE(positional, 1) << verb.name;
            }
}

TEST(CommandTables, constants_belong_to_constant_keywords_and_are_unique_by_name) {
    for (const CommandTable* table : all_tables)
        for (const Verb& verb : table->verbs)
            for (const Keyword& keyword : verb.keywords) {
                SCOPED_TRACE(std::string(verb.name) + " / " + std::string(keyword.name));
                EXPECT_EQ(keyword.argument == ArgumentType::constant, !keyword.constants.empty());
                std::set<std::string_view> names;
                for (const Constant& constant : keyword.constants) {
                    EXPECT_TRUE(is_table_name(constant.name));
                    EXPECT_TRUE(names.insert(constant.name).second) << constant.name;
                }
            }
}

TEST(CommandTables, extending_entries_have_a_standard_entry_to_extend) {
    for (const Verb& verb : tables::extended_video.verbs)
        if (verb.extends) {
            EXPECT_TRUE(tables::digital_video.find(verb.name) || tables::core.find(verb.name)) << verb.name;
        }
}

TEST(CommandTables, every_verb_the_player_sends_is_known_to_digital_video_devices) {
    const CommandTable* video[] = {&tables::extended_video, &tables::digital_video, &tables::core};
    for (std::string_view verb :
         {"open", "close",      "play",    "stop",     "pause",       "resume", "seek",
          "step", "status",     "set",     "setaudio", "where",       "signal", "configure",
          "info", "capability", "sysinfo", "capture",  "ratecontrol", "window", "put"})
        EXPECT_TRUE(find_verb(video, verb)) << verb;
}

struct IntegerCase {
    const char* text;
    std::optional<std::int64_t> value;
};

const IntegerCase integer_cases[] = {
    {"0", 0},
    {"1500", 1500},
    {"-5", -5},
    {"-2147483648", -2147483648LL},
    {"4294967295", 4294967295LL},
    {"4294967296", std::nullopt},
    {"-2147483649", std::nullopt},
    {"220:5:0", 1500},
    {":1", 256},
    {"1:2:3:4", 0x04030201},
    {"1:2:3:4:5", std::nullopt},
    {"256:0", std::nullopt},
    {"0xfa", std::nullopt},
    {"12abc", std::nullopt},
    {"-", std::nullopt},
    {"", std::nullopt},
    {"+5", std::nullopt},
    {"1:-2", std::nullopt},
};

TEST(ParseInteger, reads_decimal_and_colon_notation_and_refuses_the_rest) {
    for (const IntegerCase& test : integer_cases)
        EXPECT_EQ(parse_integer(test.text), test.value) << '"' << test.text << '"';
}

struct TokenCase {
    const char* command;
    MCIERROR error;
    std::vector<std::string> tokens;
};

TEST(Tokenize, splits_at_blanks_and_reads_quoted_strings) {
    const TokenCase cases[] = {
        {"open  a.avi   alias m", 0, {"open", "a.avi", "alias", "m"}},
        {"open \"C:\\My Movies\\a.avi\" alias m", 0, {"open", "C:\\My Movies\\a.avi", "alias", "m"}},
        {"x \"\"", 0, {"x", ""}},
        {"x \"a\"\"b\"", 0, {"x", "a\"b"}},
        {"x \"abc", MCIERR_NO_CLOSING_QUOTE, {}},
        {"x \"abc\"def", MCIERR_EXTRA_CHARACTERS, {}},
        {"x ab\"c", 0, {"x", "ab\"c"}},
    };
    for (const TokenCase& test : cases) {
        SCOPED_TRACE(test.command);
        Tokens result = tokenize(test.command);
        EXPECT_EQ(result.error, test.error);
        if (test.error)
            continue;
        std::vector<std::string> texts;
        for (const Token& token : result.tokens)
            texts.push_back(token.text);
        EXPECT_EQ(texts, test.tokens);
    }
}

} // namespace
