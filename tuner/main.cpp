// VarnDosFettle: the boot configuration tuner. One window, TForm1, until it closes.
#include "DosFettle.h"
#include "DriveSources.h"
#include "TunerTexts.h"

int main(int argc, char** argv) {
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
