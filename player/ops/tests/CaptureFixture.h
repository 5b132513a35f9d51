// A player with the scripted device open under the alias in file mode, an output folder C:\OUT
// in its prefix, and every progress text it shows recorded in order.
#pragma once

#include "ScriptedMci.h"

#include "core/CommandTable.h"
#include "ops/Capture.h"

#include "host/user32_dialogs.h"

#include <QApplication>
#include <QKeyEvent>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace capture_test {

using scripted_mci::ScriptedPlayer;

inline std::vector<std::string>& progress_shown() {
    static std::vector<std::string> texts;
    return texts;
}

// Presses and releases ESC on the main window, as the user does; the key reaches the player
// through the message queue and the accelerator table.
inline void press_escape() {
    QWidget* widget = host::window_widget(player::windows.main_window);
    ASSERT_NE(widget, nullptr);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

class CaptureFixture : public ScriptedPlayer {
  protected:
    void SetUp() override {
        ScriptedPlayer::SetUp();
        open_alias();
        player::state.file_mode = true;
        std::filesystem::create_directories(prefix.host("C:\\OUT"));
        player::copy_text(player::state.output_folder, sizeof player::state.output_folder, "C:\\OUT\\");
        progress_shown().clear();
        player::set_progress_observer([](char const* text) { progress_shown().emplace_back(text); });
    }

    void TearDown() override {
        player::set_progress_observer(nullptr);
        ScriptedPlayer::TearDown();
    }

    // A source file of `size` bytes that repeat nowhere near a block, made the open file.
    std::string make_source(std::size_t size, char const* dos_path = "C:\\CLIPS\\CLIP.MPG") {
        std::string bytes(size, '\0');
        std::mt19937 random(static_cast<unsigned>(size));
        for (char& byte : bytes)
            byte = static_cast<char>(random());
        std::filesystem::create_directories(prefix.host(dos_path).parent_path());
        prefix.write(dos_path, bytes);
        player::copy_text(player::state.current_path, sizeof player::state.current_path, dos_path);
        return bytes;
    }

    // The names in C:\OUT, sorted.
    std::vector<std::string> output_files() const {
        std::vector<std::string> names;
        for (auto const& entry : std::filesystem::directory_iterator(prefix.host("C:\\OUT")))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string output(char const* name) const { return prefix.read(std::string("C:\\OUT\\") + name); }
};

} // namespace capture_test
