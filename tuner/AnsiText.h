// The boot files hold 8-bit text in the system's code page; the window works in QString.
#pragma once

#include <QString>

#include <string>

inline QString FromAnsi(std::string const& Text) {
    return QString::fromLocal8Bit(Text);
}

inline std::string ToAnsi(QString const& Text) {
    return Text.toLocal8Bit().toStdString();
}
