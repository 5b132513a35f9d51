// The desktop's application for text files, found the freedesktop.org way:
// the first text/plain entry under [Default Applications] of the mimeapps.list (and defaults.list)
// files in the XDG configuration and data folders, and that application's desktop entry.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace host {

// The command that opens the file with the desktop's text editor; xdg-open when no default
// application for text/plain is known.
std::vector<std::string> text_editor_command(const std::string& file);

// Splits a desktop entry's Exec value into arguments (the quoting and escapes desktop entries
// use) and puts the file in place of %f, %F, %u or %U; other field codes are dropped.
// Nothing when the value is malformed. When no field code names a file, the file is appended.
std::optional<std::vector<std::string>> expand_exec_line(const std::string& exec, const std::string& file);

}
