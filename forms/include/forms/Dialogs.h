// The input box: a modal dialog, centred on the screen, with a caption, a prompt line, a text box
// of at most 255 characters pre-filled with the default text (shown selected), OK (the default
// button) and Cancel.
#pragma once

#include <QString>

// The text of the box when OK is pressed; the default text unchanged when Cancel is pressed or
// the box is closed. With a host dialog responder installed, the responder answers instead.
QString InputBox(QString const& ACaption, QString const& APrompt, QString const& ADefault);
