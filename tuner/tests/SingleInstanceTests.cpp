// The tuner program itself on a private X server: one copy per prefix, however many start at
// once; the copies that find one running end with code 0 without ever mapping a window and bring
// the running copy's window forward; a start after the running copy ended runs.
#include "TempPrefix.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <vector>

// Last: Xlib defines macros (None, Bool, Status) that other headers use as names.
#include "XServer.h"

namespace fs = std::filesystem;

namespace {

constexpr char const* Caption = "BootFettle 3.0 by Tamsin Orrel";

class Tuner {
  public:
    Tuner(fs::path const& prefix, std::string const& display) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DOSPREFIX", QString::fromStdString(prefix.string()));
        environment.insert("QT_QPA_PLATFORM", "xcb");
        environment.insert("DISPLAY", QString::fromStdString(display));
        m_process.setProcessEnvironment(environment);
        m_process.setWorkingDirectory(QString::fromStdString(prefix.string()));
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(QStringLiteral(TEST_BIN_DIR "/VarnDosFettle"), {});
        m_process.waitForStarted();
    }
    ~Tuner() {
        if (running()) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    bool running() const { return m_process.state() != QProcess::NotRunning; }
    long pid() const { return static_cast<long>(m_process.processId()); }
    // Non-blocking: whether it has ended (collecting its status).
    bool ended() {
        m_process.waitForFinished(0);
        return !running();
    }
    bool ended_with_code_0() const {
        return !running() && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    }
    int end_by_itself() {
        if (!m_process.waitForFinished(60000) || m_process.exitStatus() != QProcess::NormalExit)
            return -1;
        return m_process.exitCode();
    }
    void kill_hard() {
        m_process.kill();
        m_process.waitForFinished();
    }

  private:
    QProcess m_process;
};

class SingleInstance : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!server.running())
            GTEST_SKIP() << "Xvfb is not installed";
        client = std::make_unique<xtest::Client>(server.display());
        ASSERT_NE(client->display(), nullptr);
        // Every top-level window mapped from now on is reported to this connection.
        XSelectInput(client->display(), client->root(), SubstructureNotifyMask);
        XSync(client->display(), False);
    }

    std::unique_ptr<Tuner> start(fs::path const& root) { return std::make_unique<Tuner>(root, server.display()); }

    // Records the process of every window mapped since the last call, read as the map is seen.
    void note_maps() {
        while (XPending(client->display())) {
            XEvent event;
            XNextEvent(client->display(), &event);
            if (event.type != MapNotify)
                continue;
            auto pid = client->longs(event.xmap.window, "_NET_WM_PID");
            mapped_by.push_back(pid.empty() ? 0 : pid[0]);
        }
    }

    // The shown tuner window of the process, once there is one.
    ::Window window_of(long pid) {
        ::Window found = 0;
        client->settle([&] {
            note_maps();
            for (::Window window : client->stacking())
                if (client->title(window) == Caption && client->viewable(window) &&
                    client->longs(window, "_NET_WM_PID") == std::vector<long>{pid})
                    found = window;
            return found != 0;
        });
        return found;
    }

    TempPrefix prefix;
    xtest::Xvfb server;
    std::unique_ptr<xtest::Client> client;
    std::vector<long> mapped_by; // the process of each window mapped, 0 when it was gone already
};

TEST_F(SingleInstance, of_twenty_tuners_started_at_once_one_runs_and_nineteen_end_unseen_with_code_0) {
    std::vector<std::unique_ptr<Tuner>> tuners;
    for (int i = 0; i < 20; ++i)
        tuners.push_back(start(prefix.root()));
    int ended = 0;
    ASSERT_TRUE(client->settle(
        [&] {
            note_maps();
            ended = 0;
            for (auto& tuner : tuners)
                ended += tuner->ended();
            return ended >= 19;
        },
        std::chrono::seconds(180)))
        << ended << " ended";
    Tuner* survivor = nullptr;
    for (auto& tuner : tuners) {
        if (tuner->running())
            survivor = tuner.get();
        else
            EXPECT_TRUE(tuner->ended_with_code_0());
    }
    ASSERT_NE(survivor, nullptr);
    ASSERT_NE(window_of(survivor->pid()), 0u);
    note_maps();
    ASSERT_FALSE(mapped_by.empty());
    for (long pid : mapped_by)
        EXPECT_EQ(pid, survivor->pid()) << "a window was mapped by another process";

    // Once the running copy has ended, killed at that, a new start runs.
    survivor->kill_hard();
    auto next = start(prefix.root());
    EXPECT_NE(window_of(next->pid()), 0u);
    EXPECT_TRUE(next->running());
}

TEST_F(SingleInstance, tuners_on_two_prefixes_run_side_by_side) {
    const fs::path second = prefix.root().parent_path() / "second-prefix"; // the tuner lays it out
    fs::create_directories(second);
    auto one = start(prefix.root());
    auto other = start(second);
    EXPECT_NE(window_of(one->pid()), 0u);
    EXPECT_NE(window_of(other->pid()), 0u);
    EXPECT_TRUE(one->running());
    EXPECT_TRUE(other->running());
}

TEST_F(SingleInstance, a_second_tuner_brings_the_running_ones_window_forward) {
    auto first = start(prefix.root());
    const ::Window window = window_of(first->pid());
    ASSERT_NE(window, 0u);
    const ::Window cover = client->make_window("Cover", false, 0, 0);
    ASSERT_EQ(client->topmost_of({window, cover}), cover);
    EXPECT_EQ(start(prefix.root())->end_by_itself(), 0);
    EXPECT_TRUE(client->settle([&] { return client->topmost_of({window, cover}) == window; }));
    EXPECT_EQ(client->title(window), Caption);
}

} // namespace
