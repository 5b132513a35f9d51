// The text of a private-profile (INI) file, read and edited with the rules of the Windows
// profile functions: section and key names match without regard to case; only the first
// section of a name and the first key of a name in it count; lines above the first section
// header belong to no section; edits change only the lines they touch, so comments, blank
// lines, spacing and line ends elsewhere stay byte for byte.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class ProfileText {
public:
    explicit ProfileText(std::string bytes);

    const std::string& bytes() const { return m_bytes; }

    // The value of the key, blanks trimmed, quotes kept; nothing when the section or key is
    // absent or the line has no "=".
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::vector<std::string> section_names() const;
    // Names of the key lines (those with "=") of the section; nothing when it is absent.
    std::optional<std::vector<std::string>> key_names(std::string_view section) const;

    // Replaces the value of an existing key in place, or adds "key=value" after the last key
    // line of the section, or appends "[section]" and the key line at the end of the file. New lines
    // take the file's own line end (CR LF for a file that has none yet).
    void set(std::string_view section, std::string_view key, std::string_view value);
    void remove_key(std::string_view section, std::string_view key);
    void remove_section(std::string_view section);

private:
    enum class Kind { Blank, Section, Key, Other };
    struct Line {
        std::size_t begin = 0;       // first byte of the line
        std::size_t end = 0;         // end of its content, before the line end
        std::size_t next = 0;        // first byte of the next line
        Kind kind = Kind::Other;
        std::string name;            // section or key name
        std::size_t value_begin = 0; // Key: first byte of the value
        std::size_t value_end = 0;   // Key: end of the value, trailing blanks excluded
    };

    void parse();
    std::string_view line_end() const;
    // Index of the first section header of that name, or lines.size().
    std::size_t find_section(std::string_view section) const;
    // Index of the key line in the section starting at header, or lines.size().
    std::size_t find_key(std::size_t header, std::string_view key) const;
    std::size_t section_end(std::size_t header) const;
    void splice(std::size_t at, std::size_t length, std::string_view text);

    std::string m_bytes;
    std::vector<Line> m_lines;
};

// Blanks of the profile format: tab through carriage return, ^Z and space.
bool is_profile_blank(char c);
std::string_view trim_profile_blanks(std::string_view text);

}
