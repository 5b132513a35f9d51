// The single-instance guard: its name rules, its detection, and what a second copy does to the
// first one's window, with real processes (guard_probe copied under the file name of each case)
// on a headless platform and on a private X server, bare and under a window manager.
#include "Just1_32.h"

#include "TempPrefix.h"
#include "TestApplication.h"
#include "forms/FormReader.h"
#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include <filesystem>
#include <fstream>

// Last: Xlib defines macros (None, Bool, Status) that other headers use as names.
#include "XServer.h"

namespace fs = std::filesystem;

namespace {

struct NameCase {
    const char* path;
    const char* mutex;
    const char* title;
};

class GuardNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(GuardNames, follow_the_program_file_name) {
    const std::string fileName = TPreviousInstance::FileNamePart(GetParam().path);
    EXPECT_EQ(TPreviousInstance::MutexNameOf(fileName), GetParam().mutex);
    EXPECT_EQ(TPreviousInstance::WindowTitleOf(fileName), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GuardNames,
    ::testing::Values(NameCase{"C:\\TOOLS\\TUNER.EXE", "TUNER.EXE", "TUNER"},
                      NameCase{"C:\\TOOLS\\A.EXE.BAK", "A.EXE.BAK", "A.EXE"},
                      NameCase{"C:\\TOOLS\\tuner.exe", "tuner.exe", ""},
                      NameCase{"C:\\TOOLS\\Tuner.Exe", "Tuner.Exe", ""},
                      NameCase{"C:TUNER.EXE", "TUNER.EXE", "TUNER"},
                      NameCase{"Z:\\work\\build\\bin\\VarnDosFettle", "VarnDosFettle", ""},
                      NameCase{"\\\\?\\unix\\opt\\TUNER.EXE", "TUNER.EXE", "TUNER"},
                      NameCase{"C:\\OLD.EXE\\prog", "prog", ""},
                      NameCase{"C:\\X.EXEC", "X.EXEC", "X."},
                      NameCase{"C:\\a/b\\C.EXE", "C.EXE", "C"},
                      NameCase{"", "", ""}));

TEST(GuardNamesLimits, the_mutex_name_is_cut_to_255_characters_the_title_is_not) {
    const std::string longName = std::string(300, 'N') + ".EXE";
    EXPECT_EQ(TPreviousInstance::MutexNameOf(longName), std::string(255, 'N'));
    EXPECT_EQ(TPreviousInstance::WindowTitleOf(longName), std::string(300, 'N'));
}

class GuardDetection : public ::testing::Test {
  protected:
    TempPrefix prefix;
};

TEST_F(GuardDetection, the_first_copy_keeps_the_mutex_a_later_one_closes_its_handle_at_once) {
    auto first = std::make_unique<TPreviousInstance>("C:\\TUNER.EXE");
    EXPECT_FALSE(first->AlreadyRunning);
    EXPECT_NE(first->MutexHandle, nullptr);
    EXPECT_EQ(first->MutexName, "TUNER.EXE");
    EXPECT_EQ(first->WindowTitle, "TUNER");
    {
        TPreviousInstance later("D:\\ELSEWHERE\\TUNER.EXE");
        EXPECT_TRUE(later.AlreadyRunning);
        EXPECT_EQ(later.MutexHandle, nullptr);
    }
    first.reset(); // the first copy's shutdown closes its handle: the name is free again
    TPreviousInstance next("C:\\TUNER.EXE");
    EXPECT_FALSE(next.AlreadyRunning);
    EXPECT_NE(next.MutexHandle, nullptr);
}

TEST_F(GuardDetection, a_mutex_that_cannot_be_made_lets_the_program_run_as_the_only_copy) {
    std::ofstream(prefix.root() / ".kernel-objects") << "not a folder";
    TPreviousInstance first("C:\\TUNER.EXE");
    TPreviousInstance second("C:\\TUNER.EXE");
    EXPECT_EQ(first.MutexHandle, nullptr);
    EXPECT_FALSE(first.AlreadyRunning);
    EXPECT_FALSE(second.AlreadyRunning);
}

TEST_F(GuardDetection, the_only_copy_gets_a_component_that_joins_its_owner_and_stores_nothing) {
    TestApplication();
    ASSERT_NE(PreviousInstance(), nullptr); // made as the application came up
    ASSERT_FALSE(PreviousInstance()->AlreadyRunning);
    TComponent owner(nullptr);
    auto* guard = new TJustOne32(&owner);
    guard->SetName(QStringLiteral("JustOne321"));
    guard->SetAbout(QStringLiteral("about text"));
    ASSERT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), guard);
    const QString written = WriteComponentText(&owner);
    EXPECT_TRUE(written.contains(QStringLiteral("object JustOne321: TJustOne32")));
    EXPECT_FALSE(written.contains(QStringLiteral("About"))) << written.toStdString();
}

