// A window class whose procedure records every message, for the window tests. Each test
// registers its own class name, since classes live as long as the process.
#pragma once

#include "PumpUntil.h"
#include "host/user32.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct RecordedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};

struct Recorder {
    std::vector<RecordedMessage> messages;
    // Answers a message instead of DefWindowProcA when it returns a value.
    std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)> answer;

    static Recorder& current() {
        static Recorder recorder;
        return recorder;
    }

    std::vector<UINT> kinds(HWND hwnd) const {
        std::vector<UINT> found;
        for (auto const& m : messages)
            if (m.hwnd == hwnd)
                found.push_back(m.message);
        return found;
    }

    std::vector<RecordedMessage> of(UINT message) const {
        std::vector<RecordedMessage> found;
        for (auto const& m : messages)
            if (m.message == message)
                found.push_back(m);
        return found;
    }
};

inline LRESULT recording_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto& recorder = Recorder::current();
    recorder.messages.push_back({hwnd, message, wparam, lparam});
    if (recorder.answer)
        if (auto answered = recorder.answer(hwnd, message, wparam, lparam))
            return *answered;
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

// Registers a recording class named `name` with a black background.
inline void register_recording_class(char const* name) {
    WNDCLASSA window_class{};
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = recording_procedure;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    window_class.lpszClassName = name;
    RegisterClassA(&window_class);
    Recorder::current() = Recorder{};
}
