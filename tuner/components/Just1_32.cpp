#include "Just1_32.h"

#include "host/kernel32.h"
#include "host/user32.h"

#include <QCoreApplication>

#include <cstdlib>
#include <memory>

namespace {

constexpr std::size_t MutexNameLimit = 255;
constexpr char const* RetitledCaption = "something else";

std::unique_ptr<TPreviousInstance> TheInstance;

// Runs once, as the application object comes up: before any form is created.
void DetectPreviousInstance() {
    if (TheInstance)
        return;
    char path[1024] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    TheInstance = std::make_unique<TPreviousInstance>(path);
}

// Restores a minimised window, raises any other.
void Activate(HWND Window) {
    if (IsIconic(Window))
        ShowWindow(Window, SW_RESTORE);
    else
        BringWindowToTop(Window);
}

struct TProcessWindowSearch {
    DWORD Process;
    HWND Found;
};

BOOL FindShownWindowOfProcess(HWND Window, LPARAM Parameter) {
    auto* search = reinterpret_cast<TProcessWindowSearch*>(Parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(Window, &process);
    if (process != search->Process || !IsWindowVisible(Window))
        return TRUE;
    search->Found = Window;
    return FALSE;
}

// Brings forward the main window of the copy that holds the mutex: its topmost shown window.
// A program file without ".EXE" gives no window title to look for, and a search for an empty
// title would retitle any untitled window of any program; the copy that runs is found through
// the mutex it holds instead.
void ActivateRunningCopy(std::string const& MutexName) {
    TProcessWindowSearch search{host::mutex_maker_process(MutexName.c_str()), nullptr};
    if (search.Process == 0)
        return;
    EnumWindows(FindShownWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    if (search.Found)
        Activate(search.Found);
}

// Two separate searches, in this order: the first window titled so loses its title, the next
// one found (the other copy's, when the new copy's came first) is activated.
void ActivateTitledWindow(std::string const& Title) {
    SetWindowTextA(FindWindowA(nullptr, Title.c_str()), RetitledCaption);
    if (HWND window = FindWindowA(nullptr, Title.c_str()))
        Activate(window);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(DetectPreviousInstance)

TPreviousInstance const* PreviousInstance() {
    return TheInstance.get();
}

std::string TPreviousInstance::FileNamePart(std::string const& Path) {
    const std::size_t delimiter = Path.find_last_of("\\:");
    return delimiter == std::string::npos ? Path : Path.substr(delimiter + 1);
}

std::string TPreviousInstance::MutexNameOf(std::string const& FileName) {
    return FileName.substr(0, MutexNameLimit);
}

std::string TPreviousInstance::WindowTitleOf(std::string const& FileName) {
    // Wherever ".EXE" stands, the last four characters go (A.EXE.BAK gives A.EXE).
    if (FileName.find(".EXE") == std::string::npos)
        return {};
    return FileName.substr(0, FileName.size() - 4);
}

TPreviousInstance::TPreviousInstance(std::string const& ModulePath) {
    const std::string fileName = FileNamePart(ModulePath);
    MutexName = MutexNameOf(fileName);
    WindowTitle = WindowTitleOf(fileName);
    MutexHandle = CreateMutexA(nullptr, TRUE, MutexName.c_str());
    if (MutexHandle && GetLastError() == ERROR_ALREADY_EXISTS) {
        AlreadyRunning = true;
        CloseHandle(MutexHandle);
        MutexHandle = nullptr;
    }
}

TPreviousInstance::~TPreviousInstance() {
    if (MutexHandle)
        CloseHandle(MutexHandle);
}

TJustOne32::TJustOne32(TComponent* AOwner) : TComponent(AOwner) {
    TPreviousInstance const* previous = PreviousInstance();
    if (!previous || !previous->AlreadyRunning)
        return;
    if (previous->WindowTitle.empty())
        ActivateRunningCopy(previous->MutexName);
    else
        ActivateTitledWindow(previous->WindowTitle);
    // The normal way out: handlers registered for the end of the program run, nothing else of
    // the start-up does.
    std::exit(0);
}
