// Tests run on two desks: a bare X server and the same server under a window manager (openbox,
// started by the test). A test program instantiates its suite with
//   INSTANTIATE_TEST_SUITE_P(Desks, Suite, xtest::desks, xtest::desk_name);
// Include it after every other header (it includes XServer.h, whose Xlib macros clash with names
// in Qt and GoogleTest).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "XServer.h"

namespace xtest {

enum class Desk { bare, window_manager };

inline void PrintTo(Desk desk, std::ostream* out) {
    *out << (desk == Desk::bare ? "bare server" : "window manager");
}

inline std::string desk_name(::testing::TestParamInfo<Desk> const& info) {
    return info.param == Desk::bare ? "bare_server" : "window_manager";
}

inline auto const desks = ::testing::Values(Desk::bare, Desk::window_manager);

class DeskTest : public ::testing::TestWithParam<Desk> {
  protected:
    void SetUp() override {
        if (!server.running())
            GTEST_SKIP() << "Xvfb is not installed";
        if (GetParam() == Desk::window_manager) {
            manager = std::make_unique<WindowManager>(server.display());
            if (!manager->running())
                GTEST_SKIP() << "openbox is not installed";
        }
        client = std::make_unique<Client>(server.display());
        ASSERT_NE(client->display(), nullptr);
    }

    bool managed() const { return GetParam() == Desk::window_manager; }
    ::Window active_window() const {
        auto active = client->longs(client->root(), "_NET_ACTIVE_WINDOW");
        return active.empty() ? 0 : static_cast<::Window>(active[0]);
    }
    // The variables a program shown on this server needs.
    std::vector<std::string> display_settings() const {
        return {"DISPLAY=" + server.display(), "QT_QPA_PLATFORM=xcb"};
    }
    // The shown top-level window of a process with this title, once there is one (0 after the
    // safety limit).
    ::Window window_of(long pid, std::string const& title) {
        ::Window found = 0;
        client->settle([&] {
            for (::Window window : client->stacking())
                if (client->title(window) == title && client->viewable(window) &&
                    client->longs(window, "_NET_WM_PID") == std::vector<long>{pid})
                    found = window;
            return found != 0;
        });
        return found;
    }

    Xvfb server;
    std::unique_ptr<WindowManager> manager;
    std::unique_ptr<Client> client;
};

} // namespace xtest
