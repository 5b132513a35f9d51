// VarnDosFettle: the boot configuration tuner. One window, TForm1, until it closes.
#include "DosFettle.h"
#include "DriveSources.h"
#include "StartFolder.h"
#include "TunerTexts.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // The single-instance guard raises the other copy's window and the caption moves the window
    // itself: X11 lets a program do both, Wayland neither. In a Wayland session the tuner runs
    // through XWayland, unless the user chose a Qt platform.
    setenv("QT_QPA_PLATFORM", "xcb", 0);
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (StartFolder::AskedFor(arguments) && !StartFolder::EnterWindowsFolder())
        std::fprintf(stderr, "VarnDosFettle: the Windows folder is missing; starting in the current folder\n");
    TApplication application(argc, argv);
    application.SetTitle(QString::fromLatin1(TunerTexts::ApplicationTitle));
    DriveSources::Install();
    try {
        application.CreateForm<TForm1>();
    } catch (...) {
        // A form description that cannot be read: say so in the error box and stop.
        application.HandleException(std::current_exception());
        return 1;
    }
    return application.Run();
}
