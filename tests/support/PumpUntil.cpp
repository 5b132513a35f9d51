#include "PumpUntil.h"

#include "host/user32.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <thread>

namespace {

// One round: Qt's events, then every queued message. True when anything was queued.
bool pump_round(std::chrono::steady_clock::time_point deadline) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    bool handled = false;
    MSG msg;
    // A procedure that posts again for every message it gets would keep this loop going; the
    // deadline ends it.
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        handled = true;
        if (msg.message != WM_QUIT) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (std::chrono::steady_clock::now() > deadline)
            break;
    }
    return handled;
}

} // namespace

bool pump_until(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const bool handled = pump_round(deadline);
        if (done())
            return true;
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        // Nothing queued: give the threads that post a moment instead of spinning.
        if (!handled)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void pump_for(std::chrono::milliseconds period) {
    pump_until([] { return false; }, period);
}

void pump_pending() {
    pump_round(std::chrono::steady_clock::time_point::max());
}

void run_when(std::function<bool()> ready, std::function<void()> act, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    const auto* asking_test = ::testing::UnitTest::GetInstance()->current_test_info();
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout,
                     [timer, ready = std::move(ready), act = std::move(act), deadline, asking_test] {
                         const bool over =
                             ::testing::UnitTest::GetInstance()->current_test_info() != asking_test;
                         const bool now_ready = !over && ready();
                         if (!over && !now_ready && std::chrono::steady_clock::now() <= deadline)
                             return;
                         timer->stop();
                         // Deleted once control is back in this loop; the act may run a loop of its own.
                         timer->deleteLater();
                         if (now_ready)
                             act();
                     });
    timer->start(5);
}
