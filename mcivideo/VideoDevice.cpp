#include "VideoDevice.h"

#include "EngineErrors.h"
#include "TimeFormat.h"
#include "VideoWindow.h"

#include "host/mci/CommandTables.h"
#include "host/GuiThread.h"
#include "host/SharedPixels.h"

#include "host/HostPaths.h"

#include <QObject>
#include <QSize>
#include <QTimer>

#include <filesystem>
#include <limits>

namespace mcivideo {

namespace {

// The style of the own window when the program names none: an overlapped window, as MCIAVI's.
constexpr DWORD default_window_style = 0x00CF0000;
// How often the position is compared with the signal points while playing.
constexpr int signal_check_ms = 50;
// A rest position meaning "at the end of the medium", reported as its length.
constexpr std::int64_t at_end = std::numeric_limits<std::int64_t>::max();

std::string file_name_of(std::string_view path) {
    std::size_t slash = path.find_last_of("\\/:");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

} // namespace

const VideoDevice::VerbHandler VideoDevice::verb_handlers[] = {
    // verb, handler, needs a medium (not for a device opened without a file), needs a window
    {"play", &VideoDevice::play, true, false},
    {"stop", &VideoDevice::stop, true, false},
    {"pause", &VideoDevice::pause, true, false},
    {"resume", &VideoDevice::resume, true, false},
    {"seek", &VideoDevice::seek, true, false},
    {"step", &VideoDevice::step, true, false},
    {"cue", &VideoDevice::accept, true, false},
    {"signal", &VideoDevice::signal, true, false},
    {"ratecontrol", &VideoDevice::ratecontrol, true, false},
    {"status", &VideoDevice::status, false, false},
    {"capability", &VideoDevice::capability, false, false},
    {"info", &VideoDevice::info, false, false},
    {"set", &VideoDevice::set, false, false},
    {"setaudio", &VideoDevice::setaudio, false, false},
    {"setvideo", &VideoDevice::setvideo, false, false},
    {"configure", &VideoDevice::configure, false, false},
    {"where", &VideoDevice::where, true, true},
    {"put", &VideoDevice::put, true, true},
    {"window", &VideoDevice::window, true, true},
    {"capture", &VideoDevice::capture, true, true},
    {"realize", &VideoDevice::accept, true, true},
    {"update", &VideoDevice::unsupported, true, true},
    {"freeze", &VideoDevice::unsupported, true, true},
    {"unfreeze", &VideoDevice::unsupported, true, true},
    {"save", &VideoDevice::unsupported, true, false},
    {"load", &VideoDevice::unsupported, false, false},
};

VideoDevice::VideoDevice(const VideoDriver& driver)
    : m_driver(driver), m_time_format(driver.default_time_format) {}

VideoDevice::~VideoDevice() {
    close();
}

const host::mci::CommandTable* VideoDevice::custom_commands() const {
    return &host::mci::tables::extended_video;
}

MCIERROR VideoDevice::open(const OpenRequest& request) {
    if (request.new_element)
        return MCIERR_UNSUPPORTED_FUNCTION; // a player: nothing to record into
    if (!host::user32::ensure_application() || !host::user32::on_gui_thread())
        return MCIERR_CREATEWINDOW;
    m_gui = std::make_unique<QObject>();
    m_ticker = new QTimer(m_gui.get());
    m_ticker->setInterval(signal_check_ms);
    QObject::connect(m_ticker, &QTimer::timeout, m_gui.get(), [this] { tick(); });
    // A compound device opened without a file answers its capabilities and waits for none.
    if (request.element.empty())
        return 0;
    if (MCIERROR error = open_medium(request))
        return error;
    return make_window(request);
}

MCIERROR VideoDevice::open_medium(const OpenRequest& request) {
    std::optional<std::filesystem::path> path = host::host_path_of(request.element);
    std::error_code error;
    if (!path || !std::filesystem::exists(*path, error))
        return MCIERR_FILE_NOT_FOUND;
    media::OpenOptions options;
    options.events = [this](const media::Event& event) { on_engine_event(event); };
    options.audio_sample_rate = request.audio_sample_rate;
    options.audio_channels = request.audio_channels;
    if (request.sound_off) {
        options.audio_output = nullptr;
        m_sound_off = true;
    }
    options.wait_for_first_frame = false; // a slow disc must not hold the caller
    // Pictures are scaled into memory the X server reads from, so that showing one copies nothing.
    options.pixel_source = [](std::size_t size) {
        host::SharedPixels shared = host::take_shared_pixels(size);
        return media::PixelBuffer(shared.data, shared.size, std::move(shared.owner));
    };
    auto opened = media::Movie::open(path->string(), std::move(options));
    if (!opened)
        return mci_error(opened.error());
    m_movie = std::move(*opened);
    m_element = request.element;
    m_outstanding = Outstanding::first_frame;
    return 0;
}

MCIERROR VideoDevice::make_window(const OpenRequest& request) {
    const media::MediaInfo& info = m_movie->info();
    if (!info.has_video || info.width <= 0 || info.height <= 0)
        return 0; // sound only: no window, as MPEGVideo
    const Command* open = request.command;
    DWORD style =
        open && open->has("style") ? static_cast<DWORD>(open->integer("style")) : default_window_style;
    auto parent =
        open && open->has("parent")
            ? reinterpret_cast<HWND>(static_cast<std::uintptr_t>(static_cast<DWORD>(open->integer("parent"))))
            : nullptr;
    m_window = VideoWindow::create(style, parent, info.width, info.height, file_name_of(m_element));
    if (!m_window) {
        m_movie.reset();
        return MCIERR_CREATEWINDOW;
    }
    m_window->on_resize([this] { update_frame_size(); });
    update_frame_size();
    draw_newest_frame();
    return 0;
}

void VideoDevice::close() {
    m_pending.abort();
    m_seek_note.abort();
    m_signal.cancel();
    if (m_ticker)
        m_ticker->stop();
    // The engine goes first: its threads may still post to the GUI context.
    m_movie.reset();
    m_window.reset();
    m_ticker = nullptr;
    m_gui.reset();
}

MCIERROR VideoDevice::execute(Command& command, Reply& reply) {
    for (const VerbHandler& entry : verb_handlers) {
        if (entry.verb != command.verb)
            continue;
        if (entry.needs_medium && !m_movie)
            return MCIERR_NONAPPLICABLE_FUNCTION;
        if (entry.needs_window && !m_window)
            return MCIERR_NO_WINDOW;
        if (!command.test())
            wait_for_result(command);
        MCIERROR error = (this->*entry.handler)(command, reply);
        if (command.test())
            reply = {};
        return error;
    }
    return MCIERR_UNSUPPORTED_FUNCTION;
}

MCIERROR VideoDevice::accept(Command&, Reply&) {
    return 0;
}

MCIERROR VideoDevice::unsupported(Command&, Reply&) {
    return MCIERR_UNSUPPORTED_FUNCTION;
}

// Engine threads: only post.
void VideoDevice::on_engine_event(const media::Event& event) {
    switch (event.kind) {
    case media::EventKind::FrameReady:
        // One queued call at a time; it draws the newest frame waiting.
        if (!m_frame_pending.exchange(true))
            QMetaObject::invokeMethod(
                m_gui.get(),
                [this] {
                    m_frame_pending = false;
                    draw_newest_frame();
                },
                Qt::QueuedConnection);
        break;
    case media::EventKind::ReachedEnd:
        m_signal.advance(m_end_units);
        m_pending.finish(MCI_NOTIFY_SUCCESSFUL);
        wake_waiting_command();
        break;
    case media::EventKind::SeekDone:
        m_seek_note.finish(MCI_NOTIFY_SUCCESSFUL);
        wake_waiting_command();
        break;
    default:
        break;
    }
}

// Engine threads: a command waiting for the end of a play or seek looks again at once.
void VideoDevice::wake_waiting_command() {
    QMetaObject::invokeMethod(m_gui.get(), [] {}, Qt::QueuedConnection);
}

void VideoDevice::draw_newest_frame() {
    if (!m_movie)
        return;
    std::optional<media::VideoFrame> frame = m_movie->frames().take_latest();
    if (!frame || !m_window || !m_video_on)
        return;
    if (playing())
        m_tally.count(frame->frame_number);
    m_window->show_frame(std::move(*frame));
}

void VideoDevice::PlayTally::count(std::int64_t frame_number) {
    if (drawn > 0 && frame_number <= last) { // a repeating play went round
        earlier_rounds += last - first + 1;
        first = -1;
    }
    ++drawn;
    if (first < 0)
        first = frame_number;
    last = frame_number;
}

void VideoDevice::update_frame_size() {
    if (!m_movie || !m_window)
        return;
    QSize size = m_window->wanted_frame_size();
    m_movie->set_target_size(size.width(), size.height());
}

std::int64_t VideoDevice::units(std::int64_t position_us) const {
    if (position_us == at_end)
        return length();
    return to_units(position_us, m_time_format, m_movie->info());
}

std::int64_t VideoDevice::media_time(std::int64_t value) const {
    return from_units(value, m_time_format, m_movie->info());
}

std::int64_t VideoDevice::length() const {
    return m_movie ? length_units(m_time_format, m_movie->info()) : 0;
}

std::int64_t VideoDevice::position_units() const {
    if (!m_movie)
        return 0;
    media::Mode mode = m_movie->mode();
    // A play that ran out rests at its end; the engine shows the last frame, MCI names the end.
    if (mode == media::Mode::Ended)
        return units(m_play_end_us.value_or(at_end));
    if (m_rest_us && mode == media::Mode::Stopped)
        return units(*m_rest_us);
    return units(m_movie->position_us());
}

bool VideoDevice::playing() const {
    media::Mode mode = m_movie ? m_movie->mode() : media::Mode::NotReady;
    return mode == media::Mode::Playing || mode == media::Mode::Seeking;
}

} // namespace mcivideo
