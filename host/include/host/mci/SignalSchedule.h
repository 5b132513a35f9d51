// The position signal of one device ("signal DEV at N [every M] [uservalue U] [return position]",
// "signal DEV cancel"): the device reports its position as it plays and the schedule posts
// MM_MCISIGNAL to the callback window for each signal point passed, with the device id as
// wParam and the user value (or, with "return position", the signal point) as lParam.
// One active signal per device, as MCIAVI keeps: a new "signal" replaces it.
//
// Positions are in the device's time format at the time of the command. Thread-safe: advance()
// is meant to be called from the engine's clock thread.
#pragma once

#include "Command.h"

#include <cstdint>
#include <mutex>
#include <optional>

namespace host::mci {

class SignalSchedule {
  public:
    // Takes a parsed "signal" command sent at the current position. Returns 0, or
    // MCIERR_MISSING_PARAMETER when it names neither a position, a period nor cancel, or
    // MCIERR_OUTOFRANGE for a period below 1.
    MCIERROR configure(const Command& command, std::int64_t current_position);
    // Posts the signals of every point in (last position, position] while moving forward.
    void advance(std::int64_t position);
    // A jump (seek, loop back to the start): no signals for the points jumped over.
    void jump(std::int64_t position);
    void cancel();
    bool active() const;

  private:
    void post(std::int64_t point) const;

    mutable std::mutex m_mutex;
    bool m_active = false;
    HWND m_callback = nullptr;
    MCIDEVICEID m_device_id = 0;
    std::int64_t m_start = 0; // the "at" position
    std::int64_t m_next = 0;  // next signal point
    std::int64_t m_every = 0; // 0: one signal only
    std::int64_t m_user_value = 0;
    bool m_return_position = false;
    std::int64_t m_position = 0;
};

} // namespace host::mci
