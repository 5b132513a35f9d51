// Frame capture and stream cutting: single pictures and series of pictures written by the
// device, the begin and end marks, and stretches of the open MPEG file copied byte for byte into
// new files. Every output file takes the next free eight-digit number in the output folder.
// The long operations (series capture, cut) clear `idle` while they run, handle one window
// message per pass and stop when ESC has set `idle` again. GUI thread only.
#pragma once

#include "ops/CopyBuffer.h"

#include "host/kernel32.h"

#include <cstdint>

namespace player {

// Output names: output_folder, output_counter as eight digits, the extension (".bmp", ".mpg").
// Increments output_counter until the name is not taken by any entry of the folder and writes it
// into `name` (path_size characters). Numbers skipped stay used. False, with `name` empty, when
// the eight digits ran out.
bool next_output_name(char* name, char const* extension);

// Creates the next free output file exclusively (never over a file that appeared since the
// name was chosen, never through a link): a name that turns out taken stays used and the next is
// tried. The open handle for writing, or INVALID_HANDLE_VALUE with `name` holding the name that
// could not be created (empty when the numbers ran out).
HANDLE create_output_file(char* name, char const* extension);

// The panel text of a progress step: a space, the last 16 characters of `path`, then from column
// 17 " %2d%%" of done * 100 / total, upper-cased. `text` holds status_text_size characters.
void progress_text(char* text, char const* path, std::int32_t done, std::int32_t total);
// Shows progress_text in the panel's text field; status_text is left as it is.
void show_progress(char const* path, std::int32_t done, std::int32_t total);
// Tests watch every progress text shown through this; null: nobody watches.
void set_progress_observer(void (*observer)(char const* text));

// The panel's capture button: the device steps one key frame on and writes the frame it shows
// into the next free ".bmp" file; beep when it refuses.
void capture_picture();
// "capture picture as BMP" (F2): capture_picture, then play.
void capture_picture_and_play();
// "got pic as BMPs(i sec one file)" (Ctrl+B): stops play, then one picture and one seek per
// time_step_ms from mark_begin_ms while before mark_end_ms; ESC breaks it; a beep at the end.
// An empty or reversed range only beeps.
void capture_series();

// "mark the begin" (F5) and "mark the end" (F8): the mark takes the position; the position bar
// shows the marked stretch.
void mark_begin();
void mark_end();
// "mark start as the begin" (F6): begin mark 0. "mark end as the end" (F7): end mark length_ms.
void mark_start_as_begin();
void mark_end_as_end();

// The byte offset of a time in a stream of `system_bitrate` bits per second: ms * rate / 8000,
// in extended precision, truncated towards zero and held to the 32-bit range.
std::int32_t stream_byte_offset(std::int32_t ms, std::int32_t system_bitrate);

// Copies the bytes of the open file from the offset of begin_ms to the offset of end_ms into the
// next free ".mpg" file, after a box naming it. Only in file mode (else a warning box and a
// beep). An end not after the begin beeps and writes nothing; a file that cannot be opened or
// created, and a read or write that fails while copying, beep and say so in a box, and leave no
// output file. Bytes past the end of the source are not copied.
void cut_stream(std::int32_t begin_ms, std::int32_t end_ms);
// "got video stream(8sec) as MPG file" (F9, panel button): stop; the begin mark takes the
// position; cut from it to 8 seconds later.
void cut_eight_seconds();
// "got the mark content as MPG file" (F12): stop; cut from the begin mark to the end mark.
void cut_marked_range();

} // namespace player
