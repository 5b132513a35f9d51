// PlayerState: the player's single process-wide state record. Every routine of the player core
// and of the operations reads and writes it directly, on the GUI thread only; there is no second
// instance and no object around it. The default member values are the values at program start.
//
// Times are 32-bit signed milliseconds. Texts live in fixed character buffers with the limits
// below, always terminated; writers must cut a longer text, never run past the buffer.
#pragma once

#include "host/win_types.h"
#include "host/winmm.h" // HWND

#include <cstdint>

namespace player {

// Buffer limits of the player's texts, terminator included.
constexpr int command_buffer_size = 256; // one MCI command string
constexpr int reply_buffer_size = 256;   // one MCI reply (main and auxiliary reply buffers)
constexpr int selection_size = 2048;     // the open-file dialog's result
constexpr int path_size = 128;           // one file path: 127 characters
constexpr int device_type_size = 64;     // an MCI device type name: 63 characters
constexpr int status_text_size = 64;     // panel texts are built up to 32 characters
// Output names are built in path-sized buffers: the folder leaves room for "00000001.bmp".
constexpr int output_name_length = 12;
constexpr int output_folder_size = path_size - output_name_length;

constexpr int max_other_devices = 16;
constexpr int device_name_size = 32;
constexpr int product_size = 128;

// An MCI video device other than the player's own two, found by the /d enumeration.
struct OtherDevice {
    std::uint8_t compound = 0; // 1: the device plays files ("compound device"), 0: it plays its own medium
    char name[device_name_size] = {}; // the MCI device name from the system information
    char product[product_size] = {};  // its product text, " ..." appended for compound devices
};

// Stream properties gathered at every open, all cleared before each set-up.
struct StreamInfo {
    std::int32_t source_width = 0; // source rectangle
    std::int32_t source_height = 0;
    std::int32_t audio_bitrate = 0; // bits per second, as the device reports them
    std::int32_t video_bitrate = 0;
    std::int32_t system_bitrate = 0; // also sizes the stream cuts
    std::int32_t nominal_frame_rate = 0;
};

struct PlayerState {
    // Start-up and main window.
    bool use_other_devices = false;                           // /d given: offer other MCI video devices
    bool exit_requested = false;                              // the next player_tick shuts the player down
    char status_text[status_text_size] = "REELIX V1.64 1998"; // the panel's text until a medium opens
    std::int32_t window_x = 0;                                // last position any layout gave the main window
    std::int32_t window_y = 0;
    std::int32_t screen_width = 0; // screen size taken once at start-up
    std::int32_t screen_height = 0;

    // The open device.
    HWND video_window = nullptr; // the device's video window; null when it has none
    std::int32_t video_x = 0;    // screen position computed for the video window
    std::int32_t video_y = 0;
    std::int32_t video_width = 0; // the device's source rectangle size
    std::int32_t video_height = 0;
    char device_type[device_type_size] = {}; // type for files of no known extension, and for device opens
    char current_path[path_size] = {};       // upper-cased path of the open file
    OtherDevice other_devices[max_other_devices] = {};
    std::int8_t other_device_count = 0;
    StreamInfo stream_info;

    // The play list.
    char selected_files[selection_size] = {}; // the dialog's result: one path, or a folder and names
    std::int32_t item_count = 1;              // files in the list; 1 for a single file and for a disc
    std::int32_t item_index = 1;              // 1-based current file; 0 between count and first open

    // Transport and audio.
    bool media_open = false; // a medium is open under the alias and set up
    bool playing = false;    // playing at normal speed (not fast, slow, paused or stopped)
    bool unpaused = true;    // the pause toggle pauses next
    std::int32_t position_ms = 0;
    std::int32_t length_ms = 1; // never below 1: the panel divides by it
    std::int32_t time_step_ms = 25000;
    std::int32_t volume = 1000; // 0..1000 once applied; the keys may leave it outside until then
    bool left_on = true;
    bool right_on = true;
    std::int32_t audio_mode_counter = 0; // modulo 4 selects the audio mode
    bool full_size = false;
    bool fast_view = false;
    bool idle = true;        // no series capture or cut runs; ESC sets it to break one
    UINT_PTR stop_timer = 0; // id of the timer that ticks while stopped; 0 when none

    // Open mode.
    bool file_mode = false; // the device takes file names (else it plays its own disc)

    // Capture and cutting.
    std::int32_t mark_begin_ms = 0;
    std::int32_t mark_end_ms = 0;
    char output_folder[output_folder_size] = "c:\\"; // ends in a backslash; set again at start-up
    std::int32_t output_counter = 0;                 // last number used for an output file
};

} // namespace player
