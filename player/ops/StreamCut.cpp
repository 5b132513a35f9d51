// Stretches of the open MPEG file copied byte for byte into new ".mpg" files. The copy goes in
// blocks of 1024 bytes, with one window message handled and the progress shown per block; the
// bytes themselves are passed on inside the kernel, 256 blocks at a time behind the blocks they
// belong to, since a trip through the program's memory costs twice the copy.
#include "ops/Capture.h"

#include "core/CommandChannel.h"
#include "core/MessageLoop.h"
#include "core/Player.h"
#include "ops/Transport.h"

#include "host/FileCopy.h"
#include "host/user32_dialogs.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <limits>

namespace player {

namespace {

constexpr char cut_caption[] = "Cut MPG stream to disk";
constexpr std::int32_t eight_seconds_ms = 8000;
// Blocks whose bytes are passed on together.
constexpr std::int32_t blocks_per_pass = 256;

enum class Copied { all, source_ended, failed_reading, failed_writing };

// Copies `count` bytes from the source's position to the output's. A source that ends first is
// not a failure: what it had is written.
Copied copy_bytes(HANDLE source, HANDLE output, DWORD count) {
    DWORD copied = 0;
    if (!host::copy_file_bytes(source, output, count, &copied))
        return GetLastError() == ERROR_READ_FAULT ? Copied::failed_reading : Copied::failed_writing;
    return copied < count ? Copied::source_ended : Copied::all;
}

// A failure: a beep and a box that says what happened.
__attribute__((format(printf, 1, 2))) void report(char const* format, ...) {
    char text[2 * path_size + 96];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    MessageBeep(0xFFFFFFFF);
    MessageBoxA(windows.main_window, text, cut_caption, MB_OK | MB_ICONERROR);
}

// The full blocks, with a message pass and the progress after each, then the remainder, also
// after a break by ESC. A block's bytes are copied with those of the blocks around it, before
// the remainder and before a failure could be told: what is in the output at the end is exactly
// the blocks taken and the remainder. Returns how the copying ended.
Copied copy_stretch(HANDLE source, HANDLE output, char const* name, std::int32_t size) {
    const std::int32_t blocks = size / copy_block_size;
    std::int32_t waiting = 0; // blocks taken whose bytes are not copied yet
    auto pass_on_waiting = [&] {
        const Copied copied = copy_bytes(source, output, static_cast<DWORD>(waiting * copy_block_size));
        waiting = 0;
        return copied;
    };
    for (std::int32_t i = 0; i < blocks; ++i) {
        if (++waiting == blocks_per_pass) {
            if (const Copied copied = pass_on_waiting(); copied != Copied::all)
                return copied;
        }
        pump_one_message();
        if (state.idle)
            break;
        show_progress(name, i, blocks);
    }
    if (const Copied copied = pass_on_waiting(); copied != Copied::all)
        return copied;
    return copy_bytes(source, output, static_cast<DWORD>(size % copy_block_size));
}

} // namespace

std::int32_t stream_byte_offset(std::int32_t ms, std::int32_t system_bitrate) {
    // 0.000125 turns milliseconds times bits per second into bytes.
    const long double bytes = static_cast<long double>(ms) * system_bitrate * static_cast<long double>(0.000125);
    constexpr auto lowest = static_cast<long double>(std::numeric_limits<std::int32_t>::min());
    constexpr auto highest = static_cast<long double>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(std::clamp(bytes, lowest, highest));
}

void cut_stream(std::int32_t begin_ms, std::int32_t end_ms) {
    if (!state.file_mode) {
        MessageBoxA(windows.main_window, "Using Ctrl+O to open file !!!", "warning", MB_OK);
        MessageBeep(0xFFFFFFFF);
        return;
    }
    const std::int32_t start = stream_byte_offset(begin_ms, state.stream_info.system_bitrate);
    const std::int32_t end = stream_byte_offset(end_ms, state.stream_info.system_bitrate);
    // Nothing to copy: an end not after the begin, a begin before the stream, no bit rate.
    if (end_ms <= begin_ms || start < 0 || end <= start) {
        MessageBeep(0xFFFFFFFF);
        return;
    }
    const std::int32_t size = end - start;
    state.idle = false;

    // The path is kept: a command handled while copying may open another file.
    char source_path[path_size];
    copy_text(source_path, sizeof source_path, state.current_path);
    HANDLE source = CreateFileA(source_path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (source == INVALID_HANDLE_VALUE) {
        state.idle = true;
        report("Cannot open the file to cut\n%s", source_path);
        return;
    }
    char name[path_size];
    HANDLE output = create_output_file(name, ".mpg");
    if (output == INVALID_HANDLE_VALUE) {
        CloseHandle(source);
        state.idle = true;
        report("Cannot create the file to save\n%s", name[0] ? name : state.output_folder);
        return;
    }

    char text[path_size + 96];
    std::snprintf(text, sizeof text, "Press ESC to break Cutting\nSaving File: %s\nStart: %d  File Size: %d", name,
                  start, size);
    MessageBoxA(windows.main_window, text, cut_caption, MB_OK);

    Copied copied = SetFilePointer(source, start, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER
                        ? Copied::failed_reading
                        : copy_stretch(source, output, name, size);
    CloseHandle(source);
    // The output's last blocks reach the disk as it is closed: a failure there fails the cut too.
    if (!CloseHandle(output) && copied != Copied::failed_reading)
        copied = Copied::failed_writing;
    if (copied == Copied::failed_reading || copied == Copied::failed_writing) {
        DeleteFileA(name);
        state.idle = true;
        if (copied == Copied::failed_reading)
            report("Cutting stopped: cannot read\n%s\nThe file %s was removed.", source_path, name);
        else
            report("Cutting stopped: cannot write\n%s\nThe file was removed.", name);
        return;
    }
    show_progress(name, 100, 100);
    state.idle = true;
}

void cut_eight_seconds() {
    stop();
    state.mark_begin_ms = query_position();
    const auto end = std::min<std::int64_t>(std::int64_t(state.mark_begin_ms) + eight_seconds_ms,
                                            std::numeric_limits<std::int32_t>::max());
    cut_stream(state.mark_begin_ms, static_cast<std::int32_t>(end));
}

void cut_marked_range() {
    stop();
    cut_stream(state.mark_begin_ms, state.mark_end_ms);
}

} // namespace player
