#include "ProfileText.h"

#include <algorithm>
#include <cctype>

namespace host {
namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool same_name(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

bool is_profile_blank(char c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == ' '; }

std::string_view trim_profile_blanks(std::string_view text) {
    while (!text.empty() && is_profile_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_profile_blank(text.back()))
        text.remove_suffix(1);
    return text;
}

ProfileText::ProfileText(std::string bytes) : m_bytes(std::move(bytes)) { parse(); }

void ProfileText::parse() {
    m_lines.clear();
    std::size_t at = 0;
    while (at < m_bytes.size()) {
        Line line;
        line.begin = at;
        std::size_t stop = m_bytes.find_first_of("\r\n", at);
        line.end = stop == std::string::npos ? m_bytes.size() : stop;
        line.next = line.end;
        if (line.next < m_bytes.size())
            line.next += (m_bytes[line.next] == '\r' && line.next + 1 < m_bytes.size() && m_bytes[line.next + 1] == '\n') ? 2 : 1;
        at = line.next;

        std::string_view content(m_bytes.data() + line.begin, line.end - line.begin);
        std::string_view trimmed = trim_profile_blanks(content);
        std::size_t trimmed_begin = line.begin + static_cast<std::size_t>(trimmed.data() - content.data());
        if (trimmed.empty()) {
            line.kind = Kind::Blank;
        } else if (trimmed.front() == '[' && trimmed.rfind(']') != std::string_view::npos && trimmed.rfind(']') > 0) {
            line.kind = Kind::Section;
            line.name = std::string(trim_profile_blanks(trimmed.substr(1, trimmed.rfind(']') - 1)));
        } else if (auto equals = trimmed.find('='); equals != std::string_view::npos) {
            line.kind = Kind::Key;
            std::string_view key = trimmed.substr(0, equals);
            while (!key.empty() && is_profile_blank(key.back()))
                key.remove_suffix(1);
            line.name = std::string(key);
            std::size_t value_at = equals + 1;
            while (value_at < trimmed.size() && is_profile_blank(trimmed[value_at]))
                ++value_at;
            line.value_begin = trimmed_begin + value_at;
            line.value_end = trimmed_begin + trimmed.size();
        } else {
            line.kind = Kind::Other;
        }
        m_lines.push_back(std::move(line));
    }
}

std::string_view ProfileText::line_end() const {
    std::size_t stop = m_bytes.find_first_of("\r\n");
    if (stop == std::string::npos)
        return "\r\n";
    if (m_bytes[stop] == '\n')
        return "\n";
    return stop + 1 < m_bytes.size() && m_bytes[stop + 1] == '\n' ? std::string_view("\r\n") : std::string_view("\r");
}

std::size_t ProfileText::find_section(std::string_view section) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Kind::Section && same_name(m_lines[i].name, section))
            return i;
    return m_lines.size();
}

std::size_t ProfileText::section_end(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < m_lines.size() && m_lines[i].kind != Kind::Section)
        ++i;
    return i;
}

std::size_t ProfileText::find_key(std::size_t header, std::string_view key) const {
    std::size_t end = section_end(header);
    for (std::size_t i = header + 1; i < end; ++i)
        if (m_lines[i].kind == Kind::Key && same_name(m_lines[i].name, key))
            return i;
    return m_lines.size();
}

std::optional<std::string> ProfileText::value(std::string_view section, std::string_view key) const {
    std::size_t header = find_section(section);
    if (header == m_lines.size())
        return std::nullopt;
    std::size_t index = find_key(header, key);
    if (index == m_lines.size())
        return std::nullopt;
    const Line& line = m_lines[index];
    return m_bytes.substr(line.value_begin, line.value_end - line.value_begin);
}

std::vector<std::string> ProfileText::section_names() const {
    std::vector<std::string> names;
    for (const auto& line : m_lines)
        if (line.kind == Kind::Section)
            names.push_back(line.name);
    return names;
}

std::optional<std::vector<std::string>> ProfileText::key_names(std::string_view section) const {
    std::size_t header = find_section(section);
    if (header == m_lines.size())
        return std::nullopt;
    std::vector<std::string> names;
    for (std::size_t i = header + 1, end = section_end(header); i < end; ++i)
        if (m_lines[i].kind == Kind::Key)
            names.push_back(m_lines[i].name);
    return names;
}

void ProfileText::splice(std::size_t at, std::size_t length, std::string_view text) {
    m_bytes.replace(at, length, text);
    parse();
}

void ProfileText::set(std::string_view section, std::string_view key, std::string_view value) {
    std::string newline(line_end());
    std::size_t header = find_section(section);
    if (header == m_lines.size()) {
        std::string text;
        if (!m_bytes.empty() && m_bytes.back() != '\n' && m_bytes.back() != '\r')
            text += newline;
        text += "[" + std::string(section) + "]" + newline + std::string(key) + "=" + std::string(value) + newline;
        splice(m_bytes.size(), 0, text);
        return;
    }
    std::size_t index = find_key(header, key);
    if (index != m_lines.size()) {
        const Line& line = m_lines[index];
        splice(line.value_begin, line.end - line.value_begin, value);
        return;
    }
    // A new key goes right after the last key line of the section (or its header), so comment
    // and blank lines that close the section (MSDOS.SYS's padding, the blank line before the next
    // section) stay after it.
    std::size_t last = header;
    for (std::size_t i = header + 1, end = section_end(header); i < end; ++i)
        if (m_lines[i].kind == Kind::Key)
            last = i;
    const Line& after = m_lines[last];
    std::string text;
    if (after.next == after.end)
        text += newline; // the file ended without a line end
    text += std::string(key) + "=" + std::string(value) + newline;
    splice(after.next, 0, text);
}

void ProfileText::remove_key(std::string_view section, std::string_view key) {
    std::size_t header = find_section(section);
    if (header == m_lines.size())
        return;
    std::size_t index = find_key(header, key);
    if (index == m_lines.size())
        return;
    splice(m_lines[index].begin, m_lines[index].next - m_lines[index].begin, "");
}

void ProfileText::remove_section(std::string_view section) {
    std::size_t header = find_section(section);
    if (header == m_lines.size())
        return;
    std::size_t end = section_end(header);
    std::size_t stop = end < m_lines.size() ? m_lines[end].begin : m_bytes.size();
    splice(m_lines[header].begin, stop - m_lines[header].begin, "");
}

} // namespace host
