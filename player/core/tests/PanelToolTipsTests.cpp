// The panel's tooltips: every panel button and both sliders name their command with its key-help
// phrase and key when the mouse rests on them; the rest of the panel shows none.
#include "PlayerFixture.h"

#include "core/PanelToolTips.h"
#include "resources/ArtLayout.h"

#include "PumpUntil.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>

namespace {

using namespace player_test;
namespace art = player::art;

class PanelToolTips : public PlayerFixture {
  protected:
    // The tip shown when the mouse rests at client point `at` of the main window; "" for none.
    QString tip_at(QPoint at) {
        QToolTip::hideText(); // the tip fades out a moment later
        EXPECT_TRUE(pump_until([] { return !QToolTip::isVisible(); }));
        QWidget* panel = host::window_widget(player::windows.main_window);
        QWidget* under = panel->childAt(at);
        QWidget* target = under ? under : panel;
        const QPoint local = target->mapFrom(panel, at);
        QHelpEvent event(QEvent::ToolTip, local, target->mapToGlobal(local));
        QApplication::sendEvent(target, &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
};

TEST_F(PanelToolTips, each_button_and_slider_names_its_command_and_key) {
    start_player();
    const char* button_tips[art::button_count] = {
        "go to last file(or track) (INSERT)",
        "play (or ^p) (DOWN)",
        "pause or resume toggle (PAUSE)",
        "play, or stop playing toggle (SPACE)",
        "go to next file(or track) (DELETE)",
        "backward seek i sec(i=1,2,...9,0) (PgUp)",
        "forward seek i sec(i=1,2,...9,0) (PgDn)",
        "", // button 1007 does nothing
        "capture picture as BMP (F2)",
        "got video stream(8sec) as MPG file (F9)",
        "normal or full size toggle (F4)",
        "About Reelix (F1)",
        "exit this player (ESCAPE)",
        "open main device menu (Ctrl+D)",
    };
    for (int i = 0; i < art::button_count; ++i) {
        const int id = art::first_button_id + i;
        EXPECT_EQ(player::button_tip(id), button_tips[i]) << id;
        const auto at = art::button_positions[static_cast<std::size_t>(i)];
        for (QPoint corner :
             {QPoint(at.x, at.y), QPoint(at.x + art::button_width - 1, at.y + art::button_height - 1)})
            EXPECT_EQ(tip_at(corner), QString(button_tips[i])) << id;
    }

    struct Spot {
        QPoint at;
        const char* tip;
    };
    const Spot spots[] = {
        {{43, 39}, "seek to i/10 of total time (Ctrl+i)"},
        {{162, 51}, "seek to i/10 of total time (Ctrl+i)"},
        {{171, 39}, "volume + (+), volume - (-)"},
        {{202, 49}, "volume + (+), volume - (-)"},
        {{42, 45}, ""},
        {{163, 45}, ""},
        {{190, 50}, ""},
        {{150, 20}, ""},
        {{300, 60}, ""},
    };
    for (Spot const& spot : spots)
        EXPECT_EQ(tip_at(spot.at), QString(spot.tip)) << spot.at.x() << "," << spot.at.y();
}

} // namespace
