#include "Transport.h"

#include <algorithm>
#include <chrono>

namespace media {

bool Transport::apply(ModeEvent event) {
    Mode before = machine.mode();
    if (!machine.apply(event))
        return false;
    Mode after = machine.mode();
    clock.set_paused(after != Mode::Playing);
    if (after != before)
        post(Event{EventKind::ModeChanged, after, position_us, {}});
    changed.notify_all();
    return true;
}

void Transport::post(Event event) {
    if (callback)
        callback(event);
}

void Transport::start_seek(int64_t target_us, SeekKind kind, ModeEvent finish) {
    ++serial;
    SeekRequest request{serial, target_us, kind, finish, initial_seek_margin_us};
    seek = request;
    demux_request = request;
    apply(ModeEvent::SeekStarted);
    wake_stages();
}

void Transport::widen_seek() {
    if (!seek)
        return;
    ++serial;
    seek->serial = serial;
    seek->margin_us *= 4;
    demux_request = seek;
    wake_stages();
}

void Transport::wake_stages() {
    changed.notify_all();
    if (serial_changed)
        serial_changed();
}

void Transport::finish_seek(int64_t position) {
    if (!seek)
        return;
    auto finish = seek->finish;
    seek.reset();
    position_us = position;
    clock.set(position);
    if (machine.mode() == Mode::Seeking)
        apply(finish);
    post(Event{EventKind::SeekDone, machine.mode(), position, {}});
    changed.notify_all();
}

void Transport::reached_end(int for_serial) {
    if (for_serial != serial || machine.mode() != Mode::Playing)
        return;
    if (range.repeat) {
        start_seek(range.from_us, SeekKind::Exact, ModeEvent::SeekToPlaying);
        post(Event{EventKind::Looped, machine.mode(), position_us, {}});
        return;
    }
    apply(ModeEvent::ReachedEnd);
    post(Event{EventKind::ReachedEnd, machine.mode(), position_us, {}});
}

bool Transport::audio_is_master() const {
    if (!audio_output_open)
        return false;
    // Sound alone always plays at its own pace; with video, under rate control at any speed (away
    // from normal speed it is stretched to the speed at its own pitch).
    return !has_video || paced;
}

bool Transport::wait_in_play(std::unique_lock<std::mutex>& lock, int for_serial,
                             const std::function<int64_t()>& due_in_us) {
    for (;;) {
        if (quit || for_serial != serial)
            return false;
        if (machine.mode() != Mode::Playing) {
            changed.wait(lock);
            continue;
        }
        int64_t due = due_in_us();
        if (due <= 0)
            return true;
        changed.wait_for(lock, std::chrono::microseconds(std::min(due, max_wait_slice_us)));
    }
}

int64_t Transport::real_us_until(int64_t media_us) const {
    return static_cast<int64_t>(static_cast<double>(media_us - clock.now()) / clock.rate());
}

bool Transport::is_current(int serial) {
    std::lock_guard lock(mutex);
    return serial == this->serial;
}

} // namespace media
