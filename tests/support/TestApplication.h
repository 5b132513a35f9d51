// The one application object of the test program, made on first use (offscreen Qt).
#pragma once

#include "forms/Forms.h"

#include <ostream>

// Readable QStrings in failure messages.
inline void PrintTo(QString const& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline TApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "forms_tests";
    static char* argv[] = {name, nullptr};
    static TApplication* application = new TApplication(argc, argv);
    return *application;
}
