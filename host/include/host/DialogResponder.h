// One interface through which a test observes and answers every modal dialog and effect of the
// host: message boxes, beeps, the input box, the open-file dialog, settings dialogs and log-off.
// With a responder installed, no real dialog is shown and nothing blocks; with none, the real Qt
// dialogs run.
//
// Ownership: the host never owns the responder. Install it for the lifetime of a test, ideally
// through ScopedDialogResponder. Thread: the GUI thread only, like the dialogs themselves.
// Texts are bytes in the ANSI code page, as the `A` functions take and return them.
#pragma once

#include "win_types.h"

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace host {

struct MessageBoxRequest {
    std::string caption;
    std::string text;
    UINT style = 0; // MB_* flags as passed to MessageBoxA
};

struct InputBoxRequest {
    std::string caption;
    std::string prompt;
    std::string default_text;
};

// The open-file dialog as GetOpenFileNameA was asked to show it.
struct OpenFileRequest {
    std::string title;
    std::vector<std::pair<std::string, std::string>> filters; // description and pattern, in order
    DWORD filter_index = 0;                                   // 1-based filter selected at first
    DWORD flags = 0;                                          // OFN_* flags as passed
    std::string initial_folder;                               // empty: the dialog's default
    std::string default_extension;
};

// A device's own settings dialog (the "configure" dialog of an MCI driver): its settings by
// name with the values the dialog starts with, in the dialog's order.
struct SettingsDialogRequest {
    std::string caption;
    std::vector<std::pair<std::string, int>> settings;
};
using SettingsAnswer = std::vector<std::pair<std::string, int>>;

// ExitWindowsEx as it was called.
struct LogOffRequest {
    UINT flags = 0;
    DWORD reason = 0;
};

class DialogResponder {
  public:
    virtual ~DialogResponder() = default;

    // Answers a message box; returns the id of the button "pressed" (IDOK, IDYES, ...).
    // The default presses the box's default button.
    virtual int message_box(MessageBoxRequest const& request);

    // Observes a beep; `type` is the argument of MessageBeep.
    virtual void beep(UINT type);

    // Answers an input box: the text "typed" and confirmed with OK, or nothing for Cancel (the
    // caller then takes the default text). The default cancels.
    virtual std::optional<std::string> input_box(InputBoxRequest const& request);

    // Answers the open-file dialog: the files "chosen", as the DOS paths a user would type into
    // its name field (full paths; several only from one folder), or nothing for Cancel. The
    // default cancels.
    virtual std::optional<std::vector<std::string>> open_file_dialog(OpenFileRequest const& request);

    // Answers a settings dialog: the settings "entered" and confirmed with OK (names of the
    // request with their new values; names left out keep their values), or nothing for Cancel.
    // The default cancels.
    virtual std::optional<SettingsAnswer> settings_dialog(SettingsDialogRequest const& request);

    // Observes a log-off (ExitWindowsEx). Returns true to end the session of the prefix for the
    // other programs running on it; this process is never ended while a responder is installed.
    // The default ends nothing.
    virtual bool log_off(LogOffRequest const& request);
};

// A responder that records every request and answers message boxes from a script of button
// ids, falling back to the default button when the script runs out. For tests.
class RecordingDialogResponder : public DialogResponder {
  public:
    int message_box(MessageBoxRequest const& request) override;
    void beep(UINT type) override;
    // Answers from input_answers in order; cancels when they run out.
    std::optional<std::string> input_box(InputBoxRequest const& request) override;

    std::vector<MessageBoxRequest> message_boxes;
    std::vector<UINT> beeps;
    std::deque<int> answers;
    std::vector<InputBoxRequest> input_boxes;
    std::deque<std::optional<std::string>> input_answers;
    // Answers from open_file_answers in order; cancels when they run out.
    std::optional<std::vector<std::string>> open_file_dialog(OpenFileRequest const& request) override;
    std::vector<OpenFileRequest> open_file_requests;
    std::deque<std::optional<std::vector<std::string>>> open_file_answers;
    // Answers from settings_answers in order; cancels when they run out.
    std::optional<SettingsAnswer> settings_dialog(SettingsDialogRequest const& request) override;
    std::vector<SettingsDialogRequest> settings_requests;
    std::deque<std::optional<SettingsAnswer>> settings_answers;
    // Records the request; ends the other programs of the prefix when carry_out_log_offs is set.
    bool log_off(LogOffRequest const& request) override;
    std::vector<LogOffRequest> log_offs;
    bool carry_out_log_offs = false;
};

// The id of the button a message box of `style` has as its default (MB_DEFBUTTONn).
int default_button_id(UINT style);

// Installs `responder` (nullptr removes it) and returns the previous one.
DialogResponder* set_dialog_responder(DialogResponder* responder);
DialogResponder* dialog_responder();

// Installs a responder for the lifetime of this object and puts back the previous one.
class ScopedDialogResponder {
  public:
    explicit ScopedDialogResponder(DialogResponder& responder)
        : m_previous(set_dialog_responder(&responder)) {}
    ~ScopedDialogResponder() { set_dialog_responder(m_previous); }
    ScopedDialogResponder(ScopedDialogResponder const&) = delete;
    ScopedDialogResponder& operator=(ScopedDialogResponder const&) = delete;

  private:
    DialogResponder* m_previous;
};

} // namespace host
