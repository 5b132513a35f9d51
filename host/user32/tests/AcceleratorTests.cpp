// TranslateAcceleratorA in a program's message loop, fed with key events as the window system
// delivers them.
#include "RecordingWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QWidget>

namespace {

// Entries shaped like the player's table: virtual keys with and without modifiers and a
// character entry for the control character of Ctrl+O.
const std::vector<ACCEL> test_table{
    {FVIRTKEY, VK_F1, 515},      {FVIRTKEY, VK_ESCAPE, 507},       {FVIRTKEY, VK_ADD, 556},
    {FVIRTKEY, VK_TAB, 551},     {FVIRTKEY, VK_SPACE, 526},        {0, 0x0F, 506},
    {FVIRTKEY | FALT, '1', 533}, {FVIRTKEY | FCONTROL, '1', 1301},
};

struct KeyCase {
    char const* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    WORD command; // 0: not translated
};

const KeyCase key_cases[] = {
    {"F1", Qt::Key_F1, Qt::NoModifier, 515},
    {"Shift+F1 has a modifier F1's entry lacks", Qt::Key_F1, Qt::ShiftModifier, 0},
    {"Ctrl+O through its control character", Qt::Key_O, Qt::ControlModifier, 506},
    {"O alone", Qt::Key_O, Qt::NoModifier, 0},
    {"Alt+1", Qt::Key_1, Qt::AltModifier, 533},
    {"Ctrl+1", Qt::Key_1, Qt::ControlModifier, 1301},
    {"1 alone", Qt::Key_1, Qt::NoModifier, 0},
    {"Ctrl+0 is unbound", Qt::Key_0, Qt::ControlModifier, 0},
    {"Ctrl+U is unbound", Qt::Key_U, Qt::ControlModifier, 0},
    {"keypad +", Qt::Key_Plus, Qt::KeypadModifier, 556},
    {"main-row + is not the keypad's", Qt::Key_Plus, Qt::ShiftModifier, 0},
    {"Tab", Qt::Key_Tab, Qt::NoModifier, 551},
    {"Space", Qt::Key_Space, Qt::NoModifier, 526},
    {"Escape", Qt::Key_Escape, Qt::NoModifier, 507},
};

class Accelerators : public ::testing::Test {
  protected:
    void SetUp() override {
        register_recording_class("A_Main");
        host::register_resource_loader({nullptr, nullptr, [](std::string const& name) {
                                            return name == "MPEGACCE" ? test_table : std::vector<ACCEL>{};
                                        }});
        m_table = LoadAcceleratorsA(nullptr, "MPEGACCE");
        m_window = CreateWindowExA(0, "A_Main", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                                   nullptr, nullptr);
        pump_pending();
        Recorder::current().messages.clear();
    }
    void TearDown() override { DestroyWindow(m_window); }

    void press(int key, Qt::KeyboardModifiers modifiers) {
        QWidget* widget = host::window_widget(m_window);
        QKeyEvent down(QEvent::KeyPress, key, modifiers);
        QKeyEvent up(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(widget, &down);
        QApplication::sendEvent(widget, &up);
    }

    // The program's loop: accelerators first, then translation and dispatch.
    void run_loop() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (TranslateAcceleratorA(m_window, m_table, &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    std::vector<WORD> commands() const {
        std::vector<WORD> ids;
        for (auto const& command : Recorder::current().of(WM_COMMAND)) {
            EXPECT_EQ(HIWORD(command.wparam), 1) << "accelerator commands carry 1 in the high word";
            ids.push_back(LOWORD(command.wparam));
        }
        return ids;
    }

    HACCEL m_table = nullptr;
    HWND m_window = nullptr;
};

} // namespace

TEST_F(Accelerators, keys_become_the_commands_of_their_entries_and_others_stay_keys) {
    ASSERT_NE(m_table, nullptr);
    for (auto const& key_case : key_cases) {
        Recorder::current().messages.clear();
        press(key_case.key, key_case.modifiers);
        run_loop();
        const auto ids = commands();
        if (key_case.command) {
            ASSERT_EQ(ids.size(), 1u) << key_case.name;
            EXPECT_EQ(ids[0], key_case.command) << key_case.name;
        } else {
            EXPECT_TRUE(ids.empty()) << key_case.name;
        }
    }
}

TEST_F(Accelerators, an_untranslated_letter_reaches_the_window_as_key_and_character) {
    press(Qt::Key_O, Qt::NoModifier);
    run_loop();
    auto downs = Recorder::current().of(WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].wparam, static_cast<WPARAM>('O'));
    auto characters = Recorder::current().of(WM_CHAR);
    ASSERT_EQ(characters.size(), 1u);
    EXPECT_EQ(characters[0].wparam, static_cast<WPARAM>('o'));
    EXPECT_EQ(Recorder::current().of(WM_KEYUP).size(), 1u);
}

TEST_F(Accelerators, alt_keys_arrive_as_system_keys) {
    press(Qt::Key_2, Qt::AltModifier);
    run_loop();
    auto downs = Recorder::current().of(WM_SYSKEYDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].wparam, static_cast<WPARAM>('2'));
    EXPECT_TRUE(downs[0].lparam & (1 << 29));
}

TEST(AcceleratorTables, an_unknown_table_name_gives_no_handle) {
    host::register_resource_loader(
        {nullptr, nullptr, [](std::string const&) { return std::vector<ACCEL>{}; }});
    EXPECT_EQ(LoadAcceleratorsA(nullptr, "NOTHERE"), nullptr);
    MSG msg{};
    msg.message = WM_KEYDOWN;
    EXPECT_EQ(TranslateAcceleratorA(nullptr, nullptr, &msg), 0);
}
