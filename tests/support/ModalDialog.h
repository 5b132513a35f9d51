// Answering a modal dialog in a test: the call that shows it waits in the dialog's own loop, and
// the answer runs from inside that loop once the dialog is the active modal widget.
#pragma once

#include "PumpUntil.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// The active modal widget when it is a T (and `accepts` it, when given); else null.
template <class T> T* shown_modal(const std::function<bool(T&)>& accepts = {}) {
    T* modal = qobject_cast<T*>(QApplication::activeModalWidget());
    return modal && (!accepts || accepts(*modal)) ? modal : nullptr;
}

// Runs `answer` on the modal T once it shows (see run_when). Returns at once.
template <class T>
void when_modal_shows(std::function<void(T&)> answer, std::function<bool(T&)> accepts = {}) {
    run_when([accepts] { return shown_modal<T>(accepts) != nullptr; },
             [accepts, answer = std::move(answer)] {
                 if (T* modal = shown_modal<T>(accepts))
                     answer(*modal);
             });
}

// Closes the modal widgets still showing when the safety timeout has passed (a box a dialog
// showed, then the dialog), so that a dialog the test failed to answer cannot block the test
// program. Stops with its scope.
class ModalSafetyNet {
  public:
    ModalSafetyNet() {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [] {
            for (int nested = 0; nested < 8; ++nested)
                if (QWidget* modal = QApplication::activeModalWidget())
                    modal->close();
        });
        m_timer.start(pump_safety_timeout);
    }

  private:
    QTimer m_timer;
};
