// Opening what the user asks for: files through the open-file dialog (file mode) or a device that
// plays its own disc, above all a VideoCD (disc mode). Every open command of the user goes through
// open_media, which resets the medium fields, closes the current medium and opens the new one.
// GUI thread only.
#pragma once

namespace player {

// The open routine for the current device_type and file_mode. File mode: the dialog, then the
// first file of the new play list (a cancelled dialog leaves the current medium open, stopped).
// Disc mode: the five open forms of the disc device, then the track-count query and set-up.
// Reports its own failures.
void open_media();

// Opens the play list now in selected_files as the open-file dialog's choice is opened: the state
// reset, the current medium closed, the panel-only layout, the selection upper-cased, the first
// file opened and played. device_type and file_mode are the caller's.
void play_selection();

// Plays a VideoCD image (a .cue sheet, by its DOS path) as "play VCD" plays the disc in the drive,
// with the image in place of "==CDI": device_type "VCDVideo", disc mode, the element open forms
// with their fall-backs; "Error: open VCDVideo device with <path>" when none succeeds.
void play_disc_image(char const* path);

// "open file for play" (Ctrl+O): device_type "MPEGMovie", file mode, stop if playing, open_media.
void open_files_for_play();

// "play VCD" (Ctrl+V): device_type "VCDVideo", disc mode, open_media.
void play_video_cd();

// What a closed medium shows: no video window, no text, position and marks 0, length 1.
void reset_medium_readouts();
// The reset at every open command: closed and not playing, normal size, a list of one item, and
// the readouts of a closed medium.
void reset_medium_state();

// Centres the main window, panel and backdrop, on the screen size taken at start-up.
void apply_panel_only_layout();

} // namespace player