// A copy of guard_probe under a chosen file name, started on the test's prefix.
class Copy {
  public:
    Copy(fs::path const& program, fs::path const& prefix, std::string const& display, QStringList const& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DOSPREFIX", QString::fromStdString(prefix.string()));
        if (display.empty()) {
            environment.insert("QT_QPA_PLATFORM", "offscreen");
        } else {
            environment.insert("QT_QPA_PLATFORM", "xcb");
            environment.insert("DISPLAY", QString::fromStdString(display));
        }
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QString::fromStdString(program.string()), arguments);
    }
    ~Copy() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    // The next line the copy prints; empty when it ends first.
    std::string line() {
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(60000))
                return {};
        return m_process.readLine().trimmed().toStdString();
    }
    // The X window it printed ("window <id>").
    ::Window window() {
        const std::string text = line();
        return text.rfind("window ", 0) == 0 ? std::stoul(text.substr(7)) : 0;
    }
    void go() { m_process.write("go\n"); }
    // Ends its input, which ends a copy that runs; the exit code, -1 for a crash or a hang.
    int finish() {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(60000) || m_process.exitStatus() != QProcess::NormalExit)
            return -1;
        return m_process.exitCode();
    }
    // Waits for it to end by itself, reading what it printed.
    int end_by_itself(std::string* printed = nullptr) {
        if (!m_process.waitForFinished(60000) || m_process.exitStatus() != QProcess::NormalExit)
            return -1;
        if (printed)
            *printed = m_process.readAllStandardOutput().toStdString();
        return m_process.exitCode();
    }
    void kill_hard() {
        m_process.kill();
        m_process.waitForFinished();
    }

  private:
    QProcess m_process;
};

class GuardProcesses : public ::testing::Test {
  protected:
    void SetUp() override { TestApplication(); }

    fs::path program(std::string const& name) {
        const fs::path folder = prefix.root().parent_path() / "programs";
        fs::create_directories(folder);
        const fs::path copy = folder / name;
        if (!fs::exists(copy))
            fs::copy_file(TEST_BIN_DIR "/guard_probe", copy);
        return copy;
    }
    std::unique_ptr<Copy> start(std::string const& name, QStringList const& arguments = {},
                                std::string const& display = {}) {
        return std::make_unique<Copy>(program(name), prefix.root(), display, arguments);
    }

    TempPrefix prefix;
};

TEST_F(GuardProcesses, a_second_copy_ends_with_code_0_before_going_on_and_a_copy_after_the_first_runs) {
    auto first = start("TUNER.EXE");
    ASSERT_EQ(first->line(), "running");
    std::string printed;
    EXPECT_EQ(start("TUNER.EXE")->end_by_itself(&printed), 0);
    EXPECT_EQ(printed, "");
    // Another file name is another program.
    auto other = start("OTHER.EXE");
    EXPECT_EQ(other->line(), "running");
    EXPECT_EQ(first->finish(), 0);
    auto next = start("TUNER.EXE");
    EXPECT_EQ(next->line(), "running");
}

TEST_F(GuardProcesses, a_first_copy_killed_hard_leaves_the_way_free) {
    auto first = start("tuner.exe");
    ASSERT_EQ(first->line(), "running");
    EXPECT_EQ(start("tuner.exe")->end_by_itself(), 0);
    first->kill_hard();
    auto next = start("tuner.exe");
    EXPECT_EQ(next->line(), "running");
}

enum class Desk { bare, window_manager };

void PrintTo(Desk desk, std::ostream* out) {
    *out << (desk == Desk::bare ? "bare server" : "window manager");
}

class GuardWindows : public GuardProcesses, public ::testing::WithParamInterface<Desk> {
  protected:
    void SetUp() override {
        GuardProcesses::SetUp();
        if (!server.running())
            GTEST_SKIP() << "Xvfb is not installed";
        if (GetParam() == Desk::window_manager) {
            manager = std::make_unique<xtest::WindowManager>(server.display());
            if (!manager->running())
                GTEST_SKIP() << "openbox is not installed";
        }
        client = std::make_unique<xtest::Client>(server.display());
        ASSERT_NE(client->display(), nullptr);
    }
    std::unique_ptr<Copy> start_shown(std::string const& name, QStringList const& arguments) {
        return start(name, arguments, server.display());
    }
    // The first copy with a window titled `title`, running.
    ::Window first_copy(std::string const& name, std::string const& title) {
        first = start_shown(name, {QString::fromStdString("window=" + title)});
        const ::Window window = first->window();
        EXPECT_EQ(first->line(), "running");
        EXPECT_TRUE(client->settle([&] { return client->viewable(window); }));
        return window;
    }

