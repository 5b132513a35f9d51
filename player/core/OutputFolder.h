// The folder output files (captured pictures, cut streams) are written to at first: the drive
// and directory of the current folder, as a DOS path ending in a backslash.
#pragma once

#include <string>
#include <string_view>

namespace player {

// The drive and directory parts of a DOS path ("C:\MOVIES\CLIP.MPG" gives "C:\MOVIES\"); empty
// when the path has neither.
std::string drive_and_directory(std::string_view path);

// Sets state.output_folder from the current folder, in 8.3 names; the empty text (output to the
// current folder) when it does not fit the folder buffer.
void set_output_folder();

} // namespace player
