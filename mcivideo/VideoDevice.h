// The host's MCI digital-video device: plays AVI, QuickTime, FLI/FLC and MPEG files on the
// engine and shows them in a host window, answering the digital-video command set as Windows'
// MCIAVI and MPEGVideo drivers do, plus the host's extensions (bit rates, "play fast/slow",
// "step by N key", "ratecontrol"). One class serves every system video driver; the driver's row
// (VideoDrivers.h) gives its product name, device type and first time format.
//
// Threads: every command runs on the thread that opened the device, which must be the GUI
// thread (it owns the video window and the engine's owner side). The engine's threads only post:
// "frame ready" becomes a queued call on the GUI thread that draws the newest frame, and the end
// of play completes a pending "notify". Position signals are checked by a timer on the GUI
// thread while playing, and by the waiting loop of "play ... wait".
#pragma once

#include "VideoDrivers.h"

#include "host/mci/Device.h"
#include "host/mci/Notification.h"
#include "host/mci/SignalSchedule.h"

#include "media/Movie.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QObject;
class QTimer;

namespace mcivideo {

using host::mci::Command;
using host::mci::OpenRequest;
using host::mci::Reply;

class VideoWindow;

class VideoDevice : public host::mci::Device {
  public:
    explicit VideoDevice(const VideoDriver& driver);
    ~VideoDevice() override;

    UINT device_type() const override { return m_driver.device_type; }
    const host::mci::CommandTable* custom_commands() const override;
    MCIERROR open(const OpenRequest& request) override;
    MCIERROR execute(Command& command, Reply& reply) override;
    void close() override;

  private:
    using Handler = MCIERROR (VideoDevice::*)(Command&, Reply&);
    struct VerbHandler {
        std::string_view verb;
        Handler handler;
        bool needs_medium; // refused on a device opened without a file
        bool needs_window; // refused (NO_WINDOW) for a medium without a picture
    };
    static const VerbHandler verb_handlers[];

    // Transport (VideoTransport.cpp).
    MCIERROR play(Command& command, Reply& reply);
    MCIERROR stop(Command& command, Reply& reply);
    MCIERROR pause(Command& command, Reply& reply);
    MCIERROR resume(Command& command, Reply& reply);
    MCIERROR seek(Command& command, Reply& reply);
    MCIERROR step(Command& command, Reply& reply);
    MCIERROR signal(Command& command, Reply& reply);
    MCIERROR ratecontrol(Command& command, Reply& reply);
    MCIERROR wait_for_play();
    MCIERROR wait_for_seek();
    void tick();
    void start_ticking();

    // Queries (VideoQueries.cpp).
    MCIERROR status(Command& command, Reply& reply);
    MCIERROR status_item(const Command& command, Reply& reply);
    MCIERROR capability(Command& command, Reply& reply);
    MCIERROR info(Command& command, Reply& reply);

    // Settings and the picture (VideoSettings.cpp).
    MCIERROR set(Command& command, Reply& reply);
    MCIERROR setaudio(Command& command, Reply& reply);
    MCIERROR setvideo(Command& command, Reply& reply);
    MCIERROR where(Command& command, Reply& reply);
    MCIERROR put(Command& command, Reply& reply);
    MCIERROR window(Command& command, Reply& reply);
    MCIERROR configure(Command& command, Reply& reply);
    MCIERROR capture(Command& command, Reply& reply);
    MCIERROR accept(Command& command, Reply& reply);
    MCIERROR unsupported(Command& command, Reply& reply);

    // Opening (VideoDevice.cpp).
    MCIERROR open_medium(const OpenRequest& request);
    MCIERROR make_window(const OpenRequest& request);
    void on_engine_event(const media::Event& event);
    void draw_newest_frame();
    void update_frame_size();

    // Positions in the current time format.
    std::int64_t position_units() const;
    std::int64_t length() const;
    std::int64_t units(std::int64_t position_us) const;
    std::int64_t media_time(std::int64_t units) const;
    bool playing() const;

    const VideoDriver& m_driver;
    std::string m_element;          // the file as the program named it
    std::unique_ptr<QObject> m_gui; // GUI-thread context of queued calls and the signal timer
    QTimer* m_ticker = nullptr;     // owned by m_gui
    std::unique_ptr<media::Movie> m_movie;
    std::unique_ptr<VideoWindow> m_window;
    std::atomic<bool> m_frame_pending{false};

    UINT m_time_format = MCI_FORMAT_MILLISECONDS;
    int m_speed = 1000; // "set speed": thousandths of normal speed
    bool m_video_on = true;
    bool m_seek_exactly = true;
    bool m_sound_off = false; // opened without a sound device: "status ... audio" is off
    int m_left_volume = 1000;
    int m_right_volume = 1000;
    // Where the last seek or the end of play left the medium, reported as the position while it
    // rests there (the engine reports the start of the frame on screen).
    std::optional<std::int64_t> m_rest_us;
    std::optional<std::int64_t> m_play_end_us; // "play ... to": where the play stops
    std::int64_t m_last_signal_position = 0;
    // The end point of the running play in units, for the engine thread to pass the signals up
    // to the end before it completes the play's notification.
    std::atomic<std::int64_t> m_end_units{0};

    host::mci::NotificationSlot m_pending; // the notification owed to a play
    host::mci::SignalSchedule m_signal;
};

} // namespace mcivideo
