// The pool of picture memory shared with the X server, and putting a picture on a window straight
// from it.
//
// Each segment is a memfd the X server maps once (MIT-SHM 1.2, AttachFd) on Qt's own connection,
// so that our requests keep their order with Qt's painting. A segment is lent to one picture at a
// time: it comes back when the picture's last holder lets go and the server has read every put
// from it, which it reports for every fourth put (ShmCompletion, seen by an application event
// filter on the GUI thread).
// Segments of another size than the pictures asked for now are given back to the server.
#include "SharedPixels.h"

#include "host/GuiThread.h"
#include "host/SharedPixels.h"

#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <map>
#include <optional>
#include <mutex>
#include <vector>

namespace host::user32 {
namespace {

// Pictures alive at once in a playing movie: the engine's queue, the one being scaled, the one
// on screen and one the server may still be reading. Beyond this the pictures use the heap.
constexpr std::size_t most_segments = 10;
// The server reports one put of this many. Each report wakes the program twice (Qt's event
// reader, then the GUI thread); up to this many segments wait for a report, and at 25 pictures a
// second the engine holds two or three more.
constexpr std::uint64_t puts_per_report = 4;

struct Segment {
    xcb_shm_seg_t id = 0;
    std::uint8_t* base = nullptr;
    std::size_t size = 0;
    bool lent = false;          // a picture holds it
    std::uint64_t last_put = 0; // the number of the last put from it (0: none yet)
};

class Pool : public QAbstractNativeEventFilter {
  public:
    // GUI thread: sets up the pool on Qt's X connection once; false when pictures cannot be put
    // from shared memory here.
    bool ready();
    // The application ends: the pool lends nothing more and leaves the connection alone.
    void shut();
    SharedPixels take(std::size_t size);
    bool put(QWidget& widget, QImage const& picture);
    SharedPixelCounts counts();

    bool nativeEventFilter(QByteArray const& type, void* message, qintptr* result) override;

  private:
    void give_back(std::uint8_t* base);
    void drop_unused(std::size_t keep_size);                        // with m_mutex held
    Segment* holder_of(std::uint8_t const* bits, std::size_t size); // with m_mutex held
    // Whether the server has read every picture put from the segment (with m_mutex held).
    bool read(Segment const& segment) const { return segment.last_put <= m_read_up_to; }
    std::optional<std::uint8_t> depth_of(xcb_window_t window);

    std::mutex m_mutex;
    bool m_tried = false;
    bool m_ready = false; // read on any thread, under m_mutex
    xcb_connection_t* m_connection = nullptr;
    std::uint8_t m_completion_event = 0;
    std::vector<Segment> m_segments;
    std::uint64_t m_puts = 0;       // puts so far; each has the next number
    std::uint64_t m_read_up_to = 0; // the server has read every put up to this number
    std::deque<std::uint64_t> m_reported; // puts whose end the server reports, in order
    // GUI thread only.
    std::map<std::uint8_t, xcb_gcontext_t> m_contexts; // one graphics context a window depth
    std::map<xcb_window_t, std::uint8_t> m_depths;
};

Pool& pool() {
    static auto* the_pool = new Pool; // lives as long as the process, like the X connection
    return *the_pool;
}

bool Pool::ready() {
    if (!qGuiApp)
        return false; // too early to tell
    {
        std::lock_guard lock(m_mutex);
        if (m_tried)
            return m_ready;
        m_tried = true;
    }
    if (std::getenv("HOST_NO_SHARED_PIXELS"))
        return false;
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_shm_id);
    if (!extension || !extension->present)
        return false;
    xcb_shm_query_version_reply_t* version =
        xcb_shm_query_version_reply(connection, xcb_shm_query_version(connection), nullptr);
    const bool passes_descriptors =
        version && (version->major_version > 1 || (version->major_version == 1 && version->minor_version >= 2));
    std::free(version);
    if (!passes_descriptors)
        return false;
    // A server on another machine cannot map our memory: try one small segment first.
    const int probe = memfd_create("host-shared-pixels", MFD_CLOEXEC);
    if (probe < 0 || ftruncate(probe, 4096) != 0) {
        if (probe >= 0)
            close(probe);
        return false;
    }
    const xcb_shm_seg_t probe_id = xcb_generate_id(connection);
    xcb_generic_error_t* error = xcb_request_check(connection, xcb_shm_attach_fd_checked(connection, probe_id, probe, 1));
    if (error) {
        std::free(error);
        return false;
    }
    xcb_shm_detach(connection, probe_id);
    xcb_flush(connection);
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->installNativeEventFilter(this);
    else
        return false;
    std::lock_guard lock(m_mutex);
    m_connection = connection;
    m_completion_event = static_cast<std::uint8_t>(extension->first_event + XCB_SHM_COMPLETION);
    m_ready = true;
    // The connection goes with the application; a movie still open then takes heap memory.
    qAddPostRoutine([] { pool().shut(); });
    return true;
}

void Pool::shut() {
    std::lock_guard lock(m_mutex);
    m_ready = false;
    m_connection = nullptr;
}

void Pool::drop_unused(std::size_t keep_size) {
    for (auto segment = m_segments.begin(); segment != m_segments.end();) {
        if (segment->lent || !read(*segment) || segment->size == keep_size) {
            ++segment;
            continue;
        }
        if (m_connection)
            xcb_shm_detach(m_connection, segment->id);
        munmap(segment->base, segment->size);
        segment = m_segments.erase(segment);
    }
}

SharedPixels Pool::take(std::size_t size) {
    std::lock_guard lock(m_mutex);
    if (!m_ready || size == 0)
        return {};
    drop_unused(size);
    Segment* chosen = nullptr;
    for (Segment& segment : m_segments) {
        if (!segment.lent && read(segment) && segment.size == size) {
            chosen = &segment;
            break;
        }
    }
    if (!chosen) {
        if (m_segments.size() >= most_segments)
            return {};
        const int memory = memfd_create("host-shared-pixels", MFD_CLOEXEC);
        if (memory < 0)
            return {};
        void* base = MAP_FAILED;
        if (ftruncate(memory, static_cast<off_t>(size)) == 0)
            base = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, memory, 0);
        if (base == MAP_FAILED) {
            close(memory);
            return {};
        }
        Segment segment;
        segment.id = xcb_generate_id(m_connection);
        segment.base = static_cast<std::uint8_t*>(base);
        segment.size = size;
        xcb_shm_attach_fd(m_connection, segment.id, memory, 1); // the connection closes the descriptor
        m_segments.push_back(segment);
        chosen = &m_segments.back();
    }
    chosen->lent = true;
    std::uint8_t* base = chosen->base;
    return {base, size, std::shared_ptr<void>(base, [](void* memory) {
                pool().give_back(static_cast<std::uint8_t*>(memory));
            })};
}

