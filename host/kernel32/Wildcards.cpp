#include "Wildcards.h"

#include <cctype>
#include <string>
#include <vector>

namespace host {
namespace {

// The pattern elements, after the conversion of DOS wildcards.
enum class Element : char { AnyRun, StarToDot, QuestionOrNone, DotOrEnd, Literal };

struct Token {
    Element element;
    char c = 0;
};

std::vector<Token> convert(std::string_view pattern) {
    if (pattern == "*.*")
        pattern = "*";
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (c == '?')
            tokens.push_back({Element::QuestionOrNone});
        else if (c == '*')
            tokens.push_back({next == '.' ? Element::StarToDot : Element::AnyRun});
        else if (c == '.' && (next == '?' || next == '*' || next == '\0'))
            tokens.push_back({Element::DotOrEnd});
        else
            tokens.push_back({Element::Literal, c});
    }
    return tokens;
}

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

class Matcher {
public:
    Matcher(std::vector<Token> tokens, std::string_view name)
        : m_tokens(std::move(tokens)), m_name(name), m_last_dot(name.rfind('.')),
          m_memo((m_tokens.size() + 1) * (name.size() + 1), Unknown) {}

    bool matches(std::size_t t, std::size_t n) {
        char& memo = m_memo[t * (m_name.size() + 1) + n];
        if (memo == Unknown)
            memo = step(t, n) ? Yes : No;
        return memo == Yes;
    }

private:
    static constexpr char Unknown = 0, Yes = 1, No = 2;

    bool step(std::size_t t, std::size_t n) {
        bool at_end = n == m_name.size();
        if (t == m_tokens.size())
            return at_end;
        const Token& token = m_tokens[t];
        switch (token.element) {
        case Element::AnyRun:
            return matches(t + 1, n) || (!at_end && matches(t, n + 1));
        case Element::StarToDot:
            return matches(t + 1, n) || (!at_end && n != m_last_dot && matches(t, n + 1));
        case Element::QuestionOrNone:
            if (at_end || m_name[n] == '.')
                return matches(t + 1, n);
            return matches(t + 1, n + 1);
        case Element::DotOrEnd:
            if (at_end)
                return matches(t + 1, n);
            return m_name[n] == '.' && matches(t + 1, n + 1);
        case Element::Literal:
            return !at_end && upper(m_name[n]) == upper(token.c) && matches(t + 1, n + 1);
        }
        return false;
    }

    std::vector<Token> m_tokens;
    std::string_view m_name;
    std::size_t m_last_dot;
    std::vector<char> m_memo;
};

} // namespace

bool matches_dos_pattern(std::string_view pattern, std::string_view name) {
    return Matcher(convert(pattern), name).matches(0, 0);
}

}
