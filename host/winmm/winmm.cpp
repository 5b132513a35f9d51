// The winmm entry points: the buffer rules of mciSendStringA around the dispatcher, and the
// error texts.

#include "Dispatcher.h"
#include "ErrorTable.h"
#include "host/mci/Reply.h"
#include "Trace.h"

#include <cstring>

using namespace host::mci;

namespace {

void copy_truncated(std::string_view text, LPSTR buffer, UINT length) {
    std::size_t count = std::min<std::size_t>(text.size(), length - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
}

} // namespace

extern "C" MCIERROR mciSendStringA(LPCSTR command, LPSTR return_string, UINT return_length, HWND callback) {
    std::string_view text = command ? std::string_view(command) : std::string_view();
    Outcome outcome = dispatch(text, callback);
    MCIERROR result = outcome.error;
    std::string reply = result == 0 ? outcome.reply.format() : std::string();
    if (result == 0 && outcome.reply.kind != Reply::Kind::none) {
        // A reply that does not fit is an error and leaves the buffer as it was; only the device
        // id of "open" may go unread.
        if (return_string || !outcome.reply_optional)
            result = copy_reply(reply, return_string, return_length);
    } else if (return_string && return_length > 0) {
        return_string[0] = '\0';
    }
    trace_command(text, result, result == 0 ? reply : std::string());
    return result;
}

extern "C" BOOL mciGetErrorStringA(MCIERROR error, LPSTR buffer, UINT length) {
    if (!buffer || length == 0)
        return FALSE;
    if ((error & 0xFFFF) >= MCIERR_CUSTOM_DRIVER_BASE) {
        std::optional<std::string> text = device_error_text(error);
        if (!text)
            return FALSE;
        copy_truncated(*text, buffer, length);
        return TRUE;
    }
    const ErrorRow* row = find_error(error);
    if (!row || row->text.empty())
        return FALSE;
    copy_truncated(row->text, buffer, length);
    return TRUE;
}