void Pool::give_back(std::uint8_t* base) {
    std::lock_guard lock(m_mutex);
    for (Segment& segment : m_segments)
        if (segment.base == base)
            segment.lent = false;
}

std::optional<std::uint8_t> Pool::depth_of(xcb_window_t window) {
    auto known = m_depths.find(window);
    if (known != m_depths.end())
        return known->second;
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr);
    if (!geometry)
        return std::nullopt;
    const std::uint8_t depth = geometry->depth;
    std::free(geometry);
    if (m_depths.size() > 64) // windows come and go; their numbers are not reused soon
        m_depths.clear();
    m_depths[window] = depth;
    return depth;
}

bool Pool::put(QWidget& widget, QImage const& picture) {
    // A scaled screen would need the picture scaled again.
    if (!ready() || !widget.isVisible() || widget.devicePixelRatio() != 1.0)
        return false;
    const auto window = static_cast<xcb_window_t>(widget.internalWinId());
    if (!window || picture.format() != QImage::Format_RGB32 || picture.height() > 0xffff ||
        picture.bytesPerLine() / 4 > 0xffff)
        return false;
    // Children drawn by Qt inside the window would be painted over.
    for (QObject* child : widget.children()) {
        auto* child_widget = qobject_cast<QWidget*>(child);
        if (child_widget && child_widget->isVisible() && !child_widget->isWindow())
            return false;
    }
    // Pixels of 32 bits in memory order B, G, R, X are what a window of depth 24 takes.
    const std::optional<std::uint8_t> depth = depth_of(window);
    if (depth != 24)
        return false;
    const std::uint8_t* bits = picture.constBits();
    auto context = m_contexts.find(*depth);
    if (context == m_contexts.end()) {
        const xcb_gcontext_t created = xcb_generate_id(m_connection);
        const std::uint32_t no_exposures = 0;
        xcb_create_gc(m_connection, created, window, XCB_GC_GRAPHICS_EXPOSURES, &no_exposures);
        context = m_contexts.emplace(*depth, created).first;
    }
    {
        std::lock_guard lock(m_mutex);
        Segment* holder = holder_of(bits, static_cast<std::size_t>(picture.sizeInBytes()));
        if (!holder)
            return false;
        const auto offset = static_cast<std::uint32_t>(bits - holder->base);
        // The server handles one client's requests in order, so the report of one put tells of
        // every put before it.
        holder->last_put = ++m_puts;
        const bool report = m_puts % puts_per_report == 0;
        if (report)
            m_reported.push_back(m_puts);
        xcb_shm_put_image(m_connection, window, context->second,
                          static_cast<std::uint16_t>(picture.bytesPerLine() / 4),
                          static_cast<std::uint16_t>(picture.height()), 0, 0,
                          static_cast<std::uint16_t>(picture.width()), static_cast<std::uint16_t>(picture.height()),
                          0, 0, *depth, XCB_IMAGE_FORMAT_Z_PIXMAP, report ? 1 : 0, holder->id, offset);
    }
    xcb_flush(m_connection);
    return true;
}

Segment* Pool::holder_of(std::uint8_t const* bits, std::size_t size) {
    for (Segment& segment : m_segments)
        if (bits >= segment.base && bits + size <= segment.base + segment.size)
            return &segment;
    return nullptr;
}

bool Pool::nativeEventFilter(QByteArray const& type, void* message, qintptr*) {
    if (type != "xcb_generic_event_t" || !message)
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    std::lock_guard lock(m_mutex);
    if ((event->response_type & 0x7f) != m_completion_event)
        return false;
    auto* completion = reinterpret_cast<xcb_shm_completion_event_t*>(event);
    const bool ours = std::any_of(m_segments.begin(), m_segments.end(),
                                  [completion](Segment const& segment) { return segment.id == completion->shmseg; });
    if (!ours || m_reported.empty())
        return false;
    m_read_up_to = m_reported.front();
    m_reported.pop_front();
    return true;
}

SharedPixelCounts Pool::counts() {
    std::lock_guard lock(m_mutex);
    SharedPixelCounts counts;
    counts.segments = m_segments.size();
    for (Segment const& segment : m_segments)
        if (!segment.lent && read(segment))
            ++counts.free;
    counts.puts = m_puts;
    return counts;
}

} // namespace

bool put_shared_picture(QWidget& widget, QImage const& picture) {
    return pool().put(widget, picture);
}

} // namespace host::user32

namespace host {

SharedPixels take_shared_pixels(std::size_t size) {
    if (qGuiApp && user32::on_gui_thread())
        user32::pool().ready();
    return user32::pool().take(size);
}

SharedPixelCounts shared_pixel_counts() {
    return user32::pool().counts();
}

} // namespace host
