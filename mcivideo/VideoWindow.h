// The picture side of a video device: the device's own host window (a popup, overlapped or child
// window the program may move, restyle and embed), the picture last handed over by the engine,
// and the source and destination rectangles of "where" and "put". Pictures go to the own window,
// or to a window of the program after "window ... handle N".
//
// GUI thread only, like the windows themselves. The window may be destroyed from outside (its
// parent or owner goes first); the object notices and carries on without it.
#pragma once

#include "host/mci/Command.h"

#include "media/VideoFrame.h"

#include "host/user32.h"

#include <QImage>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QSize;

namespace mcivideo {

using host::mci::Rect;

class VideoWindow {
  public:
    // Makes the own window, hidden, with a client area of the source size. `parent` is the
    // parent of a WS_CHILD window and the owner of a top-level one. Null when no window can be
    // made (a child without a valid parent, an invalid owner, or no GUI on this thread).
    static std::unique_ptr<VideoWindow> create(DWORD style, HWND parent, int source_width, int source_height,
                                               const std::string& title);
    ~VideoWindow();
    VideoWindow(const VideoWindow&) = delete;
    VideoWindow& operator=(const VideoWindow&) = delete;

    HWND own_handle() const { return m_own; }
    // Where pictures go: the window of "window handle", else the own window (null when gone).
    HWND target() const { return m_redirect ? m_redirect : m_own; }
    // Sends pictures to another host window (nullptr: back to the own one); false for a window
    // that does not exist.
    bool redirect(HWND window);

    // Keeps the frame as the current picture and draws it.
    void show_frame(media::VideoFrame frame);
    // Draws the current picture again (after a resize, a paint or a change of rectangles).
    void present();

    // "where source": the part of the picture shown, in source pixels; "put source" sets it
    // (nothing: the whole picture).
    Rect source() const;
    bool set_source(std::optional<Rect> rect);
    // "where destination": where the picture goes in the target's client area; by default all of it.
    Rect destination() const;
    bool set_destination(std::optional<Rect> rect);
    // The size the engine should scale frames to, so that drawing copies without scaling.
    QSize wanted_frame_size() const;

    // The own window's place and size ("where window", "put window at").
    std::optional<Rect> window_rect() const;
    bool move(Rect rect);
    bool show(int state);
    bool visible() const;
    bool minimized() const;
    bool maximized() const;
    std::string text() const;
    bool set_text(const std::string& text);

    // Called after the target's client area changed size (a program moved the window).
    void on_resize(std::function<void()> handler) { m_on_resize = std::move(handler); }

  private:
    VideoWindow(HWND own, int source_width, int source_height);
    static LRESULT procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    Rect client_rect() const;
    QImage picture() const;

    HWND m_own = nullptr;
    HWND m_redirect = nullptr;
    int m_source_width = 0;
    int m_source_height = 0;
    std::optional<Rect> m_source;
    std::optional<Rect> m_destination;
    QImage m_picture; // the current picture; owns the frame's pixels
    std::function<void()> m_on_resize;
};

} // namespace mcivideo
