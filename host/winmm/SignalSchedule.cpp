#include "host/mci/SignalSchedule.h"

#include "host/mci/MessagePoster.h"

namespace host::mci {

namespace {

// The first point at or after position on the grid start + k * every.
std::int64_t first_point_from(std::int64_t start, std::int64_t every, std::int64_t position) {
    if (every <= 0 || position <= start)
        return start;
    std::int64_t steps = (position - start + every - 1) / every;
    return start + steps * every;
}

} // namespace

MCIERROR SignalSchedule::configure(const Command& command, std::int64_t current_position) {
    std::lock_guard lock(m_mutex);
    if (command.has("cancel")) {
        m_active = false;
        return 0;
    }
    if (!command.has("at") && !command.has("every"))
        return MCIERR_MISSING_PARAMETER;
    std::int64_t every = command.integer("every", 0);
    if (command.has("every") && every < 1)
        return MCIERR_OUTOFRANGE;
    if (command.test())
        return 0;
    m_callback = command.callback;
    m_device_id = command.device_id;
    m_every = every;
    m_user_value = command.integer("uservalue", 0);
    m_return_position = command.has("return position");
    m_position = current_position;
    // Without "at", the points are the multiples of the period.
    m_start = command.integer("at", 0);
    m_next = first_point_from(m_start, m_every, current_position);
    m_active = true;
    return 0;
}

void SignalSchedule::advance(std::int64_t position) {
    std::lock_guard lock(m_mutex);
    if (position < m_position) {
        m_position = position;
        return;
    }
    m_position = position;
    while (m_active && m_next <= position) {
        post(m_next);
        if (m_every <= 0)
            m_active = false;
        else
            m_next += m_every;
    }
}

void SignalSchedule::jump(std::int64_t position) {
    std::lock_guard lock(m_mutex);
    m_position = position;
    if (m_every > 0 && m_active)
        m_next = first_point_from(m_start, m_every, position);
}

void SignalSchedule::cancel() {
    std::lock_guard lock(m_mutex);
    m_active = false;
}

bool SignalSchedule::active() const {
    std::lock_guard lock(m_mutex);
    return m_active;
}

void SignalSchedule::post(std::int64_t point) const {
    std::intptr_t value = static_cast<std::intptr_t>(m_return_position ? point : m_user_value);
    post_message(m_callback, MM_MCISIGNAL, m_device_id, value);
}

} // namespace host::mci