    xtest::Xvfb server;
    std::unique_ptr<xtest::WindowManager> manager;
    std::unique_ptr<xtest::Client> client;
    std::unique_ptr<Copy> first;
};

TEST_P(GuardWindows, when_the_new_copys_window_comes_first_it_is_retitled_and_the_older_one_restored) {
    const ::Window older = first_copy("TUNER.EXE", "TUNER");
    client->minimize(older);
    auto second = start_shown("TUNER.EXE", {"window=TUNER", "wait"});
    const ::Window newer = second->window();
    ASSERT_NE(newer, 0u);
    ASSERT_TRUE(client->settle([&] { return client->topmost_of({older, newer}) == newer; }));
    client->watch_properties(newer);
    client->watch_properties(older);
    second->go();
    EXPECT_EQ(second->end_by_itself(), 0);
    EXPECT_TRUE(client->title_was_set(newer));
    EXPECT_TRUE(client->settle([&] { return client->viewable(older) && !client->iconic(older); }));
    EXPECT_EQ(client->title(older), "TUNER");
}

TEST_P(GuardWindows, when_the_new_copys_window_comes_first_a_normal_older_window_is_raised) {
    const ::Window older = first_copy("TUNER.EXE", "TUNER");
    const ::Window cover = client->make_window("Cover", false, 0, 0);
    ASSERT_EQ(client->topmost_of({older, cover}), cover);
    auto second = start_shown("TUNER.EXE", {"window=TUNER", "wait"});
    const ::Window newer = second->window();
    ASSERT_TRUE(client->settle([&] { return client->topmost_of({older, cover, newer}) == newer; }));
    client->watch_properties(newer);
    second->go();
    EXPECT_EQ(second->end_by_itself(), 0);
    EXPECT_TRUE(client->title_was_set(newer));
    EXPECT_TRUE(client->settle([&] { return client->topmost_of({older, cover}) == older; }));
    EXPECT_EQ(client->title(older), "TUNER");
}

TEST_P(GuardWindows, when_only_the_older_copy_has_the_window_it_is_retitled_and_nothing_is_activated) {
    const ::Window older = first_copy("TUNER.EXE", "TUNER");
    client->minimize(older);
    EXPECT_EQ(start_shown("TUNER.EXE", {})->end_by_itself(), 0);
    EXPECT_EQ(client->title(older), "something else");
    EXPECT_TRUE(client->iconic(older));
    EXPECT_FALSE(client->viewable(older));
}

TEST_P(GuardWindows, when_no_window_has_the_title_nothing_changes) {
    const ::Window older = first_copy("TUNER.EXE", "BootFettle 3.0 by Tamsin Orrel");
    const ::Window cover = client->make_window("Cover", false, 0, 0);
    EXPECT_EQ(start_shown("TUNER.EXE", {})->end_by_itself(), 0);
    EXPECT_EQ(client->title(older), "BootFettle 3.0 by Tamsin Orrel");
    EXPECT_EQ(client->topmost_of({older, cover}), cover);
}

TEST_P(GuardWindows, an_untitled_program_brings_the_running_copy_forward_and_retitles_nothing) {
    const ::Window older = first_copy("tuner.exe", "BootFettle 3.0 by Tamsin Orrel");
    const ::Window untitled = client->make_window("", false, 0, 0);
    client->minimize(older);
    EXPECT_EQ(start_shown("tuner.exe", {})->end_by_itself(), 0);
    EXPECT_TRUE(client->settle([&] { return client->viewable(older) && !client->iconic(older); }));
    EXPECT_EQ(client->title(untitled), "");
    EXPECT_EQ(client->title(older), "BootFettle 3.0 by Tamsin Orrel");

    const ::Window cover = client->make_window("Cover", false, 0, 0);
    ASSERT_EQ(client->topmost_of({older, cover}), cover);
    EXPECT_EQ(start_shown("tuner.exe", {})->end_by_itself(), 0);
    EXPECT_TRUE(client->settle([&] { return client->topmost_of({older, cover}) == older; }));
}

INSTANTIATE_TEST_SUITE_P(Desks, GuardWindows, ::testing::Values(Desk::bare, Desk::window_manager),
                         [](::testing::TestParamInfo<Desk> const& info) {
                             return info.param == Desk::bare ? "bare_server" : "window_manager";
                         });

} // namespace
