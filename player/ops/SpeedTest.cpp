// The speed test: the device plays up to 600 frames as fast as it can decode them, timed with
// the system tick count.
#include "ops/Diagnostics.h"

#include "core/CommandChannel.h"
#include "core/PanelLayout.h"
#include "core/PanelPainter.h"
#include "core/Player.h"
#include "ops/Transport.h"

#include "host/kernel32.h"
#include "host/user32_dialogs.h"

#include <algorithm>
#include <cstdio>

namespace player {

namespace {

constexpr std::int32_t most_frames_timed = 600;

void refresh_panel() {
    redraw_panel(state.status_text, panel_part::all);
}

} // namespace

void speed_test_text(char* text, std::int32_t frames, std::uint32_t elapsed_ms) {
    const double milliseconds = elapsed_ms == 0 ? 1.0 : double(elapsed_ms);
    const auto speed = static_cast<std::int64_t>(double(frames) * 1000.0 / milliseconds);
    std::snprintf(text, speed_text_size, "System (Video Only) Speed: %lld (frames/sec)",
                  static_cast<long long>(speed));
}

void speed_test() {
    send_to_device(reply_buffer, nullptr, "ratecontrol off wait");
    send_to_device(reply_buffer, nullptr, "set time format frames wait");
    // A length that cannot be had gives 0 frames.
    std::int32_t frames = 0;
    if (send_to_device(reply_buffer, nullptr, "status length wait") == 0)
        frames = std::max(parse_int(reply_buffer), 0);
    seek_to(0);
    refresh_panel();
    apply_layout();
    const DWORD started = GetTickCount();
    frames = std::min(frames, most_frames_timed);
    send_to_device(reply_buffer, nullptr, "play from 0 to %d wait", frames);
    const DWORD elapsed = GetTickCount() - started;
    char text[speed_text_size];
    speed_test_text(text, frames, elapsed);
    MessageBoxA(windows.main_window, text, "Speed Test Result:", MB_OK);
    send_to_device(reply_buffer, nullptr, "ratecontrol on wait");
    send_to_device(reply_buffer, nullptr, "set time format milliseconds wait");
    refresh_panel();
}

} // namespace player
