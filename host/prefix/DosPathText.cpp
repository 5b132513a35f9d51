#include "DosPathText.h"

#include <cctype>

namespace host {
namespace {

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool has_drive(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

// Adds the components of `rest` to `parts` by the "." and ".." rules.
void walk(std::vector<std::string>& parts, std::string_view rest) {
    for (auto raw : split_dos_components(rest)) {
        auto part = windows_component(raw);
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        parts.emplace_back(part);
    }
}

} // namespace

bool is_dos_separator(char c) { return c == '\\' || c == '/'; }

bool is_absolute_dos_path(std::string_view path) { return has_drive(path) && path.size() >= 3 && is_dos_separator(path[2]); }

std::vector<std::string_view> split_dos_components(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || is_dos_separator(path[i])) {
            if (i > start)
                parts.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

std::string_view windows_component(std::string_view part) {
    if (part == "." || part == "..")
        return part;
    while (!part.empty() && (part.back() == '.' || part.back() == ' '))
        part.remove_suffix(1);
    return part;
}

std::optional<std::string> full_dos_path(std::string_view path, std::string_view current,
                                         bool keep_trailing_separator) {
    if (path.size() >= 2 && is_dos_separator(path[0]) && is_dos_separator(path[1]))
        return std::nullopt;
    char drive;
    std::vector<std::string> parts;
    std::string_view rest = path;
    bool current_usable = has_drive(current);
    if (has_drive(path)) {
        drive = upper(path[0]);
        rest.remove_prefix(2);
        bool relative = rest.empty() || !is_dos_separator(rest[0]);
        if (relative && current_usable && upper(current[0]) == drive)
            walk(parts, current.substr(2));
    } else {
        if (!current_usable)
            return std::nullopt;
        drive = upper(current[0]);
        if (rest.empty() || !is_dos_separator(rest[0]))
            walk(parts, current.substr(2));
    }
    walk(parts, rest);

    std::string full{drive, ':', '\\'};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            full += '\\';
        full += parts[i];
    }
    if (keep_trailing_separator && !parts.empty() && !path.empty() && is_dos_separator(path.back()))
        full += '\\';
    return full;
}

}
