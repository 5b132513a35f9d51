// The MM_MCINOTIFY owed to one command sent with "notify". It is posted at most once, to the
// callback window given with the command, with the device id as lParam. A notification dropped
// before it was finished (its device closed, or it was replaced) is posted as ABORTED, so the
// caller always hears about a command it asked to be told about.
//
// Thread-safe: the engine may finish a notification from its own threads.
#pragma once

#include "host/winmm.h"

#include <atomic>
#include <memory>
#include <mutex>

namespace host::mci {

class Notification {
  public:
    Notification(HWND callback, MCIDEVICEID device_id) : m_callback(callback), m_device_id(device_id) {}
    ~Notification() { finish(MCI_NOTIFY_ABORTED); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    // Posts MM_MCINOTIFY with status (MCI_NOTIFY_*) unless already posted; returns whether it did.
    bool finish(WPARAM status);
    bool finished() const { return m_finished.load(); }
    // Marks it finished without posting: someone else (a driver module) posts it.
    void release() { m_finished = true; }
    HWND callback() const { return m_callback; }
    MCIDEVICEID device_id() const { return m_device_id; }

  private:
    HWND m_callback;
    MCIDEVICEID m_device_id;
    std::atomic<bool> m_finished{false};
};

// The one pending notification of a device, with the Windows rules for what an earlier command
// receives when a later one comes: replaced by a later "notify" that leaves the awaited
// condition reachable, it is SUPERSEDED; cut off by stop, seek, close and the like, ABORTED.
class NotificationSlot {
  public:
    // Takes the notification of a new command that completes later; the pending one, if any,
    // is finished with how_replaced.
    void arm(std::shared_ptr<Notification> next, WPARAM how_replaced = MCI_NOTIFY_SUPERSEDED);
    // Finishes the pending notification, if any, with status.
    void finish(WPARAM status);
    void supersede() { finish(MCI_NOTIFY_SUPERSEDED); }
    void abort() { finish(MCI_NOTIFY_ABORTED); }
    bool pending() const;

  private:
    mutable std::mutex m_mutex;
    std::shared_ptr<Notification> m_pending;
};

} // namespace host::mci
