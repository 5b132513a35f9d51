// Exceptions of the form framework. A handler raises an Exception; the application catches it at
// the event loop and shows its Message in the error box (Forms.h, TApplication).
#pragma once

#include <QString>

#include <exception>
#include <string>

class Exception : public std::exception {
  public:
    explicit Exception(QString Message) : m_Message(std::move(Message)), m_What(m_Message.toStdString()) {}
    QString const& Message() const { return m_Message; }
    char const* what() const noexcept override { return m_What.c_str(); }

  private:
    QString m_Message;
    std::string m_What;
};

// Raised when a form description cannot be read; the message names the line.
class EReadError : public Exception {
  public:
    using Exception::Exception;
};

// Raised for a form description that is not well formed text.
class EParserError : public EReadError {
  public:
    using EReadError::EReadError;
};

// The exception's message with a full stop appended when its last character sorts after ".",
// as the error box shows it.
QString ErrorBoxText(QString const& Message);
