// Waiting on a device: "play ... wait" from a program's GUI thread, on a private X server, with
// the device's window watched and keys pressed from outside as a user would (wait_probe is the
// program); and commands without "wait" that return before the engine has finished.

#include "VideoTestSupport.h"

#include "MediaFixtures.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <set>
#include <sstream>

// Last: Xlib defines macros (None, Bool, Status) that other headers use as names.
#include "XServer.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

using namespace video_test;
using namespace std::chrono_literals;

namespace {

struct ProbeEnd {
    unsigned code = 0;
    int keys_during_wait = -1;
    int keys_after = -1;
    std::string mode;
    long long position = -1;
    long long length = -1;
};

class WaitingCaller : public VideoDeviceTest {
  protected:
    void SetUp() override {
        if (!server.running())
            GTEST_SKIP() << "Xvfb is not installed";
        client = std::make_unique<xtest::Client>(server.display());
        ASSERT_NE(client->display(), nullptr);
        int event, error, major, minor;
        if (!XTestQueryExtension(client->display(), &event, &error, &major, &minor))
            GTEST_SKIP() << "the X server has no XTEST";
        std::string clip = media::test::vcd_mpeg(8, "testsrc2");
        ASSERT_FALSE(clip.empty());
        path = install_file(clip, "WAIT.MPG");
    }
    void TearDown() override {
        if (probe.state() != QProcess::NotRunning) {
            probe.kill();
            probe.waitForFinished();
        }
        VideoDeviceTest::TearDown();
    }

    // Starts the program and returns once it is about to block in "play m wait".
    void start_probe() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", QString::fromStdString(server.display()));
        environment.insert("QT_QPA_PLATFORM", "xcb");
        environment.insert("SDL_AUDIODRIVER", "dummy");
        probe.setProcessEnvironment(environment);
        probe.start(QStringLiteral(TEST_BIN_DIR "/wait_probe"), {QString::fromStdString(path)});
        ASSERT_TRUE(probe.waitForStarted());
        std::string line = read_line();
        std::istringstream words(line);
        std::string word;
        words >> word >> own_window >> video_window;
        ASSERT_EQ(word, "ready") << line;
        ASSERT_NE(video_window, 0u);
    }

    std::string read_line() {
        while (!probe.canReadLine())
            if (!probe.waitForReadyRead(30000))
                return {};
        return probe.readLine().trimmed().toStdString();
    }

    ProbeEnd finish_probe() {
        ProbeEnd end;
        std::istringstream words(read_line());
        std::string word;
        words >> word >> end.code >> end.keys_during_wait >> end.keys_after >> end.mode >> end.position >> end.length;
        probe.waitForFinished(30000);
        return end;
    }

    // A fingerprint of what the server shows in the video window.
    std::size_t picture() const {
        XImage* image = XGetImage(client->display(), video_window, 0, 0, 352, 288, AllPlanes, ZPixmap);
        if (!image)
            return 0;
        std::size_t hash = 0;
        for (int y = 0; y < image->height; y += 4)
            for (int x = 0; x < image->width; x += 4)
                hash = hash * 31 + XGetPixel(image, x, y);
        XDestroyImage(image);
        return hash;
    }

    // The pictures seen over `span` while the caller waits.
    std::set<std::size_t> pictures_during(std::chrono::milliseconds span) const {
        std::set<std::size_t> seen;
        for (auto end = std::chrono::steady_clock::now() + span; std::chrono::steady_clock::now() < end;) {
            if (std::size_t hash = picture())
                seen.insert(hash);
            std::this_thread::sleep_for(40ms);
        }
        return seen;
    }

    void press(KeySym symbol, KeySym modifier = 0) {
        Display* display = client->display();
        XSetInputFocus(display, own_window, RevertToParent, CurrentTime);
        if (modifier)
            XTestFakeKeyEvent(display, XKeysymToKeycode(display, modifier), True, 0);
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), True, 0);
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), False, 0);
        if (modifier)
            XTestFakeKeyEvent(display, XKeysymToKeycode(display, modifier), False, 0);
        XSync(display, False);
    }

    xtest::Xvfb server;
    std::unique_ptr<xtest::Client> client;
    QProcess probe;
    std::string path;
    unsigned long own_window = 0;
    unsigned long video_window = 0;
};

