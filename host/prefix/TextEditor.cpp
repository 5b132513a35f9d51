#include "TextEditor.h"

#include "AtomicFile.h"
#include "kernel32/ProfileText.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace host {
namespace {

std::vector<fs::path> folders_from(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    std::string list = value && *value ? value : fallback;
    std::vector<fs::path> folders;
    std::stringstream stream(list);
    for (std::string item; std::getline(stream, item, ':');)
        if (!item.empty())
            folders.emplace_back(item);
    return folders;
}

fs::path home_folder(const char* variable, const char* below_home) {
    if (const char* value = std::getenv(variable); value && *value)
        return value;
    const char* home = std::getenv("HOME");
    return fs::path(home ? home : "/") / below_home;
}

std::optional<std::string> read_text(const fs::path& file) {
    std::error_code error;
    return read_whole_file(file, error);
}

// Desktop ids named for text/plain, most preferred first.
std::vector<std::string> default_text_applications() {
    std::vector<fs::path> lists;
    lists.push_back(home_folder("XDG_CONFIG_HOME", ".config") / "mimeapps.list");
    for (const auto& folder : folders_from("XDG_CONFIG_DIRS", "/etc/xdg"))
        lists.push_back(folder / "mimeapps.list");
    std::vector<fs::path> data = {home_folder("XDG_DATA_HOME", ".local/share")};
    for (const auto& folder : folders_from("XDG_DATA_DIRS", "/usr/local/share:/usr/share"))
        data.push_back(folder);
    for (const auto& folder : data) {
        lists.push_back(folder / "applications" / "mimeapps.list");
        lists.push_back(folder / "applications" / "defaults.list");
    }
    std::vector<std::string> ids;
    for (const auto& list : lists) {
        auto text = read_text(list);
        if (!text)
            continue;
        auto value = ProfileText(*text).value("Default Applications", "text/plain");
        if (!value)
            continue;
        std::stringstream stream(*value);
        for (std::string id; std::getline(stream, id, ';');)
            if (!id.empty())
                ids.push_back(id);
    }
    return ids;
}

std::optional<fs::path> find_desktop_entry(const std::string& id) {
    std::vector<fs::path> data = {home_folder("XDG_DATA_HOME", ".local/share")};
    for (const auto& folder : folders_from("XDG_DATA_DIRS", "/usr/local/share:/usr/share"))
        data.push_back(folder);
    for (const auto& folder : data) {
        fs::path entry = folder / "applications" / id;
        std::error_code error;
        if (fs::is_regular_file(entry, error))
            return entry;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::vector<std::string>> expand_exec_line(const std::string& exec, const std::string& file) {
    std::vector<std::string> args;
    bool named_file = false;
    std::size_t at = 0;
    while (at < exec.size()) {
        while (at < exec.size() && exec[at] == ' ')
            ++at;
        if (at == exec.size())
            break;
        std::string arg;
        bool quoted = exec[at] == '"';
        if (quoted) {
            ++at;
            while (at < exec.size() && exec[at] != '"') {
                if (exec[at] == '\\' && at + 1 < exec.size())
                    ++at;
                arg += exec[at++];
            }
            if (at == exec.size())
                return std::nullopt; // unterminated quote
            ++at;
            args.push_back(arg);
            continue;
        }
        bool has_content = false;
        while (at < exec.size() && exec[at] != ' ') {
            if (exec[at] == '%' && at + 1 < exec.size()) {
                char code = exec[at + 1];
                at += 2;
                if (code == '%') {
                    arg += '%';
                    has_content = true;
                } else if (code == 'f' || code == 'F' || code == 'u' || code == 'U') {
                    arg += file;
                    has_content = named_file = true;
                } // %i, %c, %k and the deprecated codes stand for nothing here
                continue;
            }
            arg += exec[at++];
            has_content = true;
        }
        if (has_content)
            args.push_back(arg);
    }
    if (args.empty())
        return std::nullopt;
    if (!named_file)
        args.push_back(file);
    return args;
}

std::vector<std::string> text_editor_command(const std::string& file) {
    for (const auto& id : default_text_applications()) {
        auto entry = find_desktop_entry(id);
        if (!entry)
            continue;
        auto text = read_text(*entry);
        if (!text)
            continue;
        auto exec = ProfileText(*text).value("Desktop Entry", "Exec");
        if (!exec)
            continue;
        if (auto command = expand_exec_line(*exec, file))
            return *command;
    }
    return {"xdg-open", file};
}

} // namespace host
