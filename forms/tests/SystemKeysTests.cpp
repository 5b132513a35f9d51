// The window's system keys and system menu: no key pressed with Alt presses a button or toggles a
// check box; Alt+Space and the caption icon open the system menu, whose choices maximise to the
// work area and restore, move and size with the keyboard and close; Alt+F4 closes; F10 selects
// the menu bar.
#include "PumpUntil.h"
#include "TestApplication.h"

#include "forms/StdCtrls.h"
#include "host/SystemMenu.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

class SystemKeys : public ::testing::Test {
  protected:
    void SetUp() override {
        TestApplication();
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(10, 20, 300, 200);
        button = new TButton(form.get());
        button->SetParent(form.get());
        button->SetBounds(8, 8, 100, 25);
        button->SetOnClick(TNotifyEvent([this](TObject*) { ++clicks; }));
        check = new TCheckBox(form.get());
        check->SetParent(form.get());
        check->SetBounds(8, 40, 100, 20);
        form->Show();
        host::set_popup_menu_responder([this](host::PopupMenuRequest const& request) {
            menus.push_back(request.items);
            return answer;
        });
    }
    void TearDown() override {
        host::set_popup_menu_responder(nullptr);
        form.reset();
    }

    static void key(QWidget* target, int key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent down(QEvent::KeyPress, key, modifiers);
        QKeyEvent up(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(target, &down);
        QApplication::sendEvent(target, &up);
        pump_pending();
    }
    // The greyed items of the last menu shown, by text.
    std::vector<std::string> greyed() const {
        std::vector<std::string> texts;
        for (auto const& item : menus.back())
            if (item.grayed)
                texts.push_back(item.text);
        return texts;
    }

    std::unique_ptr<TForm> form;
    TButton* button = nullptr;
    TCheckBox* check = nullptr;
    int clicks = 0;
    UINT answer = 0;
    std::vector<std::vector<host::MenuItemView>> menus;
};

TEST_F(SystemKeys, keys_with_alt_press_no_button_and_toggle_no_check_box) {
    struct Case {
        char const* name;
        int key;
        Qt::KeyboardModifiers modifiers;
        std::size_t menus;
    };
    const Case cases[] = {
        {"Alt+Space", Qt::Key_Space, Qt::AltModifier, 1},
        {"Alt+Enter", Qt::Key_Return, Qt::AltModifier, 0},
        {"Alt+Shift+Space", Qt::Key_Space, Qt::AltModifier | Qt::ShiftModifier, 0},
    };
    for (QWidget* target : {button->Widget(), check->Widget()}) {
        for (Case const& c : cases) {
            menus.clear();
            target->setFocus();
            key(target, c.key, c.modifiers);
            EXPECT_EQ(clicks, 0) << c.name;
            EXPECT_FALSE(check->Checked()) << c.name;
            EXPECT_EQ(menus.size(), c.menus) << c.name;
        }
    }
    // Space alone still presses.
    key(button->Widget(), Qt::Key_Space, Qt::NoModifier);
    key(check->Widget(), Qt::Key_Space, Qt::NoModifier);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(check->Checked());
}

TEST_F(SystemKeys, the_system_menu_shows_the_windows_items_greyed_by_state) {
    key(button->Widget(), Qt::Key_Space, Qt::AltModifier);
    ASSERT_EQ(menus.size(), 1u);
    std::vector<std::string> texts;
    for (auto const& item : menus.back())
        texts.push_back(item.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"&Restore", "&Move", "&Size", "Mi&nimize", "Ma&ximize", "",
                                               "&Close\tAlt+F4"}));
    EXPECT_EQ(greyed(), std::vector<std::string>{"&Restore"});

    // A click on the caption icon opens it too.
    QPoint const icon = form->Widget()->mapToGlobal(form->Layout().Icon.center());
    form->Perform(WM_NCLBUTTONDOWN, htSysMenu, PointToLParam(icon.x(), icon.y()));
    EXPECT_EQ(menus.size(), 2u);
}

TEST_F(SystemKeys, maximise_fills_the_work_area_and_restore_brings_back_place_and_size) {
    QRect const area = form->Widget()->screen()->availableGeometry();
    answer = static_cast<UINT>(SC_MAXIMIZE);
    key(button->Widget(), Qt::Key_Space, Qt::AltModifier);
    pump_until([&] { return form->BoundsRect() == area; });
    EXPECT_EQ(form->WindowState(), wsMaximized);
    EXPECT_EQ(form->BoundsRect(), area);
    EXPECT_EQ(form->Widget()->geometry(), area);

    answer = static_cast<UINT>(SC_RESTORE);
    key(button->Widget(), Qt::Key_Space, Qt::AltModifier);
    EXPECT_EQ(greyed(), (std::vector<std::string>{"&Move", "&Size", "Ma&ximize"}));
    pump_until([&] { return form->BoundsRect() == QRect(10, 20, 300, 200); });
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_EQ(form->BoundsRect(), QRect(10, 20, 300, 200));
}

TEST_F(SystemKeys, move_and_size_follow_the_arrows_enter_keeps_escape_goes_back) {
    answer = static_cast<UINT>(SC_MOVE);
    key(button->Widget(), Qt::Key_Space, Qt::AltModifier);
    key(button->Widget(), Qt::Key_Right, Qt::NoModifier);
    key(button->Widget(), Qt::Key_Right, Qt::NoModifier);
    key(button->Widget(), Qt::Key_Down, Qt::NoModifier);
    key(button->Widget(), Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(form->BoundsRect(), QRect(26, 28, 300, 200));
    EXPECT_EQ(clicks, 0) << "the keys were the move's, not the button's";

    answer = static_cast<UINT>(SC_SIZE);
    key(button->Widget(), Qt::Key_Space, Qt::AltModifier);
    key(button->Widget(), Qt::Key_Left, Qt::NoModifier); // picks the left edge
    key(button->Widget(), Qt::Key_Left, Qt::NoModifier);
    EXPECT_EQ(form->BoundsRect(), QRect(18, 28, 308, 200));
    key(button->Widget(), Qt::Key_Escape, Qt::NoModifier);
    EXPECT_EQ(form->BoundsRect(), QRect(26, 28, 300, 200));
}

TEST_F(SystemKeys, alt_f4_closes_the_window_without_pressing_the_button) {
    button->Widget()->setFocus();
    key(button->Widget(), Qt::Key_F4, Qt::AltModifier);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(clicks, 0);
}

TEST_F(SystemKeys, f10_selects_the_menu_bar_without_opening_a_menu) {
    auto* menu = new TMainMenu(form.get());
    auto* main = new TMenuItem(form.get());
    main->SetCaption(QStringLiteral("&Main"));
    auto* exit = new TMenuItem(form.get());
    exit->SetCaption(QStringLiteral("Exit"));
    main->Add(exit);
    menu->Items()->Add(main);
    form->SetMenu(menu);
    form->Widget()->activateWindow();
    pump_pending();
    key(button->Widget(), Qt::Key_F10, Qt::NoModifier);
    EXPECT_EQ(form->MenuBar()->activeAction(), main->Action());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(clicks, 0);
}

} // namespace