TEST_F(WaitingCaller, device_window_plays_on_and_input_waits_for_the_command_to_return) {
    ASSERT_NO_FATAL_FAILURE(start_probe());
    std::set<std::size_t> before_key = pictures_during(1500ms);
    EXPECT_GE(before_key.size(), 5u) << "the picture moves while the caller is blocked in the call";
    press(XK_a);
    std::set<std::size_t> after_key = pictures_during(1000ms);
    EXPECT_GE(after_key.size(), 5u) << "a key for the caller does not end or stop the wait";
    ProbeEnd end = finish_probe();
    EXPECT_EQ(end.code, 0u);
    EXPECT_EQ(end.keys_during_wait, 0) << "no input reaches the caller's windows during the wait";
    EXPECT_EQ(end.keys_after, 1) << "the key waits in the caller's queue until the command returns";
    EXPECT_EQ(end.mode, "stopped");
    EXPECT_EQ(end.position, end.length) << "the play ran to its end";
}

TEST_F(WaitingCaller, ctrl_break_ends_a_waiting_play_where_it_was) {
    ASSERT_NO_FATAL_FAILURE(start_probe());
    EXPECT_GE(pictures_during(1000ms).size(), 3u);
    press(XK_Pause, XK_Control_L);
    ProbeEnd end = finish_probe();
    EXPECT_EQ(end.code, 0u) << "the user ended the wait; the command itself did not fail";
    EXPECT_EQ(end.keys_during_wait, 0);
    EXPECT_EQ(end.keys_after, 0) << "the break key belongs to the wait, not to the program";
    EXPECT_EQ(end.mode, "stopped");
    EXPECT_GT(end.position, 500);
    EXPECT_LT(end.position, end.length - 2000) << "the device stopped where it was, long before the end";
}

// A picture whose frames take long to reach: 12 s of 1280x720 MPEG-2 with one key frame at the
// start, so a seek near the end decodes almost every frame before it.
std::string slow_seek_clip() {
    return media::test::ffmpeg_fixture("slowseek.mpg", {"-f", "lavfi", "-i", "testsrc2=size=1280x720:rate=25:duration=12",
                                                         "-c:v", "mpeg2video", "-g", "400", "-bf", "0", "-q:v", "8",
                                                         "-f", "vob"});
}

class CommandsWithoutWait : public VideoDeviceTest {
  protected:
    void SetUp() override {
        std::string clip = slow_seek_clip();
        ASSERT_FALSE(clip.empty());
        install_file(clip, "SLOW.MPG");
    }
};

TEST_F(CommandsWithoutWait, seek_returns_before_its_frame_and_a_later_status_waits_for_it) {
    CallbackWindow callback;
    ASSERT_EQ(send("open C:\\CLIPS\\SLOW.MPG type MPEGVideo alias m"), 0u);
    ASSERT_EQ(send("set m time format milliseconds"), 0u);
    ASSERT_EQ(send("seek m to 11000 notify", callback.handle()), 0u);
    ASSERT_EQ(send("status m mode"), 0u);
    EXPECT_EQ(reply, "seeking") << "the seek returned before its frame was decoded";
    EXPECT_TRUE(callback.messages(MM_MCINOTIFY).empty());
    EXPECT_EQ(number("status m position wait"), 11000);
    ASSERT_EQ(send("status m mode"), 0u);
    EXPECT_EQ(reply, "stopped");
    pump_until([&] { return !callback.messages(MM_MCINOTIFY).empty(); });
    ASSERT_EQ(callback.messages(MM_MCINOTIFY).size(), 1u);
    EXPECT_EQ(callback.messages(MM_MCINOTIFY)[0].wparam, MCI_NOTIFY_SUCCESSFUL) << "notified when the frame is there";
}

TEST_F(CommandsWithoutWait, a_seek_cut_off_by_another_is_notified_aborted) {
    CallbackWindow callback;
    ASSERT_EQ(send("open C:\\CLIPS\\SLOW.MPG type MPEGVideo alias m wait"), 0u);
    ASSERT_EQ(send("set m time format milliseconds wait"), 0u);
    ASSERT_EQ(send("seek m to 11000 notify", callback.handle()), 0u);
    ASSERT_EQ(send("seek m to 1000 wait"), 0u);
    pump_until([&] { return !callback.messages(MM_MCINOTIFY).empty(); });
    ASSERT_EQ(callback.messages(MM_MCINOTIFY).size(), 1u);
    EXPECT_EQ(callback.messages(MM_MCINOTIFY)[0].wparam, MCI_NOTIFY_ABORTED);
    EXPECT_EQ(number("status m position wait"), 1000);
}

} // namespace
