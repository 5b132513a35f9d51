// DOS path texts made full by Windows' rules (those of GetFullPathName), before any file is
// looked at: a path starts at its drive's root, at the root of the current drive ("\X"), at the
// current directory ("X", and "D:X" when the current directory is on D) or at the root of its
// drive ("D:X" when it is not: no per-drive current directories are kept). "." is dropped, ".."
// takes off the component before it and stays at the root, runs of separators count as one, and
// trailing dots and blanks of a component are dropped.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// True when the path names its drive and starts at its root ("C:\X", "c:/x").
bool is_absolute_dos_path(std::string_view path);

// "X:\A\B": the drive letter upper case, separators backslashes, no trailing backslash except
// at the root, or one when keep_trailing_separator and the path ends in a separator. `current`
// is the current directory as a full path (it is not read for an absolute path). Nothing for
// UNC and device names ("\\server\share", "\\.\D:"), which have no place in a prefix.
std::optional<std::string> full_dos_path(std::string_view path, std::string_view current,
                                         bool keep_trailing_separator = false);

// The components of a path between its separators, empty ones left out.
std::vector<std::string_view> split_dos_components(std::string_view path);

// A component as Windows uses it: trailing dots and blanks dropped ("." and ".." kept).
std::string_view windows_component(std::string_view part);

bool is_dos_separator(char c);

}
