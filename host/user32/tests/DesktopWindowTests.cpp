// Windows of other programs: this test process owns plain X windows on a private X server, and a
// second process (desktop_probe) finds and acts on them through FindWindowA and its companions,
// on a bare server and under a window manager (openbox, when installed).
#include "host/user32.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include <sstream>
#include <string>
#include <vector>

// Last: Xlib defines macros (None, Bool, Status) that other headers use as names.
#include "DeskFixture.h"

namespace {

struct ProbeResult {
    int exit_code = -1;
    std::string output;
};

class DesktopWindows : public xtest::DeskTest {
  protected:
    // Runs desktop_probe on the server (as a program on the xcb platform would) and returns its
    // exit code and its output less the last line break.
    ProbeResult probe(QStringList const& arguments, char const* platform = "xcb") const {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", QString::fromStdString(server.display()));
        environment.insert("QT_QPA_PLATFORM", platform);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(TEST_BIN_DIR "/desktop_probe"), arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return {};
        std::string output = process.readAllStandardOutput().toStdString();
        if (!output.empty() && output.back() == '\n')
            output.pop_back();
        return {process.exitCode(), output};
    }
    std::string ask(QStringList const& arguments) const { return probe(arguments).output; }
};

TEST_P(DesktopWindows, find_matches_whole_titles_ignoring_case_and_takes_the_topmost_first) {
    ::Window lower = client->make_window("Twin");
    ::Window upper = client->make_window("Twin", false, 40, 40);
    ASSERT_EQ(client->topmost_of({lower, upper}), upper);
    EXPECT_EQ(ask({"find", "TWIN"}), "found");
    EXPECT_EQ(ask({"find", "Twi"}), "none");
    EXPECT_EQ(ask({"find", "Twins"}), "none");

    // The first one found is retitled; the next search finds the other.
    ASSERT_EQ(probe({"settext", "Twin", "first"}).exit_code, 0);
    EXPECT_EQ(client->title(upper), "first");
    EXPECT_EQ(client->title(lower), "Twin");
    ASSERT_EQ(probe({"settext", "twin", "second"}).exit_code, 0);
    EXPECT_EQ(client->title(lower), "second");
    EXPECT_EQ(probe({"settext", "Twin", "third"}).exit_code, 1);
}

TEST_P(DesktopWindows, titles_are_read_and_written_in_both_conventions) {
    // A program that names its window the old way only, in Latin-1.
    ::Window legacy = client->make_window("Fen\xEAtre", true);
    EXPECT_EQ(ask({"text", "FENÊTRE"}), "Fenêtre");
    // A title beyond Latin-1 (the euro sign is ANSI, not Latin-1) goes out in UTF-8.
    ASSERT_EQ(probe({"settext", "fenêtre", "Größe €"}).exit_code, 0);
    EXPECT_EQ(client->text(legacy, "_NET_WM_NAME"), "Größe €");
    EXPECT_EQ(ask({"text", "GRÖßE €"}), "Größe €");
    ASSERT_EQ(probe({"settext", "Größe €", "Plain"}).exit_code, 0);
    EXPECT_EQ(client->text(legacy, "WM_NAME"), "Plain");
    // A title with no ANSI spelling reads, and is found, with "?" for what the code page lacks.
    client->make_window("Окно");
    EXPECT_EQ(ask({"text", "????"}), "????");
}

TEST_P(DesktopWindows, a_minimised_window_is_iconic_until_restored) {
    ::Window window = client->make_window("Sleeper");
    EXPECT_EQ(ask({"iconic", "Sleeper"}), "0");
    ASSERT_EQ(probe({"show", "Sleeper", QString::number(SW_MINIMIZE)}).exit_code, 0);
    ASSERT_TRUE(client->settle([&] { return client->iconic(window) && !client->viewable(window); }));
    EXPECT_EQ(ask({"iconic", "Sleeper"}), "1");
    EXPECT_EQ(ask({"visible", "Sleeper"}), "1"); // minimised windows count as shown

    ASSERT_EQ(probe({"show", "Sleeper", QString::number(SW_RESTORE)}).exit_code, 0);
    ASSERT_TRUE(client->settle([&] { return client->viewable(window) && !client->iconic(window); }));
    EXPECT_EQ(ask({"iconic", "Sleeper"}), "0");
    if (managed()) {
        EXPECT_TRUE(client->settle([&] { return active_window() == window; }));
    }
}

TEST_P(DesktopWindows, bring_to_top_raises_a_window_of_another_program) {
    ::Window lower = client->make_window("Lower");
    ::Window upper = client->make_window("Upper", false, 40, 40);
    ASSERT_EQ(client->topmost_of({lower, upper}), upper);
    ASSERT_EQ(probe({"raise", "Lower"}).exit_code, 0);
    EXPECT_TRUE(client->settle([&] { return client->topmost_of({lower, upper}) == lower; }));
    if (managed()) {
        EXPECT_TRUE(client->settle([&] { return active_window() == lower; }));
    }
}

// A popup with an owner (a player's video window) stays above its owner when the owner is raised,
// as users raise it by clicking, and is minimised and restored with it: a window manager does so
// because it is transient for the owner, the owner's program itself on a bare server.
TEST_P(DesktopWindows, an_owned_popup_stays_above_its_owner_when_the_owner_is_raised) {
    QProcess owner_program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", QString::fromStdString(server.display()));
    environment.insert("QT_QPA_PLATFORM", "xcb");
    owner_program.setProcessEnvironment(environment);
    owner_program.start(QStringLiteral(TEST_BIN_DIR "/desktop_probe"), {"owned", "60"});
    ASSERT_TRUE(owner_program.waitForReadyRead(30000));
    ::Window owner = 0, owned = 0;
    ASSERT_TRUE(client->settle([&] {
        for (::Window window : client->stacking()) {
            if (client->title(window) == "Owner")
                owner = window;
            else if (client->title(window) == "Owned")
                owned = window;
        }
        return owner && owned && client->viewable(owned);
    }));
    EXPECT_EQ(client->longs(owned, "WM_TRANSIENT_FOR"), std::vector<long>{static_cast<long>(owner)});

    ASSERT_EQ(probe({"raise", "Owner"}).exit_code, 0);
    if (managed()) {
        EXPECT_TRUE(client->settle([&] { return active_window() == owner; }));
    }
    EXPECT_TRUE(client->settle([&] { return client->topmost_of({owner, owned}) == owned; }));
    XRaiseWindow(client->display(), owner);
    XSync(client->display(), False);
    EXPECT_TRUE(client->settle([&] { return client->topmost_of({owner, owned}) == owned; }));
    // And it stays so.
    EXPECT_FALSE(client->settle([&] { return client->topmost_of({owner, owned}) == owner; },
                                std::chrono::seconds(1)));

    // Minimised with its owner, and back with it.
    constexpr char const* sw_minimize = "6";
    constexpr char const* sw_restore = "9";
    ASSERT_EQ(probe({"show", "Owner", sw_minimize}).exit_code, 0);
    EXPECT_TRUE(client->settle([&] { return !client->viewable(owner) && !client->viewable(owned); }));
    ASSERT_EQ(probe({"show", "Owner", sw_restore}).exit_code, 0);
    EXPECT_TRUE(client->settle([&] { return client->viewable(owner) && client->viewable(owned); }));
    EXPECT_TRUE(client->settle([&] { return client->topmost_of({owner, owned}) == owned; }));
    owner_program.kill();
    owner_program.waitForFinished();
}

TEST_P(DesktopWindows, windows_are_listed_top_first_with_their_process) {
    client->make_window("Bottom");
    client->make_window("Middle", false, 30, 30);
    client->make_window("Top", false, 50, 50);
    const std::string pid = std::to_string(getpid());
    EXPECT_EQ(ask({"pid", "Middle"}), pid);
    // Other windows may lie between ours (the window manager's, or the unmapped one Qt owns the
    // selections with, whenever it makes it): ours keep their order among themselves.
    const std::string list = ask({"list"}) + "\n";
    std::string ours;
    std::istringstream lines(list);
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with(pid + "\t"))
            ours += line + "\n";
    EXPECT_EQ(ours, pid + "\tTop\n" + pid + "\tMiddle\n" + pid + "\tBottom\n") << list;
}

TEST_P(DesktopWindows, hidden_windows_are_found_but_not_visible) {
    ::Window window = client->make_window("Hidden");
    XWithdrawWindow(client->display(), window, DefaultScreen(client->display()));
    XSync(client->display(), False);
    ASSERT_TRUE(client->settle([&] { return !client->viewable(window); }));
    EXPECT_EQ(ask({"find", "Hidden"}), "found");
    EXPECT_EQ(ask({"visible", "Hidden"}), "0");
}

TEST_P(DesktopWindows, a_headless_program_finds_no_window) {
    client->make_window("Seen");
    ASSERT_EQ(ask({"find", "Seen"}), "found");
    EXPECT_EQ(probe({"find", "Seen"}, "offscreen").output, "none");
    EXPECT_EQ(probe({"list"}, "offscreen").output, "");
}

INSTANTIATE_TEST_SUITE_P(Desks, DesktopWindows, xtest::desks, xtest::desk_name);

} // namespace
