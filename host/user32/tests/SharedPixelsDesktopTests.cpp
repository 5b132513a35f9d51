// Pictures in memory shared with the X server reach a real window straight from that memory, and
// the memory is taken again once the server has read it; with the shared memory switched off the
// same pictures go through Qt's painting. Shown by another process (desktop_probe frames).
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include <cstdio>
#include <string>

// Last: Xlib defines macros (None, Bool, Status) that other headers use as names.
#include "DeskFixture.h"

namespace {

constexpr unsigned long green = 0x00FF00;
constexpr unsigned long magenta = 0xFF00FF;
constexpr int pictures = 20; // red and blue by turns, then the green and magenta one

class SharedPixelsOnDesk : public xtest::DeskTest {
  protected:
    void TearDown() override {
        if (m_probe.state() != QProcess::NotRunning) {
            m_probe.kill();
            m_probe.waitForFinished();
        }
    }

    struct Counts {
        std::size_t puts = 0, segments = 0, free = 0;
    };
    // Runs the probe's pictures; the pool's counts it printed, once it is ready.
    std::optional<Counts> present(bool shared) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", QString::fromStdString(server.display()));
        environment.insert("QT_QPA_PLATFORM", "xcb");
        if (!shared)
            environment.insert("HOST_NO_SHARED_PIXELS", "1");
        m_probe.setProcessEnvironment(environment);
        m_probe.start(QStringLiteral(TEST_BIN_DIR "/desktop_probe"), {"frames", QString::number(pictures)});
        QByteArray output;
        while (!output.contains("ready\n")) {
            if (!m_probe.waitForReadyRead(30000))
                return std::nullopt;
            output += m_probe.readAllStandardOutput();
        }
        Counts counts;
        if (std::sscanf(output.constData(), "puts=%zu segments=%zu free=%zu", &counts.puts, &counts.segments,
                        &counts.free) != 3)
            return std::nullopt;
        return counts;
    }

    QProcess m_probe;
};

TEST_P(SharedPixelsOnDesk, pictures_reach_the_window_from_shared_memory_or_through_qt) {
    const struct {
        const char* name;
        bool shared;
    } cases[] = {{"shared memory", true}, {"Qt's painting", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<Counts> counts = present(c.shared);
        ASSERT_TRUE(counts) << "the probe did not present its pictures";
        if (c.shared) {
            EXPECT_EQ(counts->puts, std::size_t(pictures + 1)) << "every picture went from shared memory";
            // The server reports every fourth put done, so that a few segments go round: those
            // of up to four puts not yet reported, and one being drawn. The 21st put, the last
            // picture, follows a report and stays on the window; every other segment is free.
            static_assert((pictures + 1) % 4 == 1);
            EXPECT_GE(counts->segments, 1u);
            EXPECT_LE(counts->segments, 5u);
            EXPECT_EQ(counts->free, counts->segments - 1);
        } else {
            EXPECT_EQ(counts->puts, 0u);
            EXPECT_EQ(counts->segments, 0u);
        }
        const ::Window window = window_of(m_probe.processId(), "Frames");
        ASSERT_NE(window, 0u);
        xtest::Client::Box box;
        EXPECT_TRUE(client->settle([&] {
            box = client->box(window);
            return client->pixel(box.x + 4, box.y + 4) == green && client->pixel(box.x + 59, box.y + 43) == magenta;
        })) << "left " << std::hex << client->pixel(box.x + 4, box.y + 4) << ", right "
            << client->pixel(box.x + 59, box.y + 43);
        EXPECT_EQ(client->pixel(box.x + 31, box.y + 24), green) << "the halves meet where the picture has them";
        EXPECT_EQ(client->pixel(box.x + 32, box.y + 24), magenta);
        m_probe.kill();
        m_probe.waitForFinished();
    }
}

INSTANTIATE_TEST_SUITE_P(Desks, SharedPixelsOnDesk, xtest::desks, xtest::desk_name);

} // namespace
