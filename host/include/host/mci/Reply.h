// A device's answer to a command, typed; format() gives the text Windows puts in the return
// buffer, and copy_reply() applies the buffer rules of mciSendStringA.
#pragma once

#include "Command.h"

#include "host/winmm.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace host::mci {

struct Reply {
    enum class Kind { none, integer, text, rect };
    Kind kind = Kind::none;
    std::int64_t integer = 0;
    std::string text;
    Rect rect;

    static Reply number(std::int64_t value) { return {Kind::integer, value, {}, {}}; }
    static Reply string(std::string_view value) { return {Kind::text, 0, std::string(value), {}}; }
    static Reply boolean(bool value) { return string(value ? "true" : "false"); }
    static Reply on_off(bool value) { return string(value ? "on" : "off"); }
    static Reply rectangle(Rect value) { return {Kind::rect, 0, {}, value}; }
    // A mode (MCI_MODE_*), time format (MCI_FORMAT_*) or device type (MCI_DEVTYPE_*) as its word.
    static Reply mode(UINT mode);
    static Reply time_format(UINT format);
    static Reply device_type(UINT type);
    // Colonized time: "%02d:%02d:%02d" for three fields, four fields with a fourth.
    static Reply colonized(int first, int second, int third, int fourth = -1);

    // The reply text. Numbers are unsigned 32-bit decimals as Windows gives DWORDs (so -1 reads
    // 4294967295); values beyond 32 bits (window handles) are given in full.
    std::string format() const;
};

std::string_view mode_word(UINT mode);          // "playing"; "" for an unknown mode
std::string_view time_format_word(UINT format); // "milliseconds"
std::string_view device_type_word(UINT type);   // "digitalvideo"

// Copies text into buffer under the rules of mciSendStringA: 0 when it fits (with its NUL),
// MCIERR_PARAM_OVERFLOW without touching the buffer when it does not or there is no buffer.
MCIERROR copy_reply(std::string_view text, LPSTR buffer, UINT length);

} // namespace host::mci
