// Waiting in tests for what the message loop brings about. The pump handles queued messages as a
// program's loop does (TranslateMessage, DispatchMessageA; a WM_QUIT is dropped) and Qt's events
// (timers, paints, posted calls) in between, until a condition holds. For a call that runs a loop
// of its own (a modal dialog), run_when acts from inside that loop once a condition holds. The
// time limit is only a safety net for a test that would otherwise hang: waits are on the event,
// never on a duration.
#pragma once

#include <chrono>
#include <functional>

// Long enough for any event a test waits for, even on a loaded machine or under a sanitizer.
inline constexpr std::chrono::milliseconds pump_safety_timeout{30000};

// Pumps until `done` holds (asked after each round of handling what is queued); false when the
// time limit passed first.
bool pump_until(const std::function<bool()>& done, std::chrono::milliseconds timeout = pump_safety_timeout);

// Pumps for `period`, for a check that something does NOT happen meanwhile.
void pump_for(std::chrono::milliseconds period);

// Handles what is queued now and returns.
void pump_pending();

// Runs `act` once `ready` holds, asking every few milliseconds from a Qt timer, so that it runs
// inside whatever loop is running then (a modal dialog's too). Gives up when the test that asked
// has ended or the time limit has passed, so that what never came cannot be acted on in a later
// test. Returns at once.
void run_when(std::function<bool()> ready, std::function<void()> act,
              std::chrono::milliseconds timeout = pump_safety_timeout);
