// Settings and the picture: set, setaudio, setvideo, where, put, window, configure and capture.
#include "VideoDevice.h"

#include "EngineErrors.h"
#include "TimeFormat.h"
#include "VideoWindow.h"

#include "host/HostPaths.h"
#include "host/user32_dialogs.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSize>

namespace mcivideo {

namespace {

constexpr int largest_volume = 1000;

} // namespace

MCIERROR VideoDevice::set(Command& command, Reply&) {
    bool on = command.has("on");
    bool off = command.has("off");
    if (command.has("door open") || command.has("door closed"))
        return MCIERR_UNSUPPORTED_FUNCTION;
    if (command.has("time format") && !is_supported_time_format(command.integer("time format")))
        return MCIERR_BAD_TIME_FORMAT;
    if ((command.has("audio") || command.has("video") || command.has("seek exactly")) && !on && !off)
        return MCIERR_MISSING_PARAMETER;
    if ((on || off) && !command.has("audio") && !command.has("video") && !command.has("seek exactly"))
        return MCIERR_MISSING_PARAMETER;
    if (command.has("speed") && command.integer("speed") < 0)
        return MCIERR_OUTOFRANGE;
    if (command.arguments.empty())
        return MCIERR_MISSING_PARAMETER;
    if (command.test())
        return 0;
    if (command.has("time format"))
        m_time_format = static_cast<UINT>(command.integer("time format"));
    if (command.has("audio") && m_movie) {
        std::int64_t channel = command.integer("audio"); // 0 all, 1 left, 2 right
        if (channel != 2)
            m_movie->set_channel(media::Channel::Left, on);
        if (channel != 1)
            m_movie->set_channel(media::Channel::Right, on);
    }
    if (command.has("video"))
        m_video_on = on;
    if (command.has("seek exactly"))
        m_seek_exactly = on;
    if (command.has("speed")) {
        // Speed 0 means as fast as the device can go, as MCIAVI.
        m_speed = static_cast<int>(command.integer("speed"));
        if (m_movie) {
            m_movie->set_paced(m_speed != 0);
            if (m_speed != 0)
                if (auto status = m_movie->set_rate(m_speed / 1000.0); !status)
                    return mci_error(status.error());
        }
    }
    return 0;
}

MCIERROR VideoDevice::setaudio(Command& command, Reply&) {
    bool left = command.has("left");
    bool right = command.has("right");
    if (command.has("bass") || command.has("treble") || command.has("over"))
        return MCIERR_UNSUPPORTED_FUNCTION;
    bool volume = command.has("volume");
    if (volume != command.has("to"))
        return MCIERR_MISSING_PARAMETER;
    std::int64_t level = command.integer("to");
    if (volume && (level < 0 || level > largest_volume))
        return MCIERR_OUTOFRANGE;
    bool on = command.has("on");
    if (!volume && !on && !command.has("off"))
        return MCIERR_MISSING_PARAMETER;
    if (command.test())
        return 0;
    if (volume) {
        if (!right)
            m_left_volume = static_cast<int>(level);
        if (!left)
            m_right_volume = static_cast<int>(level);
        // The engine has one volume for both channels: it gets their mean.
        if (m_movie)
            m_movie->set_volume((m_left_volume + m_right_volume) / 2);
    } else if (m_movie) {
        if (!right)
            m_movie->set_channel(media::Channel::Left, on);
        if (!left)
            m_movie->set_channel(media::Channel::Right, on);
    }
    return 0;
}

MCIERROR VideoDevice::setvideo(Command& command, Reply&) {
    if (!command.has("on") && !command.has("off"))
        return command.arguments.empty() ? MCIERR_MISSING_PARAMETER : MCIERR_UNSUPPORTED_FUNCTION;
    if (!command.test())
        m_video_on = command.has("on");
    return 0;
}

MCIERROR VideoDevice::where(Command& command, Reply& reply) {
    bool max = command.has("max");
    if (command.has("source")) {
        reply = Reply::rectangle(max ? Rect{0, 0, m_movie->info().width, m_movie->info().height}
                                     : m_window->source());
    } else if (command.has("destination")) {
        Rect place = m_window->destination();
        if (max) {
            QSize screen =
                QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->size() : QSize();
            place = {0, 0, screen.width(), screen.height()};
        }
        reply = Reply::rectangle(place);
    } else if (command.has("window")) {
        std::optional<Rect> rect = m_window->window_rect();
        if (!rect)
            return MCIERR_NO_WINDOW;
        if (max)
            rect = Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        reply = Reply::rectangle(*rect);
    } else if (command.has("frame") || command.has("video")) {
        return MCIERR_UNSUPPORTED_FUNCTION; // frame buffers of overlay hardware
    } else {
        return MCIERR_MISSING_PARAMETER;
    }
    return 0;
}

MCIERROR VideoDevice::put(Command& command, Reply&) {
    std::optional<Rect> rect;
    if (const host::mci::Argument* at = command.find("at"))
        rect = at->rect;
    if (command.has("frame") || command.has("video"))
        return MCIERR_UNSUPPORTED_FUNCTION;
    if (command.has("window") && !rect)
        return MCIERR_MISSING_PARAMETER;
    if (!command.has("source") && !command.has("destination") && !command.has("window"))
        return MCIERR_MISSING_PARAMETER;
    if (command.test())
        return 0;
    bool done = command.has("source")        ? m_window->set_source(rect)
                : command.has("destination") ? m_window->set_destination(rect)
                                             : m_window->move(*rect);
    if (!done)
        return MCIERR_OUTOFRANGE;
    update_frame_size();
    return 0;
}

MCIERROR VideoDevice::window(Command& command, Reply&) {
    if (!command.has("handle") && !command.has("handle default") && !command.has("state") &&
        !command.has("text"))
        return MCIERR_MISSING_PARAMETER;
    HWND target = command.has("handle") ? reinterpret_cast<HWND>(static_cast<std::uintptr_t>(
                                              static_cast<DWORD>(command.integer("handle"))))
                                        : nullptr;
    if (command.has("handle") && !host::window_widget(target))
        return MCIERR_NO_WINDOW;
    if (command.test())
        return 0;
    if (command.has("handle") || command.has("handle default")) {
        m_window->redirect(target);
        update_frame_size();
    }
    if (command.has("state") && !m_window->show(static_cast<int>(command.integer("state"))))
        return MCIERR_NO_WINDOW;
    if (command.has("text") && !m_window->set_text(std::string(command.string("text"))))
        return MCIERR_NO_WINDOW;
    return 0;
}

MCIERROR VideoDevice::configure(Command& command, Reply&) {
    if (command.test())
        return 0;
    // The device's settings in a message box: what plays and how.
    std::string text = std::string(m_driver.product) + "\n\n";
    if (m_movie) {
        const media::MediaInfo& info = m_movie->info();
        text += "File: " + m_element + "\n";
        if (info.has_video)
            text += "Picture: " + std::to_string(info.width) + " x " + std::to_string(info.height) + ", " +
                    std::to_string(info.nominal_frame_rate / 1000) + "." +
                    std::to_string(info.nominal_frame_rate % 1000 / 100) + " frames per second\n";
        text += std::string("Sound: ") + (info.has_audio ? "yes" : "none") + "\n";
    }
    text += "Speed: " + std::to_string(m_speed) +
            "\nVolume: " + std::to_string((m_left_volume + m_right_volume) / 2);
    HWND owner = m_window ? m_window->own_handle() : nullptr;
    MessageBoxA(owner, text.c_str(), (std::string(m_driver.product) + " Configuration").c_str(),
                MB_OK | MB_ICONINFORMATION);
    return 0;
}

MCIERROR VideoDevice::capture(Command& command, Reply&) {
    if (!command.has("as"))
        return MCIERR_MISSING_PARAMETER;
    if (command.has("at"))
        return MCIERR_UNSUPPORTED_FUNCTION; // the whole frame only
    std::optional<std::filesystem::path> path = host::host_path_of(command.string("as"));
    if (!path)
        return MCIERR_FILE_NOT_SAVED;
    if (command.test())
        return 0;
    if (auto status = m_movie->capture_bmp(path->string()); !status)
        return mci_error(status.error(), true);
    return 0;
}

} // namespace mcivideo
