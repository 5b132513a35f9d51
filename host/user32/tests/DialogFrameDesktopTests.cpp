// A message box on a real X server, shown by another process (desktop_probe msgbox), on a bare
// server and under a window manager: it draws its own Windows 95 frame with its caption, asks
// the window manager for no decoration, moves by its caption and ends by its close button.
#include "host/DialogFrame.h"
#include "host/user32.h"
#include "host/user32_dialogs.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

// Last: Xlib defines macros (None, Bool, Status) that other headers use as names.
#include "DeskFixture.h"

namespace {

constexpr unsigned long navy = 0x000080; // COLOR_ACTIVECAPTION
constexpr long motif_decorations_flag = 2;

class FramedBoxOnDesk : public xtest::DeskTest {
  protected:
    void TearDown() override {
        if (m_probe.state() != QProcess::NotRunning) {
            m_probe.kill();
            m_probe.waitForFinished();
        }
    }

    // Shows a message box captioned `caption` from desktop_probe; returns its window once shown.
    ::Window show_box(QString const& caption, UINT type) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", QString::fromStdString(server.display()));
        environment.insert("QT_QPA_PLATFORM", "xcb");
        m_probe.setProcessEnvironment(environment);
        m_probe.start(QStringLiteral(TEST_BIN_DIR "/desktop_probe"),
                      {"msgbox", caption, "The box's text.", QString::number(type)});
        if (!m_probe.waitForStarted())
            return 0;
        return window_of(m_probe.processId(), caption.toStdString());
    }
    // What MessageBoxA returned, once the probe ends.
    std::string answer() {
        if (!m_probe.waitForFinished(30000))
            return "still showing";
        return m_probe.readAllStandardOutput().trimmed().toStdString();
    }
    // The box's frame on the screen.
    host::DialogFrameLayout frame_of(xtest::Client::Box const& box) const {
        return host::dialog_frame_layout(QSize(box.width, box.height));
    }
    unsigned long pixel(xtest::Client::Box const& box, QPoint at) const {
        return client->pixel(box.x + at.x(), box.y + at.y());
    }
    void click_close_button(xtest::Client::Box const& box) {
        QPoint const close = frame_of(box).close_button.center();
        client->click(box.x + close.x(), box.y + close.y());
    }
    // Waits until the box's caption is painted on the screen; `box` is where it was last seen.
    bool caption_shown(::Window window, xtest::Client::Box& box) {
        return client->settle([&] {
            box = client->box(window);
            return pixel(box, frame_of(box).caption.topLeft()) == navy;
        });
    }

    QProcess m_probe;
};

TEST_P(FramedBoxOnDesk, a_message_box_shows_its_caption_text_on_its_own_frame) {
    ::Window window = show_box(QStringLiteral("BootFettle by Varn"), MB_OK);
    ASSERT_NE(window, 0u);
    std::vector<long> const motif = client->longs(window, "_MOTIF_WM_HINTS");
    ASSERT_GE(motif.size(), 3u);
    EXPECT_TRUE(motif[0] & motif_decorations_flag);
    EXPECT_EQ(motif[2], 0); // no decoration
    if (managed()) {
        std::vector<long> extents;
        client->settle([&] { return (extents = client->longs(window, "_NET_FRAME_EXTENTS")).size() == 4; });
        EXPECT_EQ(extents, std::vector<long>({0, 0, 0, 0}));
    }

    xtest::Client::Box box;
    ASSERT_TRUE(caption_shown(window, box)) << std::hex << pixel(box, frame_of(box).caption.topLeft());
    host::DialogFrameLayout const frame = frame_of(box);
    // The title's pixels break the caption's colour along its middle line.
    std::set<unsigned long> colours;
    int const middle = frame.caption.center().y();
    for (int x = frame.text.left(); x <= frame.text.right(); ++x)
        colours.insert(pixel(box, QPoint(x, middle)));
    EXPECT_GT(colours.size(), 1u);
    EXPECT_TRUE(colours.count(0xFFFFFF)); // COLOR_CAPTIONTEXT
}

TEST_P(FramedBoxOnDesk, a_drag_on_the_caption_moves_the_box_and_its_close_button_answers_ok) {
    ::Window window = show_box(QStringLiteral("Mover"), MB_OK);
    ASSERT_NE(window, 0u);
    xtest::Client::Box start;
    ASSERT_TRUE(caption_shown(window, start));
    QPoint const grip = frame_of(start).caption.center();
    client->drag(start.x + grip.x(), start.y + grip.y(), 60, 40, 20);
    xtest::Client::Box now;
    EXPECT_TRUE(client->settle([&] {
        now = client->box(window);
        // A window manager moves the window from where it took the drag over, a step late at most.
        return std::abs(now.x - (start.x + 60)) <= 3 && std::abs(now.y - (start.y + 40)) <= 2;
    })) << "moved to "
        << now.x << "," << now.y << " from " << start.x << "," << start.y;
    EXPECT_EQ(now.width, start.width);

    click_close_button(client->box(window));
    EXPECT_EQ(answer(), std::to_string(IDOK));
}

TEST_P(FramedBoxOnDesk, the_close_button_of_an_ok_cancel_box_answers_cancel) {
    ::Window window = show_box(QStringLiteral("Closer"), MB_OKCANCEL);
    ASSERT_NE(window, 0u);
    xtest::Client::Box box;
    ASSERT_TRUE(caption_shown(window, box));
    click_close_button(box);
    EXPECT_EQ(answer(), std::to_string(IDCANCEL));
}

INSTANTIATE_TEST_SUITE_P(Desks, FramedBoxOnDesk, xtest::desks, xtest::desk_name);

} // namespace
