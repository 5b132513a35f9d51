// The progress text of the long operations in the panel's text field.
#include "ops/Capture.h"

#include "core/PanelLayout.h"
#include "core/PanelPainter.h"
#include "core/PlayerState.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace player {

namespace {

constexpr std::size_t path_tail = 16;     // characters of the path shown
constexpr std::size_t percent_column = 17; // right after the space and the path's tail
constexpr std::size_t padded_width = 32;

void (*g_progress_observer)(char const* text) = nullptr;

} // namespace

// Computed in floating point and truncated; a total of 0 counts as done.
// Held to three digits, which the text has room for (callers never pass done > total).
int progress_percent(std::int32_t done, std::int32_t total) {
    const double percent =
        total == 0 ? 100.0 : std::clamp(std::trunc(double(done) * 100.0 / double(total)), -999.0, 999.0);
    return static_cast<int>(percent);
}

void progress_text(char* text, char const* path, std::int32_t done, std::int32_t total) {
    static_assert(percent_column + sizeof " -999%" <= status_text_size);
    const std::size_t length = std::strlen(path);
    char const* tail = length > path_tail ? path + length - path_tail : path;
    std::snprintf(text, status_text_size, " %-*s", static_cast<int>(padded_width - 1), tail);
    std::snprintf(text + percent_column, status_text_size - percent_column, " %2d%%", progress_percent(done, total));
    for (char* c = text; *c; ++c)
        *c = static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
}

void show_progress(char const* path, std::int32_t done, std::int32_t total) {
    // A long copy calls this for every block but shows a new text only when its percentage
    // moves: making and drawing the same text again would cost more than the copy itself.
    static int shown_percent = -1;
    static char shown_path[path_size] = {};
    const int percent = progress_percent(done, total);
    const bool same = percent == shown_percent && std::strncmp(shown_path, path, sizeof shown_path) == 0;
    if (!g_progress_observer && done != 0 && done != total && same)
        return;
    char text[status_text_size];
    progress_text(text, path, done, total);
    if (g_progress_observer)
        g_progress_observer(text);
    if (done != 0 && done != total && same)
        return;
    shown_percent = percent;
    std::strncpy(shown_path, path, sizeof shown_path - 1);
    redraw_panel(text, panel_part::text_field);
}

void set_progress_observer(void (*observer)(char const* text)) {
    g_progress_observer = observer;
}

} // namespace player
