// A started player whose MCI device types MPEGMovie, VCDVideo and TestVideo are all served by the
// recording device (its opens and length scripted through mci_test::device_script()), with
// MCITRACE recording every command string and its result. The open-file dialog, message boxes,
// beeps and the pop-up menu are answered by the test.
#pragma once

#include "PlayerFixture.h"

#include "host/kernel32.h"
#include "host/user32_dialogs.h"
#include "RecordingDevice.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace player_test {

// One traced command string and its MCI result.
struct TracedCommand {
    std::string command;
    MCIERROR result = 0;
};

class DispatchFixture : public PlayerFixture {
  protected:
    void SetUp() override {
        PlayerFixture::SetUp();
        mci_test::reset_recording();
        mci_test::device_script().length_ms = 90000;
        ASSERT_TRUE(m_driver.serve({"MPEGMovie", "VCDVideo", "TestVideo"}));
        m_trace = prefix.root() / "mci.trace";
        setenv("MCITRACE", m_trace.c_str(), 1);
        m_previous_menu_responder =
            host::set_popup_menu_responder([this](host::PopupMenuRequest const& request) {
                menus_shown.push_back(request);
                return menu_answer;
            });
        start_player();
        forget_commands();
    }

    void TearDown() override {
        host::set_popup_menu_responder(m_previous_menu_responder);
        mciSendStringA("close all", nullptr, 0, nullptr);
        unsetenv("MCITRACE");
        PlayerFixture::TearDown();
    }

    // Makes files (empty is enough for the recording device) in the prefix.
    void make_files(std::initializer_list<char const*> dos_paths) {
        for (char const* path : dos_paths)
            prefix.write(path, "");
    }

    // Answers the next open-file dialog with these DOS paths.
    void choose(std::vector<std::string> dos_paths) {
        responder.open_file_answers.push_back(std::move(dos_paths));
    }
    void cancel_dialog() { responder.open_file_answers.push_back(std::nullopt); }

    void command(WORD id) { SendMessageA(player::windows.main_window, WM_COMMAND, id, 0); }

    std::vector<TracedCommand> traced() const {
        std::vector<TracedCommand> lines;
        std::ifstream trace(m_trace);
        for (std::string line; std::getline(trace, line);) {
            const auto tab = line.find('\t');
            const auto next = line.find('\t', tab + 1);
            lines.push_back(
                {line.substr(0, tab), tab == std::string::npos
                                          ? 0u
                                          : static_cast<MCIERROR>(std::stoul(line.substr(tab + 1, next)))});
        }
        return lines;
    }

    std::vector<std::string> commands_sent() const {
        std::vector<std::string> commands;
        for (TracedCommand const& line : traced())
            commands.push_back(line.command);
        return commands;
    }

    bool was_sent(std::string const& command) const {
        for (std::string const& sent : commands_sent())
            if (sent == command)
                return true;
        return false;
    }

    void forget_commands() { std::ofstream(m_trace, std::ios::trunc); }

    // The text of the main window's handle as the first open form carries it.
    static std::string main_window_number() {
        return std::to_string(
            static_cast<int>(reinterpret_cast<std::uintptr_t>(player::windows.main_window)));
    }

    std::vector<host::PopupMenuRequest> menus_shown;
    UINT menu_answer = 0;

  private:
    mci_test::RecordingDriver m_driver;
    std::filesystem::path m_trace;
    host::PopupMenuResponder m_previous_menu_responder;
};

} // namespace player_test
