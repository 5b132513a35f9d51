#pragma once
// Expected failures of the engine: a code the MCI layer maps to its own error numbers, and a
// text for diagnostics. Never thrown; returned in a Result.

#include <string>
#include <utility>
#include <variant>

namespace media {

enum class ErrorCode {
    FileNotFound,      // the path does not name a readable file
    UnsupportedFormat, // the file is readable but no demuxer/decoder accepts it
    CorruptFile,       // the container was recognised but holds nothing playable
    NoVideo,           // a video-only operation on a medium without video
    NoFrame,           // capture before any frame was decoded
    OutOfRange,        // a position or value outside what the medium allows
    NotReady,          // the medium is closed or not yet open
    NotApplicable,     // the command does not apply in the current mode (resume when stopped)
    Io,                // reading or writing failed
};

struct Error {
    ErrorCode code;
    std::string message;
};

// A value or an Error; a minimal stand-in for std::expected (C++23).
template <typename T> class Result {
  public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Error error) : m_state(std::move(error)) {}

    bool has_value() const { return m_state.index() == 0; }
    explicit operator bool() const { return has_value(); }
    T& value() { return std::get<0>(m_state); }
    const T& value() const { return std::get<0>(m_state); }
    T& operator*() { return value(); }
    T* operator->() { return &value(); }
    const Error& error() const { return std::get<1>(m_state); }

  private:
    std::variant<T, Error> m_state;
};

// Result of an operation that yields nothing but may fail.
struct Ok {};
using Status = Result<Ok>;

inline Error make_error(ErrorCode code, std::string message) {
    return Error{code, std::move(message)};
}

} // namespace media
