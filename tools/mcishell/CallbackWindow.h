// The hidden window mcishell gives mciSendStringA as callback window: it receives the
// MM_MCINOTIFY and MM_MCISIGNAL messages of the commands sent, and with --messages prints each
// on standard error ("MM_MCINOTIFY<tab>wParam<tab>lParam"), so standard output keeps one line
// per command.
#pragma once

#include "host/windows.h"

class CallbackWindow {
  public:
    explicit CallbackWindow(bool print_messages);
    ~CallbackWindow();
    CallbackWindow(const CallbackWindow&) = delete;
    CallbackWindow& operator=(const CallbackWindow&) = delete;

    HWND handle() const { return m_handle; }

    // Dispatches every queued message and lets the windows repaint.
    static void pump_messages();

  private:
    HWND m_handle = nullptr;
};
