// The installed dialog responder and the default answers.
#include "host/DialogResponder.h"

#include "host/user32_dialogs.h"

#include <array>

namespace host {

namespace {

DialogResponder* g_responder = nullptr;

// Button ids of each MB_TYPEMASK value, in the order the box shows them.
constexpr std::array<std::array<int, 3>, 6> button_ids{{
    {IDOK, 0, 0},
    {IDOK, IDCANCEL, 0},
    {IDABORT, IDRETRY, IDIGNORE},
    {IDYES, IDNO, IDCANCEL},
    {IDYES, IDNO, 0},
    {IDRETRY, IDCANCEL, 0},
}};

// The next scripted answer, or nothing (Cancel) when the script has run out.
template <typename Answer> Answer next_answer(std::deque<Answer>& script) {
    if (script.empty())
        return std::nullopt;
    Answer answer = script.front();
    script.pop_front();
    return answer;
}

} // namespace

int default_button_id(UINT style) {
    UINT const type = style & MB_TYPEMASK;
    auto const& ids = button_ids[type < button_ids.size() ? type : 0];
    UINT const index = (style & MB_DEFMASK) >> 8;
    // A default button beyond the ones the box has falls back to the first, as Windows does.
    if (index < ids.size() && ids[index] != 0)
        return ids[index];
    return ids[0];
}

int DialogResponder::message_box(MessageBoxRequest const& request) {
    return default_button_id(request.style);
}

void DialogResponder::beep(UINT) {}

std::optional<std::string> DialogResponder::input_box(InputBoxRequest const&) {
    return std::nullopt;
}

int RecordingDialogResponder::message_box(MessageBoxRequest const& request) {
    message_boxes.push_back(request);
    if (answers.empty())
        return default_button_id(request.style);
    int const answer = answers.front();
    answers.pop_front();
    return answer;
}

void RecordingDialogResponder::beep(UINT type) {
    beeps.push_back(type);
}

std::optional<std::string> RecordingDialogResponder::input_box(InputBoxRequest const& request) {
    input_boxes.push_back(request);
    return next_answer(input_answers);
}

std::optional<std::vector<std::string>> DialogResponder::open_file_dialog(OpenFileRequest const&) {
    return std::nullopt;
}

std::optional<std::vector<std::string>>
RecordingDialogResponder::open_file_dialog(OpenFileRequest const& request) {
    open_file_requests.push_back(request);
    return next_answer(open_file_answers);
}

std::optional<SettingsAnswer> DialogResponder::settings_dialog(SettingsDialogRequest const&) {
    return std::nullopt;
}

std::optional<SettingsAnswer>
RecordingDialogResponder::settings_dialog(SettingsDialogRequest const& request) {
    settings_requests.push_back(request);
    return next_answer(settings_answers);
}

bool DialogResponder::log_off(LogOffRequest const&) {
    return false;
}

bool RecordingDialogResponder::log_off(LogOffRequest const& request) {
    log_offs.push_back(request);
    return carry_out_log_offs;
}

DialogResponder* set_dialog_responder(DialogResponder* responder) {
    DialogResponder* previous = g_responder;
    g_responder = responder;
    return previous;
}

DialogResponder* dialog_responder() {
    return g_responder;
}

} // namespace host
