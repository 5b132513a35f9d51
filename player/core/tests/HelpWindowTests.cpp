// The help window: where it opens, its three pages, its mouse capture and its closing.
#include "PlayerFixture.h"

#include "core/HelpTexts.h"
#include "core/HelpWindow.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

using namespace player_test;

void click(HWND hwnd, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* widget = host::window_widget(hwnd);
    ASSERT_NE(widget, nullptr);
    const QPointF global(widget->mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, button, button, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
    pump_pending();
}

class HelpWindow : public PlayerFixture {
  protected:
    void SetUp() override {
        PlayerFixture::SetUp();
        player::help_page_number = 0;
        start_player();
    }
};

TEST_F(HelpWindow, opens_under_the_panel_over_the_picture_area) {
    player::show_help_window();
    pump_pending();
    const HWND help = player::windows.help_window;
    ASSERT_NE(help, nullptr);
    QWidget* widget = host::window_widget(help);
    EXPECT_EQ(widget->geometry(), QRect(136, 54 + 70, 368, 302));
    EXPECT_EQ(widget->windowTitle(), QStringLiteral("Reelix About"));
    EXPECT_EQ(GetActiveWindow(), help);
}

TEST_F(HelpWindow, three_clicks_step_through_about_and_two_key_pages_and_close_it) {
    player::show_help_window();
    pump_pending();
    const HWND help = player::windows.help_window;
    ASSERT_NE(help, nullptr);
    const QImage about = host::window_widget(help)->grab().toImage();

    // Clicks on the panel reach the help window, which holds the capture.
    click(player::windows.main_window, {200, 30});
    EXPECT_EQ(player::help_page_number, 1);
    const QImage keys = host::window_widget(help)->grab().toImage();
    EXPECT_NE(keys, about);

    click(help, {10, 10}, Qt::RightButton);
    EXPECT_EQ(player::help_page_number, 2);
    EXPECT_NE(host::window_widget(help)->grab().toImage(), keys);

    click(help, {10, 10});
    EXPECT_EQ(player::help_page_number, 0);
    EXPECT_EQ(host::window_widget(help), nullptr);
    EXPECT_EQ(player::windows.help_window, nullptr);
    EXPECT_NE(host::window_widget(player::windows.main_window), nullptr);
}

TEST_F(HelpWindow, command_1_closes_it) {
    player::show_help_window();
    pump_pending();
    const HWND help = player::windows.help_window;
    SendMessageA(help, WM_COMMAND, 2, 0);
    EXPECT_NE(host::window_widget(help), nullptr);
    SendMessageA(help, WM_COMMAND, 1, 0);
    EXPECT_EQ(host::window_widget(help), nullptr);
}

TEST(HelpTexts, pages_hold_the_about_text_and_the_key_columns_line_by_line) {
    const player::HelpPage about = player::help_page(0);
    EXPECT_EQ(about.about.substr(0, 32), "\n\n                About Reelix\n\n");
    EXPECT_NE(about.about.find(" (sush as MPG,DAT,AVI,MOV,FLI,FLC,etc.) Very \n"), std::string::npos);
    EXPECT_TRUE(about.about.ends_with("\n playing."));

    struct Row {
        int page;
        int line;
        const char* key;
        const char* phrase;
    };
    const Row rows[] = {
        {1, 1, "F2", "capture picture as BMP"},
        {1, 10, "SPACE", "play, or stop playing toggle"},
        {1, 16, "RIGHT", "fast play"},
        {2, 1, "LEFT", "slow play"},
        {2, 6, " +", "volume +"},
        {2, 7, " -", "volume -"},
        {2, 16, "Usage:", "REELP32  /? /D "},
    };
    for (const Row& row : rows) {
        const player::HelpPage page = player::help_page(row.page);
        auto line = [](std::string const& text, int n) {
            std::size_t start = 0;
            for (int i = 0; i < n; ++i)
                start = text.find('\n', start) + 1;
            return text.substr(start, text.find('\n', start) - start);
        };
        EXPECT_EQ(line(page.keys, 0), "");
        EXPECT_EQ(line(page.keys, row.line), row.key) << row.page << ":" << row.line;
        EXPECT_EQ(line(page.phrases, row.line), row.phrase) << row.page << ":" << row.line;
        EXPECT_EQ(std::count(page.keys.begin(), page.keys.end(), '\n'), 16);
        EXPECT_EQ(std::count(page.phrases.begin(), page.phrases.end(), '\n'), 16);
    }
}

} // namespace
