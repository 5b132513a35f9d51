// A tuner window on a fresh temporary prefix, with the process's working directory in its
// Windows folder, every dialog answered by a recording responder and every launch recorded.
#pragma once

#include "DosFettle.h"
#include "DriveSources.h"
#include "TempPrefix.h"
#include "TunerTexts.h"
#include "TestApplication.h"
#include "host/DialogResponder.h"
#include "host/kernel32.h"
#include "host/Launcher.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

class RecordingLauncher : public host::Launcher {
  public:
    bool launch(std::vector<std::string> const& argv) override {
        launched.push_back(argv);
        return true;
    }
    std::vector<std::vector<std::string>> launched;
};

class TunerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TestApplication().SetTitle(QString::fromLatin1(TunerTexts::ApplicationTitle));
        DriveSources::Install();
        m_SavedDirectory = std::filesystem::current_path();
        std::filesystem::current_path(prefix.host("C:\\WINDOWS"));
        host::set_launcher(&launcher);
    }
    void TearDown() override {
        form.reset();
        host::set_launcher(nullptr);
        std::filesystem::current_path(m_SavedDirectory);
    }

    // Creates the window, which runs the start-up load.
    TForm1& Open() {
        form = std::make_unique<TForm1>(nullptr);
        return *form;
    }
    // Runs a handler as the event loop does: an exception it raises goes to the error box.
    template <class F> void AsUser(F&& action) {
        TEventLoopScope scope;
        action();
    }
    void Click(TControl* control) {
        AsUser([&] { control->Click(); });
    }
    std::string MsdosSys() const { return prefix.read("C:\\MSDOS.SYS"); }

    TempPrefix prefix;
    host::RecordingDialogResponder responder;
    host::ScopedDialogResponder scopedResponder{responder};
    RecordingLauncher launcher;
    std::unique_ptr<TForm1> form;

  private:
    std::filesystem::path m_SavedDirectory;
};

inline void PrintTo(std::vector<std::string> const& items, std::ostream* out) {
    *out << '{';
    for (auto const& item : items)
        *out << '"' << item << "\" ";
    *out << '}';
}
