// One interface through which a test observes and answers every modal dialog and effect of the
// host: message boxes and beeps (the input box, the open-file dialog and log-off join it as they
// arrive). With a responder installed, no real dialog is shown and nothing blocks; with none, the
// real Qt dialogs run.
//
// Ownership: the host never owns the responder. Install it for the lifetime of a test, ideally
// through ScopedDialogResponder. Thread: the GUI thread only, like the dialogs themselves.
#pragma once

#include "host/win_types.h"

#include <deque>
#include <string>
#include <vector>

namespace host {

struct MessageBoxRequest {
    std::string caption;
    std::string text;
    UINT style = 0; // MB_* flags as passed to MessageBoxA
};

class DialogResponder {
  public:
    virtual ~DialogResponder() = default;

    // Answers a message box; returns the id of the button "pressed" (IDOK, IDYES, ...).
    // The default presses the box's default button.
    virtual int message_box(MessageBoxRequest const& request);

    // Observes a beep; `type` is the argument of MessageBeep.
    virtual void beep(UINT type);
};

// A responder that records every request and answers message boxes from a script of button
// ids, falling back to the default button when the script runs out. For tests.
class RecordingDialogResponder : public DialogResponder {
  public:
    int message_box(MessageBoxRequest const& request) override;
    void beep(UINT type) override;

    std::vector<MessageBoxRequest> message_boxes;
    std::vector<UINT> beeps;
    std::deque<int> answers;
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
