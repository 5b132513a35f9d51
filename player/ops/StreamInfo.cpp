// The stream information box.
#include "ops/Diagnostics.h"

#include "core/Player.h"

#include "host/user32_dialogs.h"

#include <cstdio>

namespace player {

void stream_info_text(char* text) {
    StreamInfo const& info = state.stream_info;
    std::snprintf(text, stream_info_text_size,
                  "source width\t= %d\nsource height\t= %d\naudio  rate = %7.7d (bits/sec)\nvideo  rate = %7.7d "
                  "(bits/sec)\nsystem rate = %7.7d (bits/sec)\nframe  rate = %6.3f (frames/sec)",
                  info.source_width, info.source_height, info.audio_bitrate, info.video_bitrate,
                  info.system_bitrate, info.nominal_frame_rate * 0.001);
}

void show_stream_info() {
    char text[stream_info_text_size];
    stream_info_text(text);
    MessageBoxA(windows.main_window, text, "Info", MB_OK);
}

} // namespace player
