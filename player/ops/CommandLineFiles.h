// The files named on the player's command line, opened once the main window exists, as if the
// user had chosen them in the open-file dialog. GUI thread only.
#pragma once

#include <span>
#include <string>

namespace player {

// Opens the file arguments (Linux or DOS paths, see core/CommandLine.h): a cue sheet first in
// the list plays as a VideoCD (play_disc_image); otherwise the files become the play list on the
// "MPEGMovie" device type and the first one plays, each file still opened on the device its
// extension picks. Arguments that name no file the prefix reaches, paths too long for the play
// list, and the files after a cue sheet are not opened; one "WARNING" box names them all.
// Nothing happens without file arguments.
void open_command_line_files(std::span<std::string const> files);

} // namespace player
