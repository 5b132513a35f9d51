// Form descriptions: the text parser, the printer and the reader that builds a form from them.
// Checked: text that parses prints as text that parses again to the same print; reading it into
// a form either works or raises the framework's own exception, never anything else; a form that
// was read writes a description that parses.
//
// Input: the text of a form description (UTF-8). The drive and folder controls see a prefix of
// their own.
#include "FuzzTarget.h"

#include "TempPrefix.h"
#include "forms/FormReader.h"
#include "forms/Forms.h"
#include "forms/SysUtils.h"

#include <QCoreApplication>
#include <QEvent>

#include <cstdlib>
#include <optional>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static TempPrefix prefix; // what the drive and folder controls show
    static int argc = 1;
    static char name[] = "fuzz_form_text";
    static char* argv[] = {name, nullptr};
    new TApplication(argc, argv); // the one application, kept to the end of the process
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::optional<TFormObject> parsed;
    try {
        parsed = ParseFormText(text);
    } catch (Exception const&) {
        return 0;
    }

    QString printed = PrintFormText(*parsed);
    std::optional<TFormObject> reparsed;
    try {
        reparsed = ParseFormText(printed);
    } catch (Exception const& error) {
        std::fprintf(stderr, "printed text does not parse: %s\n%s\n", error.what(), printed.toUtf8().constData());
        FUZZ_CHECK(!"printed text parses");
    }
    FUZZ_CHECK(PrintFormText(*reparsed) == printed);

    auto* form = new TForm(nullptr);
    bool read = true;
    try {
        ReadComponent(form, *parsed);
    } catch (Exception const&) {
        read = false;
    }
    if (read) {
        QString written = WriteComponentText(form);
        try {
            ParseFormText(written);
        } catch (Exception const& error) {
            std::fprintf(stderr, "written form does not parse: %s\n%s\n", error.what(), written.toUtf8().constData());
            FUZZ_CHECK(!"written form parses");
        }
    }
    delete form;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
