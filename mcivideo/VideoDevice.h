// The host's MCI digital-video device: plays AVI, QuickTime, FLI/FLC and MPEG files on the
// engine and shows them in a host window, answering the digital-video command set as Windows'
// MCIAVI and MPEGVideo drivers do, plus the host's extensions (bit rates, "play fast/slow",
// "step by N key", "ratecontrol"). One class serves every system video driver; the driver's row
// (VideoDrivers.h) gives its product name, device type and first time format.
//
// Threads: every command runs on the thread that opened the device, which must be the GUI
// thread (it owns the video window and the engine's owner side). The engine's threads only post:
// "frame ready" becomes a queued call on the GUI thread that draws the newest frame, and the end
// of play or of a seek completes a pending "notify". Position signals are checked by a timer on
// the GUI thread while playing. A command with "wait" waits in the host's device wait, which
// runs those queued calls and timers, so the window goes on showing every frame; commands
// without "wait" return once the engine has accepted them (open does not wait for the first
// frame, seek and step not for theirs), and a later command that needs the result waits then.
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
    MCIERROR wait_for_play(const Command& command);
    MCIERROR wait_for_seek(const Command& command);
    MCIERROR start_seek(Command& command, media::Status status, std::int64_t target_units);
    void wait_for_result(const Command& command);
    void stop_where_it_is();
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
    void wake_waiting_command();
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

    // A seek or step (or the first frame after open) the engine is still carrying out; commands
    // that need its result wait for it first (wait_for_result).
    enum class Outstanding { none, first_frame, seek };
    Outstanding m_outstanding = Outstanding::none;

    // The frames drawn since the last play started ("status ... frames skipped" counts the
    // frames between the first and the last of them that were never drawn).
    struct PlayTally {
        std::int64_t drawn = 0;
        std::int64_t earlier_rounds = 0; // frames passed in the rounds of a repeating play before this
        std::int64_t first = -1;         // first and last frame drawn in this round
        std::int64_t last = -1;
        void count(std::int64_t frame_number);
        std::int64_t skipped() const { return drawn > 0 ? earlier_rounds + last - first + 1 - drawn : 0; }
    };
    PlayTally m_tally;

    host::mci::NotificationSlot m_pending;   // the notification owed to a play
    host::mci::NotificationSlot m_seek_note; // the notification owed to a seek or step
    host::mci::SignalSchedule m_signal;
};

} // namespace mcivideo
