// The play list: the open-file dialog's selection and the walk through it. The selection is kept
// in the classic multi-select format of the dialog (one full path; or the folder, then a space
// and each file's short name), and item i is cut out of it when it is opened. GUI thread only.
#pragma once

#include "core/PlayerState.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace player {

// Runs the open-file dialog into selected_files: afterwards it holds the selection or is empty.
// A dialog failure (not a cancel) is shown as "GetOpenFileName returned Error #<code>".
void choose_files();

// item_count = the number of spaces in selected_files, or 1 when there is none; item_index = 0.
void count_items();

// Writes DOS paths (short names, no spaces) into selected_files as the dialog would give them:
// one path alone, or the folder they share followed by each file's path below it ("C:\CLIPS A.MPG
// SUB\B.MPG"). A file whose path would pass 127 characters, or that would not fit in the
// selection, is left out; so are files on another drive than the first. Returns those left out.
std::vector<std::string> select_files(std::span<std::string const> paths);

// "go to next file(or track)": one item on, wrapping from the last to the first. A single item
// that is open restarts from 0 without being reopened; otherwise the item is opened.
void next_item();

// "go to last file(or track)": one item back, wrapping from the first to the last.
void previous_item();

// The path of item `index` (1-based) of `selection` into `path` (path_size characters): the
// whole selection when it names one file (no space); otherwise the folder (the text before the
// first space), a backslash and the index-th name. A root folder "C:\" thus gives "C:\\A.MPG",
// which the file system accepts. The path is cut at 127 characters; an index outside the list
// gives an empty path.
void item_path(char const* selection, std::int32_t index, char (&path)[path_size]);

} // namespace player
