// Unit Just1_32: the single-instance guard. At program start-up, as the application object comes
// up and before any form exists, TPreviousInstance asks whether another copy of the same program
// runs, by creating a mutex named after the program's file. A TJustOne32 placed on a form reads
// the answer while the form loads: when another copy runs, it brings that copy's window forward
// and ends this process with exit code 0, so that this copy never shows its form.
//
// The mutex is one of the prefix's named objects (host/kernel32.h): copies on the same prefix
// meet, copies on different prefixes do not. GUI thread.
#pragma once

#include "forms/Classes.h"

#include "host/win_types.h"

#include <string>

class TPreviousInstance {
  public:
    // Start-up detection for the program file at `ModulePath` (a DOS path).
    explicit TPreviousInstance(std::string const& ModulePath);
    // Program shutdown: closes MutexHandle when it is still open.
    ~TPreviousInstance();
    TPreviousInstance(TPreviousInstance const&) = delete;
    TPreviousInstance& operator=(TPreviousInstance const&) = delete;

    // The title of the window to activate: the file name less its last four characters when it
    // contains ".EXE" (in capitals), otherwise empty.
    std::string WindowTitle;
    // The mutex while this copy holds it; null when creation failed or another copy runs.
    HANDLE MutexHandle = nullptr;
    bool AlreadyRunning = false;
    // The mutex name: the program's file name, extension included, at most 255 characters.
    std::string MutexName;

    // Everything after the last backslash or drive colon, letter case kept.
    static std::string FileNamePart(std::string const& Path);
    static std::string MutexNameOf(std::string const& FileName);
    static std::string WindowTitleOf(std::string const& FileName);
};

// The program's one TPreviousInstance, made at start-up; null before the application object exists.
TPreviousInstance const* PreviousInstance();

// A non-visual component with no state of its own. Its construction is all it does: when
// another copy of the program runs, the process ends there.
class TJustOne32 : public TComponent {
    Q_OBJECT
    // Never written to a form description and without effect.
    Q_PROPERTY(QString About READ About WRITE SetAbout STORED false)
  public:
    explicit TJustOne32(TComponent* AOwner);

    QString About() const { return m_About; }
    void SetAbout(QString const& Value) { m_About = Value; }

  private:
    QString m_About;
};
